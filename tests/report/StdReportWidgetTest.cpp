// The standard report composer on preview pages with fixed metrics: where the
// letterhead, the logo, the date and the body lines fall on the line grid,
// and the letterhead and logo files it looks for.
#include "report/PictureFile.h"
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "support/FixedPageMetrics.h"
#include "support/RecordingPageDevice.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace {

// A 1 × 1 GIF whose one pixel is black.
const std::string BlackGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                           ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                           35);

// The characters a PDF file's text gives back for its glyphs: the targets of
// the glyph lists of its fonts' ToUnicode maps, "<glyph> <text>" in a bfchar
// list, "<first> <last> <text>" or "<first> <last> [<text> ...]" in a bfrange.
QList<uint> PdfTextCharacters(const QByteArray& pdf)
{
    QList<uint> characters;
    const QRegularExpression list(QStringLiteral("begin(bfchar|bfrange)(.*?)endbf"),
                                  QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression charEntry(QStringLiteral("<[0-9A-Fa-f]+>\\s*(<[0-9A-Fa-f]+>)"));
    const QRegularExpression rangeEntry(
        QStringLiteral("<[0-9A-Fa-f]+>\\s*<[0-9A-Fa-f]+>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
    const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    for (auto lists = list.globalMatch(QString::fromLatin1(pdf)); lists.hasNext();) {
        const auto entries = lists.next();
        const QRegularExpression& entry =
            entries.captured(1) == QStringLiteral("bfrange") ? rangeEntry : charEntry;
        for (auto targets = entry.globalMatch(entries.captured(2)); targets.hasNext();) {
            const QString target = targets.next().captured(1);
            for (auto texts = hex.globalMatch(target); texts.hasNext();) {
                const QString text = texts.next().captured(1);
                for (qsizetype j = 0; j + 4 <= text.size(); j += 4)
                    characters.append(text.mid(j, 4).toUInt(nullptr, 16));
            }
        }
    }
    return characters;
}

class StdReportTest : public ::testing::Test {
protected:
    StdReportTest()
    {
        Engine.MarginCm = {2.5, 2.5, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
        Report.SharedDataFolder = QString::fromStdString((Shared.Path() / "").string());
        Report.BeginReport([this] { BodyLine = Engine.LineCount; }, {"Capillary Tube Estimate"});
    }

    // The line of the grid on which the body starts, after a run.
    int BodyStart()
    {
        BodyLine = -1;
        Engine.RenderPreview();
        return BodyLine;
    }

    // The lines the letterhead of these lines takes on the grid of 16 px.
    int LetterheadLines(const QStringList& lines) const
    {
        QImage page(10, 10, QImage::Format_RGB32);
        page.setDotsPerMeterX(3780);
        page.setDotsPerMeterY(3780);
        QFont font = Engine.ReportFont;
        font.setBold(true);
        int y = 0;
        if (!lines.value(0).isEmpty()) {
            font.setPointSize(10);
            y += static_cast<int>(QFontMetrics(font, &page).height() * 1.25);
        }
        font.setPointSize(8);
        y += static_cast<int>(lines.size() - 1) * QFontMetrics(font, &page).height();
        return static_cast<int>(std::lround(y / 16.0));
    }

    TFixedMetrics Metrics;
    TPageEngine Engine{Metrics};
    TStdReport Report{Engine};
    TTempDir Program, Shared;
    int BodyLine = -1;
};

// Below the taller of letterhead and logo one free line (when there is a
// logo), the date (two lines), the title (two lines), then the header's own
// line. A square logo 4 cm wide is 152 px
// high, 9.5 lines, rounded to 10.
TEST_F(StdReportTest, DateFollowsTheTallerOfLetterheadAndLogo)
{
    const std::string logo = Shared.Write("ReportLogo.gif", BlackGif);
    std::string longLetterhead = "Acme\n";
    for (int i = 0; i < 30; ++i)
        longLetterhead += "line " + std::to_string(i) + "\n";
    const struct {
        const char* Name;
        std::string Letterhead; // written beside the program; none when "-"
        bool Logo;
        int Lines; // the lines above the free one; -1: the letterhead's
    } cases[] = {
        {"NoFiles", "-", false, -1},
        {"ShortLetterheadTallLogo", "Acme Refrigeration\nHigh Street 1\n", true, 10},
        {"EmptyLetterheadFileAndLogo", "", true, 10},
        {"EmptyFirstLine", "\nHigh Street 1\nTown\n", false, -1},
        {"LongLetterheadShortLogo", longLetterhead, true, -1},
    };
    const QString letterhead = QString::fromStdString((Program.Path() / "LetterHead.txt").string());
    for (const auto& c : cases) {
        QFile::remove(letterhead);
        if (c.Letterhead != "-")
            Program.Write("LetterHead.txt", c.Letterhead);
        Report.SetLetterhead(letterhead, QString::fromStdString(logo), 4);
        if (!c.Logo)
            Report.LogoFile = "/none.gif";
        const int lines = c.Lines >= 0 ? c.Lines : LetterheadLines(Report.LetterheadLines);
        if (std::string(c.Name) == "LongLetterheadShortLogo") {
            EXPECT_GT(lines, 10);
        }
        // Only a logo leaves a free line; without one the date follows the
        // letterhead directly.
        EXPECT_EQ(BodyStart(), lines + (c.Logo ? 1 : 0) + 5) << c.Name;
    }
}

TEST_F(StdReportTest, LetterheadAndLogoAreFoundByTheirExactNames)
{
    Shared.Write("Letterhead.txt", "Shared letterhead\n");
    Program.Write("Letterhead.txt", "Beside the program, lower-case h\n");
    Report.SetLetterhead(QString::fromStdString((Program.Path() / "LetterHead.txt").string()),
                         QString::fromStdString((Program.Path() / "ReportLogo.gif").string()), 4);
    EXPECT_EQ(Report.LetterheadLines, QStringList{"Shared letterhead"});
    EXPECT_EQ(Report.LogoFile, Report.SharedDataFolder + "ReportLogo.gif");

    Program.Write("LetterHead.txt", "Beside\r\nthe program\r\n\r\n");
    Report.SetLetterhead(QString::fromStdString((Program.Path() / "LetterHead.txt").string()), "",
                         4);
    EXPECT_EQ(Report.LetterheadLines, (QStringList{"Beside", "the program", ""}));

    TTempDir none;
    Report.SharedDataFolder = QString::fromStdString((none.Path() / "").string());
    Report.SetLetterhead("/no/LetterHead.txt", "", 4);
    EXPECT_EQ(Report.LetterheadLines, QStringList{" "});
}

TEST(PictureFile, DecodesByExtensionAndFailsSilently)
{
    TTempDir dir;
    const QImage gif = LoadPicture(dir.Write("logo.GIF", BlackGif));
    ASSERT_EQ(gif.size(), QSize(1, 1));
    EXPECT_EQ(gif.pixel(0, 0), qRgb(0, 0, 0));
    // A JPEG named ".jpeg" is read as a bitmap and fails; so does garbage.
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const std::string jpg = (dir.Path() / "logo.jpg").string();
    ASSERT_TRUE(picture.save(QString::fromStdString(jpg), "JPG"));
    const QImage decoded = LoadPicture(jpg);
    EXPECT_EQ(decoded.size(), QSize(8, 4));
    EXPECT_GT(qRed(decoded.pixel(3, 2)), 200);
    std::filesystem::copy_file(jpg, dir.Path() / "logo.jpeg");
    EXPECT_TRUE(LoadPicture((dir.Path() / "logo.jpeg").string()).isNull());
    EXPECT_TRUE(LoadPicture(dir.Write("bad.gif", "GIF89a garbage")).isNull());
    EXPECT_TRUE(LoadPicture(dir.Write("bad.jpg", "\xff\xd8 garbage")).isNull());
    EXPECT_TRUE(LoadPicture((dir.Path() / "missing.bmp").string()).isNull());
    const std::string bmp = (dir.Path() / "logo.bmp").string();
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp), "BMP"));
    EXPECT_EQ(LoadPicture(bmp).size(), QSize(8, 4));
}

TEST_F(StdReportTest, ThreeColumnsAndTheSignatureOnThePage)
{
    Report.SetLetterhead("/none.txt", "/none.gif", 4);
    Report.LogoFile.clear();
    Report.BeginReport(
        [this] {
            Report.AddHeading("Refrigerant", 1);
            Report.AddLine("R Number", "R22", "");
            Report.AddLine("Refrigerating Effect", "169.3", "kJ/kg");
            Report.AddBlankLine();
            Report.DrawSignature("Vellox", "1.0.8.0");
        },
        {"Capillary Tube Estimate"});
    Engine.RenderPreview();
    ASSERT_EQ(Engine.PageCount, 1);
    const QImage& page = Engine.Pages[0];
    auto inkInColumn = [&page](int from, int to, int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = from; x < to; ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    // The "kJ/kg" line: caption at the margin, value at mX1, unit at mX2.
    const int y = Engine.MarginPx[2] + 16 * (LetterheadLines({" "}) + 5 + 2);
    EXPECT_TRUE(inkInColumn(Engine.MarginPx[0], Engine.MarginPx[0] + 20, y, y + 16));
    EXPECT_TRUE(inkInColumn(Engine.MarginPx[4], Engine.MarginPx[4] + 20, y, y + 16));
    EXPECT_TRUE(inkInColumn(Engine.MarginPx[5], Engine.MarginPx[5] + 20, y, y + 16));
    // Nothing right of the right margin but the date's last letter's edge.
    EXPECT_FALSE(inkInColumn(Engine.MarginPx[1] + 2, page.width(), 0, page.height()));
}

TEST_F(StdReportTest, EachCopyIsAPrintJobOfItsOwn)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("report.pdf"));
    printer.setCopyCount(3);
    int firstPages = 0;
    Report.BeginReport([] {}, {"Capillary Tube Estimate"});
    Engine.OnPageHeader = [&](bool first) { firstPages += first ? 1 : 0; };
    EXPECT_TRUE(Report.PrintReport(printer).Ok());
    EXPECT_EQ(firstPages, 3);
    EXPECT_EQ(printer.docName(), "Capillary Tube Estimate");
    EXPECT_EQ(printer.copyCount(), 3);
    printer.setCopyCount(0);
    firstPages = 0;
    EXPECT_TRUE(Report.PrintReport(printer).Ok());
    EXPECT_EQ(firstPages, 0);
}

// A logo of 2000 × 2000 pixels goes into a PDF at the 472 × 472 pixels
// (4 cm at 300 per inch) it is printed with: of noise, some 140 kB, where
// the logo at its own size took 4.4 MB.
TEST_F(StdReportTest, PdfHoldsTheLogoAtItsPrintedSize)
{
    QImage logo(2000, 2000, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < logo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(logo.scanLine(y));
        for (int x = 0; x < logo.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            row[x] = qRgb(int(seed >> 24), int((seed >> 16) & 0xff), int((seed >> 8) & 0xff));
        }
    }
    const std::string bmp = (Shared.Path() / "logo.bmp").string();
    ASSERT_TRUE(logo.save(QString::fromStdString(bmp), "BMP"));
    Report.SetLetterhead("/none.txt", QString::fromStdString(bmp), 4);
    ASSERT_EQ(LoadPicture(bmp).size(), QSize(2000, 2000));
    Report.BeginReport([] {}, {"Capillary Tube Estimate"});
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    ASSERT_TRUE(WritePdfFile(Engine, path, {"Report"}).Ok());
    const qint64 printedPixels = 472 * 472;
    EXPECT_GT(QFileInfo(path).size(), printedPixels / 4); // the logo is there
    EXPECT_LT(QFileInfo(path).size(), 2 * printedPixels);
}

// Report text is drawn letter by letter as typed, without the ligatures
// ("ff", "fl", "fi") the font offers: a PDF reader gives a ligature back as
// one character of its own, and a search for "Effect" would not find it.
TEST_F(StdReportTest, PdfTextIsWrittenWithoutLigatures)
{
    Report.SetLetterhead("/none.txt", "/none.gif", 4);
    Report.LogoFile.clear();
    Report.BeginReport(
        [this] {
            Report.AddHeading("Refrigerant", 1);
            Report.AddLine("Refrigerating Effect", "169.3", "kJ/kg");
            Report.AddLine("Mass flow", "1.2", "g/s");
            Report.AddLine("Name", "chlorodifluoromethane", "");
            Report.AddLine("Office", "fjord affix", "", 2);
            Report.DrawSignature("Vellox", "1.0.8.0");
        },
        {"Capillary Tube Estimate of the ffi office"});
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    ASSERT_TRUE(WritePdfFile(Engine, path, {"Report"}).Ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<uint> characters = PdfTextCharacters(file.readAll());
    ASSERT_TRUE(characters.contains(uint('f')));
    for (const uint ligature : {0xFB00u, 0xFB01u, 0xFB02u, 0xFB03u, 0xFB04u})
        EXPECT_FALSE(characters.contains(ligature)) << std::hex << ligature;
}

// The most memory the process has held so far, in kilobytes.
long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// However long the letterhead file, the report's own content (the date, the
// title and every body line) is drawn, on the paper and on a sane number of
// pages; the letterhead is cut at 200 lines or 64 KB, and the user is told.
TEST_F(StdReportTest, LongLetterheadsNeverPushTheReportOffThePaper)
{
    const std::string oneMegabyteLine(1 << 20, 'x');
    const struct {
        const char* Name;
        std::string Letterhead;    // lines "line 0" … unless Generated
        int Lines;                 // how many of them
        std::uintmax_t SparseSize; // else a file of this many zero bytes
        int DrawnLines;            // the letterhead lines drawn
        const char* CutTo;         // the note's end; empty: no note
        int MaxPages;
        bool Logo = false; // the logo at the top of page 1
    } cases[] = {
        {"NoLines", "", 0, 0, 0, "", 1},
        {"OneLine", "", 1, 0, 1, "", 1},
        {"SixtyLines", "", 60, 0, 60, "", 2},
        {"TwoHundredLines", "", 200, 0, 200, "", 5},
        {"ThousandLines", "", 1000, 0, 200, "its first 200 lines.", 5},
        {"ThousandLinesAndLogo", "", 1000, 0, 200, "its first 200 lines.", 5, true},
        {"SixtyLinesAndLogo", "", 60, 0, 60, "", 2, true},
        {"MegabyteLine", oneMegabyteLine, -1, 0, 1, "its first 64 KB.", 1},
        {"TwentyMegabytesOfLineEnds", std::string(20 << 20, '\n'), -1, 0, 0, "its first 200 lines.",
         5},
        {"SparseFourGigabytes", "", -1, 4ULL << 30, 1, "its first 64 KB.", 1},
    };
    const std::string path = (Program.Path() / "LetterHead.txt").string();
    const std::string logo = Shared.Write("ReportLogo.gif", BlackGif);
    for (const auto& c : cases) {
        std::string text = c.Letterhead;
        for (int i = 0; i < c.Lines; ++i)
            text += "line " + std::to_string(i) + "\n";
        Program.Write("LetterHead.txt", text);
        if (c.SparseSize > 0)
            std::filesystem::resize_file(path, c.SparseSize);
        const long memoryBefore = PeakMemoryKb();
        Report.SetLetterhead(QString::fromStdString(path),
                             QString::fromStdString(c.Logo ? logo : "/none.gif"), 4);
        if (!c.Logo)
            Report.LogoFile.clear();
        EXPECT_LT(PeakMemoryKb() - memoryBefore, 32 * 1024) << c.Name;
        Report.BeginReport(
            [this] {
                for (int i = 0; i < 40; ++i)
                    Report.AddLine(QStringLiteral("caption %1").arg(i),
                                   QStringLiteral("value %1").arg(i), "kW");
            },
            {"Capillary Tube Estimate"});
        std::vector<std::string> messages;
        Engine.OnMessage = [&](const std::string& m) { messages.push_back(m); };
        TRecordingPageDevice device;
        EXPECT_EQ(Engine.RenderToDevice(device, "recorder").Message.toStdString(), "") << c.Name;

        const QStringList texts = device.AllTexts();
        const QString date = QLocale().toString(Report.Today, QLocale::LongFormat);
        EXPECT_EQ(texts.count(date), 1) << c.Name;
        EXPECT_EQ(texts.count("Capillary Tube Estimate"), 1) << c.Name;
        EXPECT_LT(texts.indexOf(date), texts.indexOf("Capillary Tube Estimate")) << c.Name;
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(texts.count(QStringLiteral("caption %1").arg(i)), 1) << c.Name << i;
            EXPECT_EQ(texts.count(QStringLiteral("value %1").arg(i)), 1) << c.Name << i;
        }
        if (c.Lines > 0) {
            EXPECT_EQ(texts.count(QStringLiteral("line %1").arg(c.DrawnLines - 1)), 1) << c.Name;
            EXPECT_EQ(texts.count(QStringLiteral("line %1").arg(c.DrawnLines)), 0) << c.Name;
            // The date comes after the last letterhead line drawn.
            EXPECT_GT(texts.indexOf(date),
                      texts.indexOf(QStringLiteral("line %1").arg(c.DrawnLines - 1)))
                << c.Name;
        }
        if (std::string(c.Name) == "MegabyteLine") {
            ASSERT_FALSE(Report.LetterheadLines.isEmpty());
            EXPECT_EQ(Report.LetterheadLines[0].size(), 64 * 1024);
        }
        EXPECT_LE(Report.LetterheadLines.size(), 200) << c.Name;
        EXPECT_GE(static_cast<int>(device.Pages.size()), 1) << c.Name;
        EXPECT_LE(static_cast<int>(device.Pages.size()), c.MaxPages) << c.Name;
        EXPECT_LE(device.LowestBaseline, 3508) << c.Name;
        const std::vector<int> logoOnPage1 = [&] {
            std::vector<int> images(device.Pages.size(), 0);
            images[0] = c.Logo ? 1 : 0;
            return images;
        }();
        EXPECT_EQ(device.Images, logoOnPage1) << c.Name;
        const std::string note = std::string("The letterhead ") + path + " was cut to " + c.CutTo;
        if (*c.CutTo != '\0')
            EXPECT_EQ(messages, std::vector<std::string>{note}) << c.Name;
        else
            EXPECT_TRUE(messages.empty()) << c.Name;
    }
}

// The title is drawn 3 points larger than the report font: a font size at
// the top of the int range stays there instead of wrapping round.
TEST_F(StdReportTest, TitleOfTheLargestFontSizeDoesNotOverflow)
{
    Report.SetLetterhead("/none.txt", "", 4);
    Report.LogoFile.clear();
    Engine.ReportFont.setPointSize(std::numeric_limits<int>::max() - 1);
    TRecordingPageDevice device;
    EXPECT_EQ(Engine.RenderToDevice(device, "recorder").Message.toStdString(), "");
    EXPECT_EQ(device.AllTexts().count("Capillary Tube Estimate"), 1);
}

} // namespace
