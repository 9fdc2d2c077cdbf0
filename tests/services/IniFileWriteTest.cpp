#include "common/Errors.h"
#include "services/IniFile.h"
#include "support/TempDir.h"

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// A file with comments, blank lines, CRLF line ends, a value before any
// section and a section in two parts.
const std::string Sample = "; settings of the test\r\n"
                           "Orphan=1\r\n"
                           "[First]\r\n"
                           "  Alpha = one\r\n"
                           "; a comment inside\r\n"
                           "Beta=two\r\n"
                           "\r\n"
                           "[Second]\r\n"
                           "Gamma=three\r\n"
                           "[first]\r\n"
                           "alpha=shadowed\r\n"
                           "Delta=four\r\n";

} // namespace

TEST(IniFileWriteTest, EveryKindReadsBackWhatWasWritten)
{
    TTempDir dir;
    IniFile ini((dir.Path() / "kinds.ini").string());

    const std::vector<std::string> texts = {"plain", "", "a=b", "°C ümlaut", "  padded"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        ini.WriteString("Text", "T" + std::to_string(i), texts[i]);
    // Blanks around a value are not kept: the reader trims them.
    EXPECT_EQ(ini.ReadString("Text", "T4", "?"), "padded");
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(ini.ReadString("Text", "T" + std::to_string(i), "?"), texts[i]) << i;

    for (const std::int32_t value : {0, 1, -1, 42, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()}) {
        ini.WriteInteger("Integer", "Value", value);
        EXPECT_EQ(ini.ReadInteger("Integer", "Value", 7), value);
    }
    for (const bool value : {true, false}) {
        ini.WriteBool("Bool", "Value", value);
        EXPECT_EQ(ini.ReadBool("Bool", "Value", !value), value);
        EXPECT_EQ(ini.ReadString("Bool", "Value", ""), value ? "1" : "0");
    }

    const TIniDate date = 2024y / March / 5d;
    ini.WriteDate("Dates", "Date", date);
    EXPECT_EQ(ini.ReadDate("Dates", "Date", TIniDate{}), date);
    const TIniDateTime moment = local_days(1999y / December / 31d) + 23h + 59min + 58s + 7ms;
    ini.WriteDateTime("Dates", "Moment", moment);
    EXPECT_EQ(ini.ReadDateTime("Dates", "Moment", TIniDateTime{}), moment);
    ini.WriteTime("Dates", "Time", 14h + 30min);
    EXPECT_EQ(ini.ReadTime("Dates", "Time", TIniTime{}), 14h + 30min);
    EXPECT_EQ(ini.ReadString("Dates", "Moment", ""), "1999-12-31T23:59:58.007");

    // Every byte value, and a stream too long for a text value's 2047 characters.
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i * 7 + i / 256));
    ini.WriteBinaryStream("Bytes", "Long", bytes);
    EXPECT_EQ(ini.ReadBinaryStream("Bytes", "Long"), bytes);
    ini.WriteBinaryStream("Bytes", "Empty", {});
    EXPECT_TRUE(ini.ReadBinaryStream("Bytes", "Empty").empty());
    ini.WriteBinaryStream("Bytes", "Short", {0x00, 0xAB, 0x0F});
    EXPECT_EQ(ini.ReadString("Bytes", "Short", ""), "00AB0F");
}

TEST(IniFileWriteTest, FloatingValuesComeBackBitForBit)
{
    TTempDir dir;
    IniFile ini((dir.Path() / "floats.ini").string());
    std::vector<double> values = {
        0.0, -0.0, 0.1, 45.0, 1.63, -273.15, 1e-5, 1.0 / 3.0, std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
        std::nextafter(1.0, 2.0),
        // Their shortest texts read back one bit off when
        // parsed in extended precision first.
        -0x1.6e871124a6f67p-23, 0x1.dd379a332efe1p-689};
    std::mt19937_64 random(20240305);
    for (int i = 0; i < 300; ++i) {
        double value;
        do
            value = std::bit_cast<double>(random());
        while (!std::isfinite(value));
        values.push_back(value);
    }
    for (const double value : values) {
        ini.WriteFloat("Float", "Value", value);
        EXPECT_EQ(Bits(ini.ReadFloat("Float", "Value", 99)), Bits(value))
            << ini.ReadString("Float", "Value", "");
    }
}

TEST(IniFileWriteTest, TextForms)
{
    const struct {
        double Value;
        const char* Text;
    } floats[] = {{45, "45"},        {0.1, "0.1"}, {-7.5, "-7.5"},   {1e-5, "1e-05"},
                  {1e300, "1e+300"}, {-0.0, "-0"}, {HUGE_VAL, "inf"}};
    for (const auto& c : floats)
        EXPECT_EQ(IniFile::FloatText(c.Value), c.Text);

    EXPECT_EQ(IniFile::DateText(2024y / January / 9d), "2024-01-09");
    EXPECT_EQ(IniFile::DateText(year(5) / 2 / 3), "0005-02-03");
    EXPECT_EQ(IniFile::TimeText(0ms), "00:00:00");
    EXPECT_EQ(IniFile::TimeText(9h + 5min + 3s + 250ms), "09:05:03.250");
    EXPECT_EQ(IniFile::DateTimeText(local_days(2000y / February / 29d) + 6h),
              "2000-02-29T06:00:00");
    EXPECT_THROW(IniFile::DateText(2023y / February / 29d), EConvertError);
    EXPECT_THROW(IniFile::DateText(year(10000) / 1 / 1), EConvertError);
    EXPECT_THROW(IniFile::TimeText(24h), EConvertError);
    EXPECT_THROW(IniFile::TimeText(-1ms), EConvertError);

    const struct {
        const char* Text;
        bool Valid;
    } dates[] = {{"2024-03-05", true},  {" 2024-03-05 ", true}, {"2024-3-5", false},
                 {"2023-02-29", false}, {"2024-13-01", false},  {"2024/03/05", false},
                 {"", false},           {"2024-03-05T", false}, {"abcd-ef-gh", false}};
    for (const auto& c : dates)
        EXPECT_EQ(IniFile::ParseDate(c.Text).has_value(), c.Valid) << c.Text;

    const struct {
        const char* Text;
        std::optional<TIniTime> Expected;
    } times[] = {{"14:30", 14h + 30min},
                 {"14:30:15", 14h + 30min + 15s},
                 {"14:30:15.5", 14h + 30min + 15s + 500ms},
                 {"14:30:15.05", 14h + 30min + 15s + 50ms},
                 {"00:00:00.001", 1ms},
                 {"24:00", std::nullopt},
                 {"12:60", std::nullopt},
                 {"12:00:60", std::nullopt},
                 {"12:00:00.", std::nullopt},
                 {"12:00:00.1234", std::nullopt},
                 {"1:00", std::nullopt},
                 {"12:00:", std::nullopt},
                 {"noon", std::nullopt}};
    for (const auto& c : times)
        EXPECT_EQ(IniFile::ParseTime(c.Text), c.Expected) << c.Text;

    const struct {
        const char* Text;
        std::optional<TIniDateTime> Expected;
    } moments[] = {{"2024-03-05T14:30:00", local_days(2024y / 3 / 5) + 14h + 30min},
                   {"2024-03-05 14:30", local_days(2024y / 3 / 5) + 14h + 30min},
                   {"2024-03-05", local_days(2024y / 3 / 5) + 0ms},
                   {"2024-03-05T", std::nullopt},
                   {"2024-03-05X14:30", std::nullopt},
                   {"2024-03-05T25:00", std::nullopt}};
    for (const auto& c : moments)
        EXPECT_EQ(IniFile::ParseDateTime(c.Text), c.Expected) << c.Text;

    const struct {
        const char* Text;
        std::optional<std::vector<std::uint8_t>> Expected;
    } hex[] = {{"", std::vector<std::uint8_t>{}},
               {"00ff7A", std::vector<std::uint8_t>{0x00, 0xFF, 0x7A}},
               {"ABC", std::nullopt},
               {"0G", std::nullopt},
               {"0x1F", std::nullopt}};
    for (const auto& c : hex)
        EXPECT_EQ(IniFile::ParseHex(c.Text), c.Expected) << c.Text;
}

TEST(IniFileWriteTest, UnreadableDatesAndStreamsGiveTheDefault)
{
    TTempDir dir;
    const IniFile ini(dir.Write("dates.ini", "[S]\nDate=05.03.2024\nTime=\nMoment=soon\n"
                                             "Odd=ABC\nBad=ZZ\n"));
    const TIniDate date = 2001y / 1 / 1;
    EXPECT_EQ(ini.ReadDate("S", "Date", date), date);
    EXPECT_EQ(ini.ReadDate("S", "Missing", date), date);
    EXPECT_EQ(ini.ReadTime("S", "Time", 5s), 5s);
    EXPECT_EQ(ini.ReadDateTime("S", "Moment", local_days(date) + 1ms), local_days(date) + 1ms);
    EXPECT_TRUE(ini.ReadBinaryStream("S", "Odd").empty());
    EXPECT_TRUE(ini.ReadBinaryStream("S", "Bad").empty());
    EXPECT_TRUE(ini.ReadBinaryStream("S", " ").empty());
}

TEST(IniFileWriteTest, WritingKeepsTheRestOfTheFile)
{
    TTempDir dir;
    const struct {
        const char* What;
        void (*Change)(IniFile&);
        std::string Expected;
    } cases[] = {
        {"an existing value is replaced where the reader finds it",
         [](IniFile& ini) { ini.WriteString("FIRST", "alpha", "uno"); },
         "; settings of the test\r\nOrphan=1\r\n[First]\r\n  Alpha =uno\r\n"
         "; a comment inside\r\nBeta=two\r\n\r\n[Second]\r\nGamma=three\r\n[first]\r\n"
         "alpha=shadowed\r\nDelta=four\r\n"},
        {"a value of the second part of a section is replaced there",
         [](IniFile& ini) { ini.WriteInteger("First", "Delta", 4); },
         "; settings of the test\r\nOrphan=1\r\n[First]\r\n  Alpha = one\r\n"
         "; a comment inside\r\nBeta=two\r\n\r\n[Second]\r\nGamma=three\r\n[first]\r\n"
         "alpha=shadowed\r\nDelta=4\r\n"},
        {"a new value goes after the last value of the section's first part",
         [](IniFile& ini) { ini.WriteBool("First", "Epsilon", true); },
         "; settings of the test\r\nOrphan=1\r\n[First]\r\n  Alpha = one\r\n"
         "; a comment inside\r\nBeta=two\r\nEpsilon=1\r\n\r\n[Second]\r\nGamma=three\r\n"
         "[first]\r\nalpha=shadowed\r\nDelta=four\r\n"},
        {"a new section goes at the end, with the file's line ends",
         [](IniFile& ini) { ini.WriteString(" Third ", " Zeta ", "six"); },
         Sample + "\r\n[Third]\r\nZeta=six\r\n"},
        {"a value outside any section does not count",
         [](IniFile& ini) { ini.WriteString("Second", "Orphan", "2"); },
         "; settings of the test\r\nOrphan=1\r\n[First]\r\n  Alpha = one\r\n"
         "; a comment inside\r\nBeta=two\r\n\r\n[Second]\r\nGamma=three\r\nOrphan=2\r\n"
         "[first]\r\nalpha=shadowed\r\nDelta=four\r\n"},
        {"erasing a section removes every part of it with its comments",
         [](IniFile& ini) { ini.EraseSection("first"); },
         "; settings of the test\r\nOrphan=1\r\n[Second]\r\nGamma=three\r\n"},
        {"deleting a value removes it from every part of its section",
         [](IniFile& ini) { ini.DeleteKey("First", "ALPHA"); },
         "; settings of the test\r\nOrphan=1\r\n[First]\r\n; a comment inside\r\nBeta=two\r\n"
         "\r\n[Second]\r\nGamma=three\r\n[first]\r\nDelta=four\r\n"},
        {"erasing or deleting what is not there changes nothing",
         [](IniFile& ini) {
             ini.EraseSection("Missing");
             ini.DeleteKey("Second", "Missing");
             ini.DeleteKey("Missing", "Gamma");
             ini.UpdateFile();
         },
         Sample},
    };
    for (const auto& c : cases) {
        IniFile ini(dir.Write("sample.ini", Sample));
        c.Change(ini);
        EXPECT_EQ(Contents(ini.FileName()), c.Expected) << c.What;
    }

    IniFile ini(dir.Write("sample.ini", Sample));
    ini.WriteString("First", "Alpha", "uno");
    EXPECT_EQ(ini.ReadString("First", "Alpha", ""), "uno");
    ini.DeleteKey("First", "Alpha");
    EXPECT_EQ(ini.ReadString("First", "Alpha", "gone"), "gone"); // not the shadowed one
}

TEST(IniFileWriteTest, NewFilesAndFilesWithoutFinalLineEnd)
{
    TTempDir dir;
    IniFile fresh((dir.Path() / "new.ini").string());
    fresh.EraseSection("Nothing"); // nothing to do: no file is made
    EXPECT_FALSE(fs::exists(fresh.FileName()));
    fresh.WriteString("A", "x", "1");
    fresh.WriteString("B", "y", "2");
    fresh.WriteString("A", "z", "3");
    EXPECT_EQ(Contents(fresh.FileName()), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");

    IniFile unterminated(dir.Write("open.ini", "[A]\nx=1"));
    unterminated.WriteString("A", "y", "2");
    EXPECT_EQ(Contents(unterminated.FileName()), "[A]\nx=1\ny=2\n");
    IniFile replaced(dir.Write("open2.ini", "[A]\nx=1"));
    replaced.WriteString("A", "x", "9");
    EXPECT_EQ(Contents(replaced.FileName()), "[A]\nx=9");
}

TEST(IniFileWriteTest, Windows1252FileIsWrittenBackAsTheTextItWasReadAs)
{
    TTempDir dir;
    IniFile ini(dir.Write("cp1252.ini", "[R22]\r\nUnit=\xB0"
                                        "C\r\n"));
    ini.WriteString("R22", "Density", "kg/m\xC2\xB3");
    EXPECT_EQ(Contents(ini.FileName()), "[R22]\r\nUnit=\xC2\xB0"
                                        "C\r\nDensity=kg/m\xC2\xB3\r\n");
    EXPECT_EQ(ini.ReadString("R22", "Unit", ""), "\xC2\xB0"
                                                 "C");
}

TEST(IniFileWriteTest, WritesThatCannotBeDoneRaiseAndLeaveTheFile)
{
    TTempDir dir;
    const std::string path = dir.Write("keep.ini", Sample);
    const struct {
        const char* Section;
        const char* Name;
        const char* Value;
    } refused[] = {
        {"", "Name", "v"},    {"  ", "Name", "v"},       {"S", "", "v"},
        {"S", " ", "v"},      {"S]x", "Name", "v"},      {"S\nT", "Name", "v"},
        {"S", "a=b", "v"},    {"S", "[x", "v"},          {"S", ";x", "v"},
        {"S", "Na\nme", "v"}, {"S", "Name", "one\ntwo"}, {"S", "Name", "one\rtwo"},
    };
    for (const auto& c : refused) {
        IniFile ini(path);
        try {
            ini.WriteString(c.Section, c.Name, c.Value);
            ADD_FAILURE() << "written: [" << c.Section << "] " << c.Name << "=" << c.Value;
        } catch (const EVelloxError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
        }
    }
    IniFile ini(path);
    EXPECT_THROW(ini.EraseSection(" "), EVelloxError);
    EXPECT_EQ(Contents(path), Sample);

    // A folder that is not there, and a folder in place of the file.
    for (const std::string& name :
         {(dir.Path() / "missing" / "x.ini").string(), dir.Path().string()}) {
        IniFile target(name);
        try {
            target.WriteInteger("S", "Name", 1);
            ADD_FAILURE() << name;
        } catch (const EVelloxError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + name);
        }
    }
    IniFile folder(dir.Path().string());
    EXPECT_THROW(folder.DeleteKey("S", "Name"), EVelloxError);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(IniFileWriteTest, ReplacingKeepsPermissionsAndLinks)
{
    TTempDir dir;
    const std::string real = dir.Write("real.ini", "[A]\nx=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = dir.Path() / "link.ini";
    fs::create_symlink(real, link);

    IniFile ini(link.string());
    ini.WriteString("A", "x", "2");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(real), "[A]\nx=2\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(IniFileEncoding, ByteOrderMarkDoesNotHideTheFirstSection)
{
    TTempDir dir;
    const IniFile ini(dir.Write("bom.ini", "\xEF\xBB\xBF[R22]\nTCrit=96.1\n"));
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"R22"});
    EXPECT_EQ(ini.ReadFloat("R22", "TCrit", 0), 96.1);
}
