#include "services/VerInfoRes.h"

#include "support/ParamName.h"
#include "support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using namespace VersionBlock;

// This test program carries the same version block as the suite's programs.
const std::string OwnFile = "/proc/self/exe";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a program with its arguments, no shell; true when it exits with 0.
bool RunCommand(std::vector<std::string> command)
{
    std::vector<char*> argv;
    for (auto& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A small ELF file with a section-name table and one named section, laid out
// as header, names, contents, section headers.
struct TElfFile {
    bool Wide = true;
    bool BigEndian = false;
    std::string Name = std::string(SectionName);
    std::string Contents;
    std::uint32_t Type = 1;          // contents in the file
    std::uint64_t OffsetPastEnd = 0; // moves the contents' offset beyond the file
    bool EscapedCount = false;       // count and names index kept in section 0

    std::string Bytes() const
    {
        const std::size_t headerSize = Wide ? 64 : 52;
        const std::size_t entrySize = Wide ? 64 : 40;
        const std::string names = std::string("\0.shstrtab\0", 11) + Name + '\0';
        const std::size_t namesAt = headerSize;
        const std::size_t contentsAt = namesAt + names.size();
        const std::size_t tableAt = contentsAt + Contents.size();
        std::string file(tableAt + 3 * entrySize, '\0');
        const auto put = [&](std::size_t at, std::uint64_t value, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                file[BigEndian ? at + size - 1 - i : at + i] = static_cast<char>(value >> (8 * i));
        };
        const std::size_t word = Wide ? 8 : 4;
        file.replace(0, 4,
                     "\x7F"
                     "ELF");
        file[4] = Wide ? 2 : 1;
        file[5] = BigEndian ? 2 : 1;
        file[6] = 1;
        put(16, 2, 2); // an executable
        put(Wide ? 0x28 : 0x20, tableAt, word);
        put(Wide ? 0x3A : 0x2E, entrySize, 2);
        put(Wide ? 0x3C : 0x30, EscapedCount ? 0 : 3, 2);
        put(Wide ? 0x3E : 0x32, EscapedCount ? 0xFFFF : 1, 2);
        file.replace(namesAt, names.size(), names);
        file.replace(contentsAt, Contents.size(), Contents);
        const auto section = [&](std::size_t index, std::uint32_t name, std::uint32_t type,
                                 std::uint64_t offset, std::uint64_t size, std::uint32_t link) {
            const std::size_t at = tableAt + index * entrySize;
            put(at, name, 4);
            put(at + 4, type, 4);
            put(at + (Wide ? 24 : 16), offset, word);
            put(at + (Wide ? 32 : 20), size, word);
            put(at + (Wide ? 40 : 24), link, 4);
        };
        if (EscapedCount)
            section(0, 0, 0, 0, 3, 1);
        section(1, 1, 3, namesAt, names.size(), 0);
        section(2, 11, Type, contentsAt + OffsetPastEnd, Contents.size(), 0);
        return file;
    }
};

const TVersionFacts Facts{
    "Brennick", "Capillary tube sizing", "vellox", "vellox", "Vellox", "1.0.8.0", {1, 0, 8, 0}};

std::string StandardBlock(const TVersionFacts& facts = Facts)
{
    const auto writer = WriteVersionBlock(facts);
    return std::string(reinterpret_cast<const char*>(writer.Bytes().data()), writer.Size());
}

template <std::size_t Capacity>
std::string BytesOf(const TWriter<Capacity>& writer)
{
    return std::string(reinterpret_cast<const char*>(writer.Bytes().data()), writer.Size());
}

std::string WithFixedInfo(std::span<const std::uint8_t> fixed, bool withTranslation = true)
{
    constexpr std::array<std::uint8_t, 4> translation{0x09, 0x04, 0xE4, 0x04};
    TWriter<512> writer;
    writer.OpenBinary(RootKey, fixed);
    writer.Open("StringFileInfo");
    writer.Open("040904e4");
    writer.Text("ProductName", "Vellox");
    writer.Close();
    writer.Close();
    if (withTranslation) {
        writer.Open("VarFileInfo");
        writer.OpenBinary("Translation", translation);
        writer.Close();
        writer.Close();
    }
    writer.Close();
    return BytesOf(writer);
}

TEST(VerInfoRes, ProgramFilesCarryTheProjectVersion)
{
    for (const std::string& file :
         {OwnFile, std::string(VELLOX_PROGRAM_FILE), std::string(VELLOX_SOLVE_PROGRAM_FILE)}) {
        SCOPED_TRACE(file);
        const TVerInfoRes info(file);
        EXPECT_EQ(info.FileVersionText(), "1.0.8.0");
        EXPECT_EQ(info.StringValue("ProductName"), "Vellox");
        EXPECT_EQ(info.StringValue("CompanyName"), "Brennick");
        EXPECT_EQ(info.StringValue("FileVersion"), "1.0.8.0");
        EXPECT_EQ(info.StringValue("productname"), "Vellox");
        EXPECT_EQ(info.StringValue("Comments"), "");
        EXPECT_EQ(info.Translation(), 0x04E40409u);
        EXPECT_EQ(info.FixedInfo().Signature, FixedSignature);
        EXPECT_EQ(GetTitleText(file), "Vellox 1.0.8.0");
        EXPECT_EQ(GetFileVersionText(file), "1.0.8.0");
    }
    EXPECT_EQ(TVerInfoRes(VELLOX_PROGRAM_FILE).StringValue("OriginalFilename"),
              VELLOX_PROGRAM_NAME);
}

TEST(VerInfoRes, ProgramWithoutItsVersionSectionHasNoVersionInfo)
{
    TTempDir folder;
    const std::string stripped = (folder.Path() / VELLOX_PROGRAM_NAME).string();
    ASSERT_TRUE(RunCommand({VELLOX_OBJCOPY, "--remove-section", std::string(SectionName),
                            VELLOX_PROGRAM_FILE, stripped}));
    EXPECT_THROW(TVerInfoRes{stripped}, ENoVerInfoError);
    try {
        GetTitleText(stripped);
        ADD_FAILURE() << "no error";
    } catch (const EVelloxError& error) {
        EXPECT_STREQ(error.what(), "No Version Info Available.");
    }
}

// The message of the error a file raises; empty when it raises none.
std::string ErrorOf(const std::string& file)
{
    try {
        TVerInfoRes{file};
        return "";
    } catch (const EVerInfoError& error) {
        return error.what();
    }
}

struct TBrokenFile {
    std::string Name;
    std::string Bytes; // written to the file unless Missing
    std::string Error;
    bool Missing = false;
    friend void PrintTo(const TBrokenFile& c, std::ostream* out) { *out << c.Name; }
};

class BrokenFiles : public testing::TestWithParam<TBrokenFile> {};

TEST_P(BrokenFiles, RaiseTheVersionError)
{
    TTempDir folder;
    const auto& param = GetParam();
    const std::string path =
        param.Missing ? (folder.Path() / "absent").string() : folder.Write("file", param.Bytes);
    EXPECT_EQ(ErrorOf(path), param.Error);
}

const std::string NoInfo = "No Version Info Available.";
const std::string CannotObtain = "Cannot obtain version info.";
const std::string NoLanguage = "No language info.";
const std::string NoFixed = "No fixed file info";

TElfFile Elf(std::string contents)
{
    TElfFile elf;
    elf.Contents = std::move(contents);
    return elf;
}

std::vector<TBrokenFile> BrokenFileTable()
{
    const std::string own = ReadAll(OwnFile);
    std::mt19937 random(8);
    std::string garbage(4096, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());

    TElfFile pastEnd = Elf(StandardBlock());
    pastEnd.OffsetPastEnd = 1 << 20;
    TElfFile noBits = Elf(StandardBlock());
    noBits.Type = 8;
    TElfFile otherName = Elf(StandardBlock());
    otherName.Name = ".vellox_versio";
    TElfFile hugeTable = Elf(StandardBlock());
    hugeTable.EscapedCount = true;
    std::string hugeCount = hugeTable.Bytes();
    hugeCount[hugeCount.size() - 3 * 64 + 32] = '\x7F'; // section 0 size: far too many sections

    TFixedFileInfo badSignature;
    badSignature.Signature = 0xFEEF04BC;
    const auto fixed = TFixedFileInfo{}.Encode();
    TWriter<128> wrongRoot;
    wrongRoot.OpenBinary("VS_VERSION", fixed);
    wrongRoot.Close();
    std::string overlong = StandardBlock();
    overlong[0] = '\xFF';
    overlong[1] = '\x7F';

    return {
        {"Missing", "", NoInfo, true},
        {"Empty", "", NoInfo},
        {"Text", "Vellox 1.0.8.0\n", NoInfo},
        {"Garbage", garbage, NoInfo},
        {"MagicOnly",
         "\x7F"
         "ELF",
         NoInfo},
        {"UnknownClass",
         "\x7F"
         "ELF\x03\x01" +
             std::string(80, '\0'),
         NoInfo},
        {"HeaderOnly", own.substr(0, 64), NoInfo},
        {"CutInHalf", own.substr(0, own.size() / 2), NoInfo},
        {"LastByteMissing", own.substr(0, own.size() - 1), NoInfo},
        {"SectionNameDiffers", otherName.Bytes(), NoInfo},
        {"SectionWithoutContents", noBits.Bytes(), NoInfo},
        {"EmptySection", Elf("").Bytes(), NoInfo},
        {"SectionCountBeyondFile", hugeCount, NoInfo},
        {"ContentsBeyondEnd", pastEnd.Bytes(), CannotObtain},
        {"GarbageBlock", Elf(garbage.substr(0, 300)).Bytes(), CannotObtain},
        {"OtherRootKey", Elf(BytesOf(wrongRoot)).Bytes(), CannotObtain},
        {"RootLongerThanBlock", Elf(overlong).Bytes(), CannotObtain},
        {"NoTranslation", Elf(WithFixedInfo(fixed, false)).Bytes(), NoLanguage},
        {"ShortTranslation",
         Elf([] {
             TWriter<512> writer;
             writer.OpenBinary(RootKey, TFixedFileInfo{}.Encode());
             writer.Open("VarFileInfo");
             writer.OpenBinary("Translation", std::array<std::uint8_t, 2>{0x09, 0x04});
             writer.Close();
             writer.Close();
             writer.Close();
             return BytesOf(writer);
         }())
             .Bytes(),
         NoLanguage},
        {"NoFixedInfo", Elf(WithFixedInfo({})).Bytes(), NoFixed},
        {"ShortFixedInfo", Elf(WithFixedInfo(std::span(fixed).first(51))).Bytes(), NoFixed},
        {"WrongSignature", Elf(WithFixedInfo(badSignature.Encode())).Bytes(), NoFixed},
    };
}

INSTANTIATE_TEST_SUITE_P(VerInfoRes, BrokenFiles, testing::ValuesIn(BrokenFileTable()),
                         TParamName());

struct TLayoutCase {
    std::string Name;
    bool Wide;
    bool BigEndian;
    bool EscapedCount;
    friend void PrintTo(const TLayoutCase& c, std::ostream* out) { *out << c.Name; }
};

class ElfLayouts : public testing::TestWithParam<TLayoutCase> {};

TEST_P(ElfLayouts, FindTheBlock)
{
    TTempDir folder;
    TElfFile elf = Elf(StandardBlock({"Brennick", "", "", "", "Pelorus", "", {65535, 1, 2, 300}}));
    elf.Wide = GetParam().Wide;
    elf.BigEndian = GetParam().BigEndian;
    elf.EscapedCount = GetParam().EscapedCount;
    const std::string path = folder.Write("program", elf.Bytes());
    EXPECT_EQ(GetTitleText(path), "Pelorus 65535.1.2.300");
}

INSTANTIATE_TEST_SUITE_P(VerInfoRes, ElfLayouts,
                         testing::Values(TLayoutCase{"Elf64Little", true, false, false},
                                         TLayoutCase{"Elf64Big", true, true, false},
                                         TLayoutCase{"Elf32Little", false, false, false},
                                         TLayoutCase{"Elf32Big", false, true, true},
                                         TLayoutCase{"ManySections", true, false, true}),
                         TParamName());

TEST(VerInfoRes, StringsComeFromTheTableOfTheFirstTranslation)
{
    TWriter<512> writer;
    writer.OpenBinary(RootKey, TFixedFileInfo{}.Encode());
    writer.Open("StringFileInfo");
    writer.Open("040904e4");
    writer.Text("ProductName", "English");
    writer.Close();
    writer.Open("040704B0"); // keys match without regard to case
    writer.Text("ProductName", "Deutsch");
    writer.Close();
    writer.Close();
    writer.Open("VarFileInfo");
    writer.OpenBinary("Translation",
                      std::array<std::uint8_t, 8>{0x07, 0x04, 0xB0, 0x04, 0x09, 0x04, 0xE4, 0x04});
    writer.Close();
    writer.Close();
    writer.Close();
    TTempDir folder;
    const TVerInfoRes info(folder.Write("program", Elf(BytesOf(writer)).Bytes()));
    EXPECT_EQ(info.StringValue("ProductName"), "Deutsch");
    EXPECT_EQ(info.StringValue("FileVersion"), "");
}

// Damage anywhere in a file gives a version error or a reading, never a
// crash or a read outside the file.
TEST(VerInfoRes, DamagedFilesNeverCrash)
{
    TTempDir folder;
    const std::string original = Elf(StandardBlock()).Bytes();
    std::mt19937 random(42);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = original;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            damaged[random() % damaged.size()] = static_cast<char>(random());
        if (round % 5 == 0)
            damaged.resize(random() % damaged.size());
        const std::string path = folder.Write("damaged", damaged);
        try {
            const TVerInfoRes info(path);
            info.StringValue("ProductName");
            info.FileVersionText();
        } catch (const EVerInfoError&) {
        }
    }
}

} // namespace
