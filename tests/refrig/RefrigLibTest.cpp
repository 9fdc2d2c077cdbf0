#include "refrig/RefrigLib.h"

#include "common/Errors.h"
#include "support/ParamName.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const char* const TwoFluids = "[R22]\n"
                              "RNumber=R22\n"
                              "TCrit=96.2\n"
                              "\n"
                              "[R134a]\n"
                              "RNumber=R134a\n"
                              "Formula=CH2FCF3\n"
                              "ChemicalName=1,1,1,2-tetrafluoroethane\n"
                              "TCrit=101.06\n"
                              "dp=21.5,-2200,245,99\n";

TEST(RefrigLib, WithoutFileTheBuiltInR22IsCurrent)
{
    for (const char* file : {"", "/nonexistent/RefLib8.rdf"}) {
        const TRefrigLib lib(file);
        EXPECT_TRUE(lib.RefrigerantNames().empty());
        EXPECT_TRUE(lib.LibraryFileDate().empty());
        EXPECT_TRUE(lib.CurrentName().empty());
        EXPECT_EQ(lib.Data(), DefaultRefrigData);
        EXPECT_EQ(lib.GetDisplayName(), "R22 (chlorodifluoromethane, CHClF2)");
    }
}

TEST(RefrigLib, NamesAreSortedWithoutRegardToCase)
{
    TTempDir dir;
    const TRefrigLib lib(dir.Write("lib.rdf", "[r600a]\nA=1\n[R134a]\nA=1\n[b]\nA=1\n[R22]\nA=1\n"
                                              "[R134A]\nA=2\n"));
    EXPECT_EQ(lib.RefrigerantNames(), (std::vector<std::string>{"b", "R134a", "R22", "r600a"}));
    EXPECT_FALSE(lib.LibraryFileDate().empty());
}

TEST(RefrigLib, MissingValuesComeFromTheBuiltInRecord)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[Only]\nRNumber=Only\nTCrit=120.5\n"));
    lib.SelectRefrigerant("Only");
    TRefrigData expected = DefaultRefrigData;
    expected.RNumber = "Only";
    expected.TCrit = 120.5;
    EXPECT_EQ(lib.Data(), expected);
    EXPECT_EQ(lib.CurrentName(), "Only");
}

TEST(RefrigLib, ArrayRule)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", TwoFluids));
    lib.SelectRefrigerant("r134A");
    // Four numbers for a three-element array: the fourth is ignored.
    EXPECT_EQ(lib.Data().dp, (std::array<double, 3>{21.5, -2200, 245}));
    EXPECT_EQ(lib.Data().bp, DefaultRefrigData.bp);
    EXPECT_EQ(lib.GetDisplayName(), "R134a (1,1,1,2-tetrafluoroethane, CH2FCF3)");
}

TEST(RefrigLib, LiteralZeroListKeepsTheBuiltInCoefficients)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[A]\nRNumber=A\nul= 0 , 0,0,0\nuv=\n"));
    lib.SelectRefrigerant("A");
    EXPECT_EQ(lib.Data().ul, DefaultRefrigData.ul);
    EXPECT_EQ(lib.Data().uv, DefaultRefrigData.uv);
}

TEST(RefrigLib, ShortOrBadListFailsAndKeepsWhatWasReadBefore)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[Short]\nRNumber=Short\ndp=20,-2000,250\nlv=0.001,2e-6\n"
                                        "cl=1,2,3,4,5\n"
                                        "[Bad]\nRNumber=Bad\nlh=1,2,x,4\n"));
    EXPECT_THROW(lib.SelectRefrigerant("Short"), EListError);
    EXPECT_EQ(lib.Data().dp, (std::array<double, 3>{20, -2000, 250}));
    EXPECT_EQ(lib.Data().cl, DefaultRefrigData.cl);
    EXPECT_TRUE(lib.CurrentName().empty());
    // The name was not recorded, so a second selection reads the file again.
    EXPECT_THROW(lib.SelectRefrigerant("Short"), EListError);

    EXPECT_THROW(lib.SelectRefrigerant("Bad"), EConvertError);
    EXPECT_TRUE(lib.CurrentName().empty());
}

TEST(RefrigLib, BadScalarsKeepTheirDefaults)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[S]\nrnumber=S\nTCRIT=abc\nPCrit=1,5\nComponents=0x2\n"
                                        "InternalNumber=7x\nDCrit=  600.5  \n"));
    lib.SelectRefrigerant("s");
    EXPECT_EQ(lib.Data().RNumber, "S");
    EXPECT_EQ(lib.Data().TCrit, DefaultRefrigData.TCrit);
    EXPECT_EQ(lib.Data().PCrit, DefaultRefrigData.PCrit);
    EXPECT_EQ(lib.Data().Components, 2);
    EXPECT_EQ(lib.Data().InternalNumber, 0);
    EXPECT_EQ(lib.Data().DCrit, 600.5);
}

TEST(RefrigLib, RepeatedSelectionDoesNotReadTheFileAgain)
{
    TTempDir dir;
    const std::string file = dir.Write("lib.rdf", TwoFluids);
    TRefrigLib lib(file);
    EXPECT_EQ(lib.CurrentName(), "R22");
    EXPECT_EQ(lib.Data().TCrit, 96.2);
    dir.Write("lib.rdf", "[R22]\nRNumber=R22\nTCrit=50\n[R134a]\nRNumber=R134a\n");
    lib.SelectRefrigerant("r22");
    EXPECT_EQ(lib.Data().TCrit, 96.2);
    // Another name reads the changed file; the names stay those of start-up.
    lib.SelectRefrigerant("R134a");
    lib.SelectRefrigerant("R22");
    EXPECT_EQ(lib.Data().TCrit, 50);
    EXPECT_EQ(lib.RefrigerantNames().size(), 2U);
}

TEST(RefrigLib, MissingOrEmptySectionGivesTheBuiltInRecord)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", std::string(TwoFluids) + "[Empty]\n"));
    lib.SelectRefrigerant("R134a");
    const TRefrigData r134a = lib.Data();
    for (const char* name : {"Empty", "Nowhere"}) {
        lib.SelectRefrigerant(name);
        EXPECT_EQ(lib.Data(), DefaultRefrigData) << name;
        // The built-in record is not R134a's: selecting R134a again reads it.
        EXPECT_EQ(lib.CurrentName(), "") << name;
        lib.SelectRefrigerant("R134a");
        EXPECT_EQ(lib.Data(), r134a) << name;
    }
}

TEST(RefrigLib, SectionFailingHalfWayIsReadAgainOnTheNextSelection)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", std::string(TwoFluids) + "[Short]\nRNumber=Short\nvh=1\n"));
    lib.SelectRefrigerant("R134a");
    const TRefrigData r134a = lib.Data();
    EXPECT_THROW(lib.SelectRefrigerant("Short"), EListError);
    EXPECT_EQ(lib.CurrentName(), "");
    lib.SelectRefrigerant("R134a");
    EXPECT_EQ(lib.Data(), r134a);
    // The failed section itself fails again rather than passing as read.
    EXPECT_THROW(lib.SelectRefrigerant("Short"), EListError);
    EXPECT_THROW(lib.SelectRefrigerant("Short"), EListError);
}

// With parsed records kept, any sequence of selections leaves the same record,
// current name and errors as reading the file each time; the file is no
// longer read for a name parsed before.
TEST(RefrigLib, KeptRecordsSelectAsReadingTheFileDoes)
{
    TTempDir dir;
    const std::string file =
        dir.Write("lib.rdf", std::string(TwoFluids) + "[Empty]\n[Short]\nRNumber=Short\nvh=1\n");
    TRefrigLib reading(file);
    TRefrigLib keeping(file);
    keeping.KeepParsedRecords();
    for (const char* name : {"R134a", "R22", "Short", "r134a", "Empty", "R134a", "Short", "R22",
                             "Nowhere", "R134a", "R134a", "Empty", "R22"}) {
        bool readingFailed = false;
        bool keepingFailed = false;
        try {
            reading.SelectRefrigerant(name);
        } catch (const EListError&) {
            readingFailed = true;
        }
        try {
            keeping.SelectRefrigerant(name);
        } catch (const EListError&) {
            keepingFailed = true;
        }
        EXPECT_EQ(keepingFailed, readingFailed) << name;
        EXPECT_EQ(keeping.Data(), reading.Data()) << name;
        EXPECT_EQ(keeping.CurrentName(), reading.CurrentName()) << name;
    }
    dir.Write("lib.rdf", "[R22]\nRNumber=R22\nTCrit=50\n[R134a]\nRNumber=R134a\n");
    keeping.SelectRefrigerant("R134a");
    EXPECT_EQ(keeping.Data().TCrit, 101.06);
    keeping.SelectRefrigerant("R22");
    EXPECT_EQ(keeping.Data().TCrit, 96.2);
}

TEST(RefrigLib, IndexOutsideTheNamesIsAListError)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", TwoFluids));
    lib.SelectRefrigerantIndex(0); // R134a
    const TRefrigData before = lib.Data();
    EXPECT_THROW(lib.SelectRefrigerantIndex(-1), EListError);
    EXPECT_THROW(lib.SelectRefrigerantIndex(2), EListError);
    EXPECT_EQ(lib.Data(), before);
}

TEST(RefrigLib, BrokenR22SectionAtStartUpLeavesTheBuiltInRecord)
{
    TTempDir dir;
    const TRefrigLib lib(dir.Write("lib.rdf", "[R22]\nRNumber=R22\ndp=1,2,3\nbp=1\n"));
    EXPECT_FALSE(lib.StartupError().empty());
    EXPECT_EQ(lib.Data(), DefaultRefrigData);
}

// Files as editors and old tools leave them: none of these may crash, and the
// readable parts are read.
struct TOddFile {
    const char* Name;
    std::string Content;
    std::vector<std::string> Names;
    double TCrit; // of section "A" after selecting it
};

class OddLibraryFiles : public testing::TestWithParam<TOddFile> {};

TEST_P(OddLibraryFiles, AreReadWithoutHarm)
{
    TTempDir dir;
    const auto& c = GetParam();
    TRefrigLib lib(dir.Write("lib.rdf", c.Content));
    EXPECT_EQ(lib.RefrigerantNames(), c.Names);
    try {
        lib.SelectRefrigerant("A");
    } catch (const EVelloxError&) {
    }
    EXPECT_EQ(lib.Data().TCrit, c.TCrit);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddLibraryFiles,
    testing::Values(
        TOddFile{"CrLf", "[A]\r\nRNumber=A\r\nTCrit=77.5\r\n", {"A"}, 77.5},
        TOddFile{"BlanksAndComments", "; library\n  [ A ]  \n  TCrit =  77.5  \n\n", {"A"}, 77.5},
        TOddFile{"ValuesBeforeAnySection", "TCrit=1\n[A]\nTCrit=77.5\n", {"A"}, 77.5},
        TOddFile{"NoClosingBracket", "[A\nTCrit=77.5\n", {"A"}, 77.5},
        TOddFile{"FirstOfRepeatedKeysWins", "[A]\nTCrit=77.5\ntcrit=1\n", {"A"}, 77.5},
        TOddFile{"Windows1252Text", "[A]\nChemicalName=\xB0\x80\nTCrit=77.5\n", {"A"}, 77.5},
        TOddFile{"BinaryGarbage", std::string("\0\xff\xfe[\x01=\n\n=\n[]\n", 13), {""}, 96.1},
        TOddFile{"EmptyFile", "", {}, 96.1},
        TOddFile{"HugeValue",
                 "[A]\nTCrit=77.5\nFormula=" + std::string(100000, 'x') + "\n",
                 {"A"},
                 77.5}),
    TParamName());

TEST(RefrigLib, LongValuesAreCut)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[A]\nFormula=" + std::string(5000, 'x') + "\n"));
    lib.SelectRefrigerant("A");
    EXPECT_EQ(lib.Data().Formula.size(), 2047U);
}

} // namespace
