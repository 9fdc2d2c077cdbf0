// The report's page settings in the settings store, section "Report".
#include "common/Errors.h"
#include "report/ReportSettings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QFile>

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
    LoadReportSettings(Store);
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
    ReportSettings().Positions = {94.0 / 38, 1, 2, 3, 4.25, 1e-7, 12, 13, 14, 15, 16, 123456};
    ReportSettings().Zoom = zmWholePage;
    ReportSettings().Font.Font.setFamily("DejaVu Serif");
    ReportSettings().Font.Font.setPointSize(11);
    ReportSettings().Font.Font.setBold(true);
    Store.WriteString("Report", "Stale", "gone after saving");
    SaveReportSettings(Store);

    EXPECT_EQ(Stored("Left margin"), "2.47368421052632");
    EXPECT_EQ(Stored("Right margin"), "1");
    EXPECT_EQ(Stored("mX1"), "4.25");
    EXPECT_EQ(Stored("mX8"), "123456");
    EXPECT_EQ(Stored("Stale"), "(none)");
    EXPECT_EQ(Store.ReadInteger("Report", "Zoom", -1), 1);
    EXPECT_EQ(Store.ReadInteger("Report", "Size", -1), 11);

    const TReportSettings saved = ReportSettings();
    ReportSettings().Positions = DefaultMargins();
    ReportSettings().Zoom = zmActualSize;
    ReportSettings().Font.Font.setPointSize(8);
    LoadReportSettings(Store);
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

// A position edited by hand with a decimal comma stops the loading there.
TEST_F(ReportSettingsTest, PositionThatIsNotANumberStopsTheLoading)
{
    Store.WriteString("Report", "Left margin", "3");
    Store.WriteString("Report", "Right margin", "4");
    Store.WriteString("Report", "Top margin", "2,5");
    Store.WriteString("Report", "Bottom margin", "5");
    Store.WriteInteger("Report", "Zoom", 1);
    EXPECT_THROW(LoadReportSettings(Store), EConvertError);
    const TPositions expected = {3, 4, 2.5, 2.5, 3.5, 11, 12, 13, 14, 15, 16, 17};
    EXPECT_EQ(ReportSettings().Positions, expected);
    EXPECT_EQ(ReportSettings().Zoom, zmActualSize);
}

} // namespace
