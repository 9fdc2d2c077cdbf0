#include "services/SettingsStore.h"
#include "support/Fifo.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <random>

namespace {

const QString Key = QStringLiteral("Software\\Brennick\\Vellox");

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(Store.FileName());
        ASSERT_FALSE(QFileInfo::exists(Store.FileName()));
    }

    // Replaces the file as a user editing it by hand would, dated later than
    // anything the store wrote so that no cached copy is taken for it.
    void Edit(const QByteArray& content)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Store.FileName()).path()));
        QFile file(Store.FileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        Stamp = Stamp.addSecs(10);
        ASSERT_TRUE(file.setFileTime(Stamp, QFileDevice::FileModificationTime));
    }

    TSettingsStore Store{Key};
    QDateTime Stamp = QDateTime::currentDateTime().addSecs(100);
};

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

} // namespace

TEST_F(SettingsStoreWidgetTest, KeyNamesTheFileInTheUsersConfigFolder)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(Store.Key(), Key);
    EXPECT_EQ(Store.FileName(), config + "/Brennick/Vellox.conf");
    EXPECT_EQ(TSettingsStore("Software\\Brennick\\my.tool").FileName(),
              config + "/Brennick/my.tool.conf");
    for (const QString& key : {QString(), QString("Software"), QString("Software\\Brennick"),
                               QString("\\\\"), QString("Software\\\\Brennick\\")})
        EXPECT_THROW(TSettingsStore{key}, ESettingsError) << key.toStdString();
}

TEST_F(SettingsStoreWidgetTest, ValuesReadBackAndAreWrittenAsText)
{
    Store.WriteInteger("Settings", "Refrig", 3);
    Store.WriteInteger("Settings", "Negative", -1);
    Store.WriteBool("MainForm", "Visible", true);
    Store.WriteBool("MainForm", "Hidden", false);
    Store.WriteString("Report", "Title", "Capillary, tube = 1.63 mm; \"quoted\" @home \\ \u00b0C");
    Store.WriteFloat("Settings", "tc", 45.0);

    EXPECT_EQ(Store.ReadInteger("Settings", "Refrig", 0), 3);
    EXPECT_EQ(Store.ReadInteger("Settings", "Negative", 0), -1);
    EXPECT_TRUE(Store.ReadBool("MainForm", "Visible", false));
    EXPECT_FALSE(Store.ReadBool("MainForm", "Hidden", true));
    EXPECT_EQ(Store.ReadString("Report", "Title", ""),
              "Capillary, tube = 1.63 mm; \"quoted\" @home \\ \u00b0C");
    EXPECT_EQ(Store.ReadFloat("Settings", "tc", 0), 45.0);
    // An integer and a text of one name are one value.
    EXPECT_EQ(Store.ReadString("Settings", "Refrig", ""), "3");

    const QByteArray file = Contents(Store.FileName());
    for (const char* line : {"[Settings]\n", "Refrig=3\n", "Negative=-1\n", "[MainForm]\n",
                             "Visible=1\n", "Hidden=0\n", "tc=@ByteArray("})
        EXPECT_TRUE(file.contains(line)) << line << "\n" << file.toStdString();
    // Written whole each time: no temporary file is left beside it.
    EXPECT_EQ(QDir(QFileInfo(Store.FileName()).path()).entryList(QDir::Files),
              QStringList{"Vellox.conf"});
}

TEST_F(SettingsStoreWidgetTest, FloatingValuesComeBackBitForBit)
{
    std::vector<double> values = {
        0.0,
        -0.0,
        0.1,
        1.63,
        -40.0,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::bit_cast<double>(0x7FF8000000000123ULL),  // NaN payload
        std::bit_cast<double>(0x0A0D5C225B3D3B00ULL)}; // CR, LF, \, ", [, =, ;
    std::mt19937_64 random(1999);
    for (int i = 0; i < 200; ++i)
        values.push_back(std::bit_cast<double>(random()));
    for (std::size_t i = 0; i < values.size(); ++i)
        Store.WriteFloat("Floats", QString("v%1").arg(i), values[i]);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(Bits(Store.ReadFloat("Floats", QString("v%1").arg(i), 1)), Bits(values[i])) << i;
}

TEST_F(SettingsStoreWidgetTest, MissingValuesAndBlankNamesGiveDefaults)
{
    Store.WriteInteger("Settings", "Refrig", 3);
    EXPECT_EQ(Store.ReadInteger("Settings", "Missing", 7), 7);
    EXPECT_EQ(Store.ReadInteger("Missing", "Refrig", 7), 7);
    EXPECT_EQ(Store.ReadFloat("Settings", "tc", 45.0), 45.0);
    EXPECT_EQ(Store.ReadString("Settings", "Name", "d"), "d");
    EXPECT_TRUE(Store.ReadBool("Settings", "Flag", true));
    EXPECT_EQ(Store.ReadInteger("", "Refrig", 7), 7);
    EXPECT_EQ(Store.ReadInteger("Settings", " ", 7), 7);
    EXPECT_FALSE(Store.ValueExists("Settings", "Missing"));
    EXPECT_TRUE(Store.ValueExists("Settings", "Refrig"));

    EXPECT_THROW(Store.WriteInteger("", "Refrig", 1), ESettingsError);
    EXPECT_THROW(Store.WriteString("Settings", "  ", "x"), ESettingsError);
    EXPECT_THROW(Store.EraseSection(" "), ESettingsError);

    // No file at all.
    QFile::remove(Store.FileName());
    EXPECT_EQ(Store.ReadInteger("Settings", "Refrig", 7), 7);
    EXPECT_FALSE(Store.SectionExists("Settings"));
}

TEST_F(SettingsStoreWidgetTest, ValuesEditedByHand)
{
    Edit("[Settings]\n"
         "Refrig=12\n"
         "Spaced=\"  -4 \"\n"
         "Word=abc\n"
         "Hex=0x1F\n"
         "Fraction=1.5\n"
         "Huge=99999999999\n"
         "List=1, 2\n"
         "Empty=\n"
         "Flag=2\n"
         "Zero=0\n"
         "tcText=45.5\n"
         "tcShort=@ByteArray(abc)\n"
         "tcEmpty=\n"
         "Bytes=@ByteArray(abcdefgh)\n"
         "Point=@Point(1 2)\n");
    const struct {
        const char* Name;
        int Expected;
    } integers[] = {{"Refrig", 12},   {"Spaced", -4}, {"Word", -1}, {"Hex", -1},
                    {"Fraction", -1}, {"Huge", -1},   {"List", -1}, {"Empty", -1},
                    {"Bytes", -1},    {"Point", -1},  {"Flag", 2}};
    for (const auto& c : integers)
        EXPECT_EQ(Store.ReadInteger("Settings", c.Name, -1), c.Expected) << c.Name;

    EXPECT_TRUE(Store.ReadBool("Settings", "Flag", false));
    EXPECT_FALSE(Store.ReadBool("Settings", "Zero", true));
    EXPECT_TRUE(Store.ReadBool("Settings", "Word", true));
    EXPECT_FALSE(Store.ReadBool("Settings", "Word", false));

    EXPECT_EQ(Store.ReadString("Settings", "Word", ""), "abc");
    EXPECT_EQ(Store.ReadString("Settings", "List", ""), "1, 2");
    EXPECT_EQ(Store.ReadString("Settings", "Empty", "d"), "");

    // Eight bytes are a floating value whatever they were typed as.
    EXPECT_EQ(Bits(Store.ReadFloat("Settings", "Bytes", 0)), 0x6867666564636261ULL);
    for (const char* name : {"tcText", "tcShort", "tcEmpty", "Point", "Refrig"}) {
        try {
            Store.ReadFloat("Settings", name, 0);
            ADD_FAILURE() << name;
        } catch (const ESettingsError& error) {
            EXPECT_EQ(QString(error.what()),
                      QString("Invalid data type for '%1' in %2").arg(name, Store.FileName()));
        }
    }
    EXPECT_THROW(Store.ReadString("Settings", "tcShort", ""), ESettingsError);
}

TEST_F(SettingsStoreWidgetTest, EraseSectionLeavesTheOthers)
{
    Store.WriteInteger("Settings", "Refrig", 3);
    Store.WriteInteger("MainForm", "Left", 10);
    Store.WriteInteger("MainForm", "Top", 20);
    EXPECT_TRUE(Store.SectionExists("MainForm"));
    Store.EraseSection("MainForm");
    EXPECT_FALSE(Store.SectionExists("MainForm"));
    EXPECT_EQ(Store.ReadInteger("MainForm", "Left", -1), -1);
    EXPECT_EQ(Store.ReadInteger("Settings", "Refrig", -1), 3);
    Store.EraseSection("Missing");
    EXPECT_EQ(Store.ReadInteger("Settings", "Refrig", -1), 3);
}

// Whatever a damaged file holds, reading gives a value, a default or a clean
// error, and the next write puts a good file in its place.
TEST_F(SettingsStoreWidgetTest, DamagedFilesNeverStopTheProgram)
{
    Store.WriteInteger("Settings", "Refrig", 2);
    for (const char* name : {"tc", "te", "sc", "sh"})
        Store.WriteFloat("Settings", name, 1.0 / 7.0);
    Store.WriteString("Report", "Title", "A title, with a comma");
    Store.WriteBool("MainForm", "Visible", true);
    const QByteArray good = Contents(Store.FileName());

    std::vector<QByteArray> damaged;
    // Cut at every third byte: inside names, values, escapes and line ends.
    for (qsizetype length = 0; length < good.size(); length += 3)
        damaged.push_back(good.left(length));
    std::mt19937 random(77);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 60; ++i) {
        QByteArray bytes = good;
        for (int k = 0; k < 8; ++k)
            bytes[static_cast<qsizetype>(random() % static_cast<unsigned>(bytes.size()))] =
                static_cast<char>(byte(random));
        damaged.push_back(bytes);
    }
    damaged.push_back(QByteArray(5000, '\0'));
    damaged.push_back("[Settings\ntc=@ByteArray(\\x\ntc=\"unterminated\n[[[\n=\n\\");
    damaged.push_back("[Settings]\ntc=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\nRefrig=@Invalid()\n");

    for (const QByteArray& content : damaged) {
        Edit(content);
        const auto read = [&](auto&& reader) {
            try {
                reader();
            } catch (const ESettingsError&) {
            }
        };
        read([&] { Store.ReadInteger("Settings", "Refrig", 0); });
        for (const char* name : {"tc", "te", "sc", "sh", "missing"})
            read([&] { Store.ReadFloat("Settings", name, 0); });
        read([&] { Store.ReadString("Report", "Title", ""); });
        read([&] { Store.ReadBool("MainForm", "Visible", false); });

        Store.WriteFloat("Settings", "tc", 45.0);
        Store.WriteInteger("Settings", "Refrig", 4);
        ASSERT_EQ(Store.ReadFloat("Settings", "tc", 0), 45.0) << content.toStdString();
        ASSERT_EQ(Store.ReadInteger("Settings", "Refrig", 0), 4) << content.toStdString();
    }
}

TEST_F(SettingsStoreWidgetTest, RefusedWriteRaises)
{
    // A file where the store's folder would be: nothing can be written.
    const TSettingsStore blocked("Software\\Blocked\\Vellox");
    const QString folder = QFileInfo(blocked.FileName()).path();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        blocked.WriteInteger("Settings", "Refrig", 1);
        ADD_FAILURE() << "written";
    } catch (const ESettingsError& error) {
        EXPECT_EQ(QString(error.what()), "Unable to write to " + blocked.FileName());
    }
    EXPECT_EQ(blocked.ReadInteger("Settings", "Refrig", 9), 9);
    QFile::remove(folder);
}

namespace {

TEST_F(SettingsStoreWidgetTest, FifoInPlaceOfTheFileCountsAsMissing)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Store.FileName()).path()));
    const std::filesystem::path fifo = Store.FileName().toStdString();
    ASSERT_TRUE(MakeFifo(fifo));
    double value = 0;
    EXPECT_TRUE(ReturnsBesideAFifo(fifo, [&] { value = Store.ReadFloat("Settings", "tc", 45.0); }));
    EXPECT_EQ(value, 45.0);
    EXPECT_TRUE(ReturnsBesideAFifo(
        fifo, [&] { EXPECT_THROW(Store.WriteFloat("Settings", "tc", 40.0), ESettingsError); }));
    std::filesystem::remove(fifo);
}

} // namespace
