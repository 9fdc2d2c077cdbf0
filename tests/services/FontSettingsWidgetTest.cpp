#include "services/FontSettings.h"

#include <gtest/gtest.h>
#include <QFile>

TEST(FontSettingsWidgetTest, StyleBits)
{
    for (int bits = 0; bits < 16; ++bits) {
        QFont font;
        ApplyFontStyleBits(font, bits);
        EXPECT_EQ(FontStyleBits(font), bits);
        EXPECT_EQ(font.bold(), (bits & 1) != 0);
        EXPECT_EQ(font.italic(), (bits & 2) != 0);
        EXPECT_EQ(font.underline(), (bits & 4) != 0);
        EXPECT_EQ(font.strikeOut(), (bits & 8) != 0);
    }
    // Bits above strike-out mean nothing.
    QFont font;
    ApplyFontStyleBits(font, 0x30 | 2);
    EXPECT_EQ(FontStyleBits(font), 2);
    // A weight between normal and bold is kept while boldness does not change.
    font.setWeight(QFont::Medium);
    ApplyFontStyleBits(font, 2);
    EXPECT_EQ(font.weight(), QFont::Medium);
    font.setWeight(QFont::DemiBold);
    ApplyFontStyleBits(font, 1);
    EXPECT_EQ(font.weight(), QFont::DemiBold);
    ApplyFontStyleBits(font, 0);
    EXPECT_EQ(font.weight(), QFont::Normal);
}

TEST(FontSettingsWidgetTest, ColourValuesHaveRedInTheLowByte)
{
    const struct {
        QColor Color;
        int Value;
    } cases[] = {
        {QColor(0x12, 0x34, 0x56), 0x563412},
        {QColor(Qt::red), 0x0000FF},
        {QColor(Qt::blue), 0xFF0000},
        {QColor(Qt::white), 0xFFFFFF},
        {QColor(Qt::black), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorValue(c.Color), c.Value) << c.Value;
        EXPECT_EQ(ColorFromValue(c.Value), c.Color) << c.Value;
    }
    // System colour numbers and other values with high bits are no plain colour.
    for (const int value : {static_cast<int>(0x80000008U), -1, 0x01000000, 0x1FFFFFFF})
        EXPECT_FALSE(ColorFromValue(value)) << value;
}

namespace {

class FontStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(Store.FileName()); }
    TSettingsStore Store{"Software\\Brennick\\Fonts"};
};

} // namespace

TEST_F(FontStoreTest, FontComesBack)
{
    TStoredFont chosen;
    chosen.Font = QFont("Courier New", 13);
    chosen.Font.setBold(true);
    chosen.Font.setUnderline(true);
    chosen.Color = QColor(1, 2, 3);
    chosen.Charset = 238;
    SaveFont(chosen, "Report", Store);

    EXPECT_EQ(Store.ReadString("Report", "Name", ""), "Courier New");
    EXPECT_EQ(Store.ReadInteger("Report", "Charset", -1), 238);
    EXPECT_EQ(Store.ReadInteger("Report", "Style", -1), 5);
    EXPECT_EQ(Store.ReadInteger("Report", "Size", -1), 13);
    EXPECT_EQ(Store.ReadInteger("Report", "Color", -1), 0x030201);

    const TStoredFont loaded = LoadFont("Report", Store);
    EXPECT_EQ(loaded.Font.family(), "Courier New");
    EXPECT_EQ(loaded.Font.pointSize(), 13);
    EXPECT_EQ(FontStyleBits(loaded.Font), 5);
    EXPECT_EQ(loaded.Color, QColor(1, 2, 3));
    EXPECT_EQ(loaded.Charset, 238);
}

TEST_F(FontStoreTest, MissingOrUnusableValuesLeaveTheFont)
{
    TStoredFont chosen;
    chosen.Font = QFont("Arial", 10);
    chosen.Font.setItalic(true);
    chosen.Color = QColor(10, 20, 30);
    chosen.Charset = 0;
    const TStoredFont before = chosen;

    LoadFont(chosen, "Missing", Store);
    EXPECT_EQ(chosen.Font, before.Font);
    EXPECT_EQ(chosen.Color, before.Color);
    EXPECT_EQ(chosen.Charset, before.Charset);

    Store.WriteInteger("Edited", "Size", 0);
    Store.WriteString("Edited", "Style", "bold");
    Store.WriteString("Edited", "Charset", "x");
    Store.WriteInteger("Edited", "Color", static_cast<int>(0x80000008U));
    LoadFont(chosen, "Edited", Store);
    EXPECT_EQ(chosen.Font, before.Font);
    EXPECT_EQ(chosen.Color, before.Color);
    EXPECT_EQ(chosen.Charset, before.Charset);
}
