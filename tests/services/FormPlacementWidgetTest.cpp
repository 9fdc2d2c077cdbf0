#include "services/FormPlacement.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

TEST(FormPlacementWidgetTest, StoredEdgesAreKeptOnTheScreen)
{
    const struct {
        int Edge;
        int Screen;
        int Expected;
    } cases[] = {
        {-50, 1024, 0},   {-1, 1024, 0},    {0, 1024, 0},     {500, 1024, 500},
        {924, 1024, 924}, {925, 1024, 824}, {950, 1024, 824}, {5000, 1024, 824},
        {668, 768, 668},  {669, 768, 568},  {-300, 768, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepEdgeOnScreen(c.Edge, c.Screen), c.Expected) << c.Edge << " on " << c.Screen;
}

namespace {

class FormPlacementStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(Store.FileName()); }

    static void MakeWindow(QWidget& window, const QRect& geometry)
    {
        window.setObjectName("MainForm");
        window.setGeometry(geometry);
    }

    void Store4(int left, int top, int width, int height) const
    {
        Store.WriteInteger("MainForm", "Left", left);
        Store.WriteInteger("MainForm", "Top", top);
        Store.WriteInteger("MainForm", "Width", width);
        Store.WriteInteger("MainForm", "Height", height);
    }

    static QSize Screen() { return QGuiApplication::primaryScreen()->availableGeometry().size(); }

    TSettingsStore Store{"Software\\Brennick\\Placement"};
};

} // namespace

TEST_F(FormPlacementStoreTest, PlacementComesBack)
{
    QWidget window;
    MakeWindow(window, QRect(30, 40, 300, 200));
    SaveFormPlacement(window, Store);
    EXPECT_EQ(Store.ReadInteger("MainForm", "Left", -1), 30);
    EXPECT_EQ(Store.ReadInteger("MainForm", "Top", -1), 40);
    EXPECT_EQ(Store.ReadInteger("MainForm", "Width", -1), 300);
    EXPECT_EQ(Store.ReadInteger("MainForm", "Height", -1), 200);
    EXPECT_EQ(Store.ReadString("MainForm", "Visible", ""), "0");
    EXPECT_EQ(Store.ReadInteger("MainForm", "WinState", -1), 0);

    QWidget reopened;
    MakeWindow(reopened, QRect(0, 0, 640, 480));
    LoadFormPlacement(reopened, Store);
    EXPECT_EQ(reopened.geometry(), QRect(30, 40, 300, 200));
    EXPECT_EQ(reopened.windowState(), Qt::WindowNoState);
    EXPECT_FALSE(reopened.isVisible()); // visibility is not restored
}

TEST_F(FormPlacementStoreTest, StoredPositionIsPulledBackOnTheScreen)
{
    const QSize screen = Screen();
    const struct {
        QPoint Stored;
        QPoint Expected;
    } cases[] = {
        {{-50, -10}, {0, 0}},
        {{screen.width() - 50, screen.height() - 99},
         {screen.width() - 200, screen.height() - 200}},
        {{screen.width() - 100, screen.height() - 100},
         {screen.width() - 100, screen.height() - 100}},
        {{10, 20}, {10, 20}},
    };
    for (const auto& c : cases) {
        Store4(c.Stored.x(), c.Stored.y(), 320, 240);
        QWidget window;
        MakeWindow(window, QRect(5, 5, 100, 100));
        LoadFormPlacement(window, Store);
        EXPECT_EQ(window.geometry(), QRect(c.Expected, QSize(320, 240))) << c.Stored.x();
    }
}

// A size larger than the screen, up to the largest integer, is cut to the
// screen, so that no edge lies out of reach and no sum overflows.
TEST_F(FormPlacementStoreTest, StoredSizeIsCutToTheScreen)
{
    const QSize screen = Screen();
    const struct {
        int Width, Height;
        QSize Expected;
    } cases[] = {
        {2147483647, 2147483647, screen},
        {2147483647, 240, {screen.width(), 240}},
        {screen.width() + 1, screen.height(), screen},
        {320, 240, {320, 240}},
    };
    for (const auto& c : cases) {
        Store4(10, 10, c.Width, c.Height);
        QWidget window;
        MakeWindow(window, QRect(5, 5, 100, 100));
        LoadFormPlacement(window, Store);
        EXPECT_EQ(window.geometry(), QRect(QPoint(10, 10), c.Expected)) << c.Width;
    }
}

TEST_F(FormPlacementStoreTest, WindowStateComesBack)
{
    QWidget window;
    MakeWindow(window, QRect(20, 30, 300, 200));
    window.show();
    window.showMaximized();
    ASSERT_TRUE(window.isMaximized());
    SaveFormPlacement(window, Store);
    EXPECT_EQ(Store.ReadInteger("MainForm", "WinState", -1), 2);
    EXPECT_EQ(Store.ReadString("MainForm", "Visible", ""), "1");
    // The size it returns to, not the maximised one.
    EXPECT_EQ(Store.ReadInteger("MainForm", "Width", -1), 300);

    QWidget reopened;
    MakeWindow(reopened, QRect(0, 0, 640, 480));
    LoadFormPlacement(reopened, Store);
    EXPECT_TRUE(reopened.windowState() & Qt::WindowMaximized);
    reopened.show();
    EXPECT_TRUE(reopened.isMaximized());
    reopened.showNormal();
    EXPECT_EQ(reopened.geometry().size(), QSize(300, 200));

    Store.WriteInteger("MainForm", "WinState", 1);
    QWidget minimised;
    MakeWindow(minimised, QRect(0, 0, 640, 480));
    LoadFormPlacement(minimised, Store);
    EXPECT_TRUE(minimised.windowState() & Qt::WindowMinimized);

    // A maximised window with a normal state stored opens normal.
    Store.WriteInteger("MainForm", "WinState", 0);
    QWidget normal;
    MakeWindow(normal, QRect(0, 0, 640, 480));
    normal.setWindowState(Qt::WindowMaximized);
    LoadFormPlacement(normal, Store);
    EXPECT_EQ(normal.windowState(), Qt::WindowNoState);
}

TEST_F(FormPlacementStoreTest, MissingOrUnusableValuesLeaveTheWindow)
{
    QWidget window;
    MakeWindow(window, QRect(15, 25, 333, 222));
    LoadFormPlacement(window, Store);
    EXPECT_EQ(window.geometry(), QRect(15, 25, 333, 222));
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);

    Store.WriteString("MainForm", "Left", "abc");
    Store.WriteString("MainForm", "Top", "");
    Store.WriteInteger("MainForm", "Width", 0);
    Store.WriteInteger("MainForm", "Height", -5);
    Store.WriteInteger("MainForm", "WinState", 7);
    LoadFormPlacement(window, Store);
    EXPECT_EQ(window.geometry(), QRect(15, 25, 333, 222));
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);
}

TEST_F(FormPlacementStoreTest, SectionIsTheWindowsName)
{
    QWidget preview;
    preview.setObjectName("PreviewForm");
    preview.setGeometry(1, 2, 150, 160);
    SaveFormPlacement(preview, Store);
    EXPECT_EQ(Store.ReadInteger("PreviewForm", "Height", -1), 160);
    EXPECT_FALSE(Store.SectionExists("MainForm"));

    QWidget unnamed;
    EXPECT_EQ(PlacementSection(unnamed), "QWidget");
}
