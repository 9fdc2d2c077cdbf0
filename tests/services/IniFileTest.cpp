#include "services/IniFile.h"

#include "support/Fifo.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using TLines = std::vector<std::string>;

// Written with CRLF line ends, as the refrigerant library file is.
const char* const Sample = "; refrigerant library\r\n"
                           "Orphan=before any section\r\n"
                           "[R22]\r\n"
                           "Name = Chlorodifluoromethane  \r\n"
                           "  tCrit=96.145\r\n"
                           "Hex=0x1F\r\n"
                           "HexUpper=0XfF\r\n"
                           "NotHex=1F\r\n"
                           "Negative=-7\r\n"
                           "Spaced=  42 \r\n"
                           "Empty=\r\n"
                           "Equation=a=b\r\n"
                           "Two Words=yes\r\n"
                           "name=second of a repeated name\r\n"
                           "   =value without a name\r\n"
                           "no equals sign here\r\n"
                           "Comma=1,5\r\n"
                           "Huge=1E400\r\n"
                           "AllBits=0xFFFFFFFF\r\n"
                           "TooWide=0x100000000\r\n"
                           "JustHex=0x\r\n"
                           "Big=2147483648\r\n"
                           "Flag=5\r\n"
                           "Off=0\r\n"
                           "\r\n"
                           "[ Empty Section ]\r\n"
                           "; only a comment\r\n"
                           "[r134a]\r\n"
                           "Name=Tetrafluoroethane\r\n"
                           "[R22]\r\n"
                           "Name=repeated section\r\n"
                           "Extra=from the repeated section\r\n"
                           "[ ]\r\n"
                           "Blank=section\r\n";

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device device;
        Folder = fs::temp_directory_path() /
                 ("vellox-ini-" + std::to_string(device()) + "-" + std::to_string(device()));
        fs::create_directories(Folder);
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(Folder, ignored);
    }

    std::string Write(const std::string& name, const std::string& content) const
    {
        const fs::path path = Folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    fs::path Folder;
};

} // namespace

TEST_F(IniFileTest, ReadsTextWithCaseInsensitiveNamesTrimmedValuesAndFirstNameWinning)
{
    const IniFile ini(Write("RefLib8.rdf", Sample));
    const struct {
        const char* Section;
        const char* Name;
        const char* Expected;
    } cases[] = {
        {"R22", "Name", "Chlorodifluoromethane"},
        {"r22", "NAME", "Chlorodifluoromethane"},
        {"R22", "tcrit", "96.145"},
        {"R22", "Spaced", "42"},
        {"R22", "Empty", ""}, // present but empty: not the default
        {"R22", "Equation", "a=b"},
        {"R22", "two words", "yes"},
        {"R22", "Extra", "from the repeated section"},
        {"R134A", "Name", "Tetrafluoroethane"},
        {"R22", "Missing", "default"},
        {"Missing", "Name", "default"},
        {"R22", "", "default"},
        {"R22", "   ", "default"}, // even though the file has such an entry
        {"", "Name", "default"},
        {"  ", "Blank", "default"},
        {"R22", "Orphan", "default"},
        {"R22", "no equals sign here", "default"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.Section, c.Name, "default"), c.Expected)
            << "[" << c.Section << "] " << c.Name;
}

TEST_F(IniFileTest, ReadsIntegersBooleansAndFloats)
{
    const IniFile ini(Write("values.ini", Sample));
    const struct {
        const char* Name;
        std::int32_t Expected;
    } integers[] = {
        {"Hex", 31},   {"HexUpper", 255}, {"NotHex", -1},  {"Negative", -7}, {"Spaced", 42},
        {"Empty", -1}, {"AllBits", -1},   {"TooWide", -1}, {"JustHex", -1},  {"Big", -1},
        {"tCrit", -1}, {"Missing", -1},   {"Name", -1},    {"Flag", 5},
    };
    for (const auto& c : integers)
        EXPECT_EQ(ini.ReadInteger("R22", c.Name, -1), c.Expected) << c.Name;
    EXPECT_EQ(ini.ReadInteger("R22", "AllBits", 0), -1); // eight hex digits: the full pattern

    EXPECT_TRUE(ini.ReadBool("R22", "Flag", false));
    EXPECT_FALSE(ini.ReadBool("R22", "Off", true));
    EXPECT_TRUE(ini.ReadBool("R22", "Name", true));
    EXPECT_FALSE(ini.ReadBool("R22", "Missing", false));

    const struct {
        const char* Name;
        double Expected;
    } floats[] = {
        {"tCrit", 96.145}, {"Spaced", 42}, {"Negative", -7}, {"Comma", -1}, {"Empty", -1},
        {"Missing", -1},   {"NotHex", -1}, {"Huge", -1}, // too large for a double: the default, the
                                                         // library keeps its value
    };
    for (const auto& c : floats)
        EXPECT_EQ(ini.ReadFloat("R22", c.Name, -1), c.Expected) << c.Name;
    EXPECT_EQ(ini.ReadFloat("R22", " ", -1), -1);
}

TEST_F(IniFileTest, ListsSectionsNamesAndLines)
{
    const IniFile ini(Write("lists.ini", Sample));
    EXPECT_EQ(ini.ReadSections(), (TLines{"R22", "Empty Section", "r134a", ""}));
    EXPECT_EQ(ini.ReadSection("r134A"), (TLines{"Name"}));
    EXPECT_EQ(ini.ReadSection("R22").front(), "Name");
    EXPECT_EQ(ini.ReadSection("R22").back(), "Extra");
    EXPECT_EQ(ini.ReadSection("R22").size(), 19u);
    EXPECT_EQ(ini.ReadSection("  "), TLines{});
    EXPECT_EQ(ini.ReadSectionValues("R134a"), (TLines{"Name=Tetrafluoroethane"}));
    const TLines lines = ini.ReadSectionValues("R22");
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "Name=Chlorodifluoromethane");
    EXPECT_EQ(lines[7], "Empty=");
    EXPECT_EQ(lines[8], "Equation=a=b");
    EXPECT_EQ(lines[18], "Extra=from the repeated section");

    EXPECT_TRUE(ini.SectionExists("r22"));
    EXPECT_FALSE(ini.SectionExists("Empty Section")); // no values: counts as missing
    EXPECT_FALSE(ini.SectionExists("Missing"));
    EXPECT_FALSE(ini.SectionExists(""));
}

TEST_F(IniFileTest, ValuesAreCutAt2047Characters)
{
    const std::string longValue(3000, 'x');
    const IniFile ini(Write("long.ini", "[S]\nLong=" + longValue +
                                            "\nExact=" + std::string(2047, 'y') + "\nAfter=1\n"));
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadString("S", "Exact", ""), std::string(2047, 'y'));
    EXPECT_EQ(ini.ReadInteger("S", "After", 0), 1);
}

TEST_F(IniFileTest, Windows1252FileIsReadAsUtf8)
{
    const IniFile ini(Write("cp1252.ini", "[R22]\r\nUnit=\xB0"
                                          "C\r\nDensity=kg/m\xB3\r\n[\xB5]\r\nA=1\r\n"));
    EXPECT_EQ(ini.ReadString("R22", "Unit", ""), "\xC2\xB0"
                                                 "C");
    EXPECT_EQ(ini.ReadString("R22", "Density", ""), "kg/m\xC2\xB3");
    EXPECT_EQ(ini.ReadInteger("\xC2\xB5", "A", 0), 1);
}

TEST_F(IniFileTest, MissingFileOrFolderGivesDefaults)
{
    for (const std::string& name : {(Folder / "absent.ini").string(), Folder.string()}) {
        const IniFile ini(name);
        EXPECT_EQ(ini.ReadString("R22", "Name", "d"), "d") << name;
        EXPECT_EQ(ini.ReadInteger("R22", "Name", 3), 3) << name;
        EXPECT_EQ(ini.ReadFloat("R22", "Name", 2.5), 2.5) << name;
        EXPECT_TRUE(ini.ReadSections().empty()) << name;
        EXPECT_TRUE(ini.ReadSectionValues("R22").empty()) << name;
        EXPECT_FALSE(ini.SectionExists("R22")) << name;
    }
}

// Whatever the file holds, reading never fails and never crashes.
TEST_F(IniFileTest, GarbageNeverCrashes)
{
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> size(0, 4000);
    const std::string tokens = std::string("[]=\r\n;R2x ") + '\0';
    std::uniform_int_distribution<std::size_t> token(0, tokens.size() - 1);
    std::vector<std::string> contents = {"",
                                         "[",
                                         "]",
                                         "=",
                                         "[=]",
                                         "[R22",
                                         "[R22]\n=",
                                         std::string(100000, '['),
                                         "[R22]\nName=" + std::string(100000, 'a')};
    for (int i = 0; i < 150; ++i) {
        std::string content;
        const int length = size(random);
        for (int k = 0; k < length; ++k)
            content += i % 2 == 0 ? static_cast<char>(byte(random)) : tokens[token(random)];
        contents.push_back(content);
    }
    for (const auto& content : contents) {
        const IniFile ini(Write("garbage.ini", content));
        EXPECT_NO_THROW({
            for (const auto& section : ini.ReadSections()) {
                for (const auto& name : ini.ReadSection(section)) {
                    ini.ReadString(section, name, "");
                    ini.ReadInteger(section, name, 0);
                    ini.ReadFloat(section, name, 0);
                }
                ini.ReadSectionValues(section);
                ini.SectionExists(section);
            }
            ini.ReadString("R22", "Name", "");
        });
        EXPECT_LE(ini.ReadString("R22", "Name", "").size(), 2047u * 4);
    }
}

namespace {

// A file of many refrigerant-like sections, each repeated once further down
// (its values join the first), read in time proportional to its size.
TEST(IniFileSize, ManySectionsReadInLinearTime)
{
    TTempDir dir;
    std::string text;
    constexpr int Count = 60000;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < Count; ++i)
            text += "[R" + std::to_string(i) + "]\nRNumber=R" + std::to_string(i) + "\nK" +
                    std::to_string(pass) + "=" + std::to_string(i) + "\n";
    const IniFile file(dir.Write("big.rdf", text));
    const auto start = std::chrono::steady_clock::now();
    const auto names = file.ReadSections();
    const auto last = file.ReadSectionMap("r59999");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(names.size(), static_cast<std::size_t>(Count));
    EXPECT_EQ(names.back(), "R59999");
    EXPECT_EQ(last.ReadString("K1", ""), "59999");
    EXPECT_EQ(last.Values.size(), 3U);
    // Searching the sections read so far on every line took half a minute in
    // an optimised build; linear reading takes well under a second there and
    // some five seconds in a debug build with the sanitizers.
    EXPECT_LT(elapsed, std::chrono::seconds(15));
}

TEST(IniFileSize, FifoInPlaceOfTheFileCountsAsMissing)
{
    TTempDir dir;
    const auto fifo = dir.Path() / "lib.rdf";
    ASSERT_TRUE(MakeFifo(fifo));
    std::vector<std::string> names{"unread"};
    EXPECT_TRUE(ReturnsBesideAFifo(fifo, [&] { names = IniFile(fifo.string()).ReadSections(); }));
    EXPECT_TRUE(names.empty());
}

} // namespace
