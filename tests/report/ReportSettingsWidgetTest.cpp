// The report's page settings in the settings store, section "Report".
#include "common/Errors.h"
#include "report/ReportSettings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QFile>
#include <string>
#include <vector>

namespace {

class ReportSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(Store.FileName());
        SetDefaultTabs({3.5, 11});
        ReportSettings().Positions = DefaultMargins();
        ReportSettings().Zoom = zmActualSize;
    }

    QString Stored(const char* key) const { return Store.ReadString("Report", key, "(none)"); }

    TSettingsStore Store{"Software\\Brennick\\ReportSettings"};
};

TEST_F(ReportSettingsTest, FirstRunGivesTheDefaultsWithTheReportsTabStops)
{
    SetDefaultTabs({7.0, 9.0});
    EXPECT_TRUE(LoadReportSettings(Store).empty());
    const TPositions expected = {2.5, 2.5, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
    EXPECT_EQ(ReportSettings().Positions, expected);
    EXPECT_EQ(DefaultMargins(), expected);
    EXPECT_EQ(ReportSettings().Zoom, zmActualSize);
    EXPECT_EQ(ReportSettings().Font.Font.pointSize(), 8);
}

TEST_F(ReportSettingsTest, DefaultTabsTakeAtMostEightEntries)
{
    SetDefaultTabs({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const TPositions expected = {2.5, 2.5, 2.5, 2.5, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(DefaultMargins(), expected);
    SetDefaultTabs({3.5, 11, 12, 13, 14, 15, 16, 17});
}

// A run that never opened the report writes back what it loaded, unchanged:
// the twelve positions, "Zoom" and the five font values, nothing else.
TEST_F(ReportSettingsTest, SavedSettingsComeBackUnchanged)
{
    ReportSettings().Positions = {94.0 / 38, 1, 2, 3, 1e-7, 4.25, 12, 13, 14, 15, 16, 20.75};
    ReportSettings().Zoom = zmWholePage;
    ReportSettings().Font.Font.setFamily("DejaVu Serif");
    ReportSettings().Font.Font.setPointSize(11);
    ReportSettings().Font.Font.setBold(true);
    Store.WriteString("Report", "Stale", "gone after saving");
    SaveReportSettings(Store);

    EXPECT_EQ(Stored("Left margin"), "2.47368421052632");
    EXPECT_EQ(Stored("Right margin"), "1");
    EXPECT_EQ(Stored("mX1"), "1E-007");
    EXPECT_EQ(Stored("mX2"), "4.25");
    EXPECT_EQ(Stored("mX8"), "20.75");
    EXPECT_EQ(Stored("Stale"), "(none)");
    EXPECT_EQ(Store.ReadInteger("Report", "Zoom", -1), 1);
    EXPECT_EQ(Store.ReadInteger("Report", "Size", -1), 11);

    const TReportSettings saved = ReportSettings();
    ReportSettings().Positions = DefaultMargins();
    ReportSettings().Zoom = zmActualSize;
    ReportSettings().Font.Font.setPointSize(8);
    EXPECT_TRUE(LoadReportSettings(Store).empty());
    for (std::size_t i = 0; i < PositionCount; ++i)
        EXPECT_NEAR(ReportSettings().Positions[i], saved.Positions[i],
                    std::fabs(saved.Positions[i]) * 1e-14)
            << PositionKey(i);
    EXPECT_EQ(ReportSettings().Zoom, zmWholePage);
    EXPECT_EQ(ReportSettings().Font.Font.family(), "DejaVu Serif");
    EXPECT_EQ(ReportSettings().Font.Font.pointSize(), 11);
    EXPECT_TRUE(ReportSettings().Font.Font.bold());

    // Loaded and saved again, the stored texts are the same.
    SaveReportSettings(Store);
    EXPECT_EQ(Stored("Left margin"), "2.47368421052632");
}

// A position edited by hand with a decimal comma takes its default; the
// values after it are loaded all the same.
TEST_F(ReportSettingsTest, PositionThatIsNotANumberTakesItsDefault)
{
    Store.WriteString("Report", "Left margin", "3");
    Store.WriteString("Report", "Right margin", "4");
    Store.WriteString("Report", "Top margin", "2,5");
    Store.WriteString("Report", "Bottom margin", "5");
    Store.WriteInteger("Report", "Zoom", 1);
    const std::vector<std::string> problems = LoadReportSettings(Store);
    EXPECT_EQ(problems, std::vector<std::string>{
                            "report setting 'Top margin' = '2,5' is not a number; using 2.5"});
    const TPositions expected = {3, 4, 2.5, 5, 3.5, 11, 12, 13, 14, 15, 16, 17};
    EXPECT_EQ(ReportSettings().Positions, expected);
    EXPECT_EQ(ReportSettings().Zoom, zmWholePage);
}

// A stored value that would lay the report out off the paper, on pages
// without room for a line or in letters larger than the page takes its
// default, and the user is told the key, the range and the value used. The
// page is A4 (21 × 29.7 cm); the tab stops' defaults are the report's, 7 and
// 9 cm. Every other value is loaded all the same.
TEST_F(ReportSettingsTest, ValueOutOfItsRangeTakesItsDefault)
{
    SetDefaultTabs({7.0, 9.0});
    const struct {
        const char* Key;
        const char* Stored;
        double Used;         // the position, or the font size for "Size"
        const char* Problem; // empty: the stored value is used
    } cases[] = {
        {"Left margin", "0", 0, ""},
        {"Left margin", "-5", 2.5, "'Left margin' = -5 is out of range [0..21] cm; using 2.5"},
        {"Right margin", "1e300", 2.5,
         "'Right margin' = 1e300 is out of range [0..18.5] cm; using 2.5"},
        {"Top margin", "14.85", 14.85, ""},
        {"Top margin", "30", 2.5, "'Top margin' = 30 is out of range [0..14.85] cm; using 2.5"},
        {"Bottom margin", " 1e999 ", 2.5,
         "'Bottom margin' = 1e999 is out of range [0..14.85] cm; using 2.5"},
        {"Bottom margin", "nan", 2.5, "'Bottom margin' = 'nan' is not a number; using 2.5"},
        {"mX1", "-0.5", 7, "'mX1' = -0.5 is out of range [0..18.5] cm; using 7"},
        {"mX1", "9", 9, ""},
        {"mX2", "5", 9, "'mX2' = 5 is out of range [7..18.5] cm; using 9"},
        {"mX8", "1e300", 17, "'mX8' = 1e300 is out of range [0..21] cm; using 17"},
        {"Size", "72", 72, ""},
        {"Size", "2147483647", 8, "'Size' = 2147483647 is out of range [6..72] pt; using 8"},
        {"Size", "500", 8, "'Size' = 500 is out of range [6..72] pt; using 8"},
        {"Size", "0", 8, "'Size' = 0 is out of range [6..72] pt; using 8"},
        {"Size", "12.5", 8, "'Size' = '12.5' is not a whole number; using 8"},
    };
    for (const auto& c : cases) {
        QFile::remove(Store.FileName());
        ReportSettings().Positions = DefaultMargins();
        ReportSettings().Zoom = zmActualSize;
        ReportSettings().Font.Font.setPointSize(8);
        Store.WriteString("Report", c.Key, c.Stored);
        Store.WriteInteger("Report", "Zoom", 1);
        const std::vector<std::string> problems = LoadReportSettings(Store);
        const std::string key = c.Key;
        if (*c.Problem != '\0')
            EXPECT_EQ(problems,
                      std::vector<std::string>{"report setting " + std::string(c.Problem)})
                << key << " = " << c.Stored;
        else
            EXPECT_TRUE(problems.empty()) << key << " = " << c.Stored << ": " << problems[0];
        if (key == "Size") {
            EXPECT_EQ(ReportSettings().Font.Font.pointSize(), c.Used) << c.Stored;
        } else {
            for (std::size_t i = 0; i < PositionCount; ++i)
                EXPECT_EQ(ReportSettings().Positions[i],
                          PositionKey(i) == key ? c.Used : DefaultMargins()[i])
                    << key << " = " << c.Stored << ": " << PositionKey(i);
        }
        EXPECT_EQ(ReportSettings().Zoom, zmWholePage) << key << " = " << c.Stored;
    }
}

// The ranges follow the values loaded before: a wide stored right margin
// leaves the tab stops' defaults right of its line, so they go to the
// nearest place the preview could have put them, the right margin's line.
TEST_F(ReportSettingsTest, DefaultOutsideTheRangeGoesToItsNearerEnd)
{
    SetDefaultTabs({7.0, 9.0});
    Store.WriteString("Report", "Right margin", "15");
    Store.WriteString("Report", "mX1", "7");
    const std::vector<std::string> expected = {
        "report setting 'mX1' = 7 is out of range [0..6] cm; using 6",
        "report setting 'mX2' = 9 is out of range [6..6] cm; using 6"};
    EXPECT_EQ(LoadReportSettings(Store), expected);
    EXPECT_EQ(ReportSettings().Positions[1], 15);
    EXPECT_EQ(ReportSettings().Positions[4], 6);
    EXPECT_EQ(ReportSettings().Positions[5], 6);
    EXPECT_EQ(ReportSettings().Positions[6], 12);
}

// A printer page narrower than A4 narrows the ranges with it.
TEST_F(ReportSettingsTest, RangesAreThoseOfThePageGiven)
{
    Store.WriteString("Report", "Left margin", "20");
    Store.WriteString("Report", "Top margin", "14");
    const std::vector<std::string> expected = {
        "report setting 'Left margin' = 20 is out of range [0..19] cm; using 2.5",
        "report setting 'Top margin' = 14 is out of range [0..13.5] cm; using 2.5"};
    EXPECT_EQ(LoadReportSettings(Store, TPageSizeCm{19, 27}), expected);
}

} // namespace
