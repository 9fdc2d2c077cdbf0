// The report preview driven with real mouse and key events, on a page of
// fixed metrics: 37.8 pixels per centimetre (38 whole), A4 of 798 × 1129
// pixels, lines of 16 pixels, no printer.
#include "report/PageImage.h"
#include "report/PreviewForm.h"
#include "report/ReportExport.h"
#include "report/ReportSettings.h"
#include "report/StdReport.h"
#include "services/SettingsStore.h"
#include "support/FixedPageMetrics.h"
#include "support/QtPrinters.h"
#include "support/RecordingFeedback.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

namespace {

constexpr int Left = 94, Right = 704, Top = 94; // the 2.5 cm margins in page pixels
constexpr int MX1 = 7 * 38, MX2 = 9 * 38;

class PreviewFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTabs({7.0, 9.0});
        TReportSettings& settings = ReportSettings();
        settings.Positions = DefaultMargins();
        settings.Zoom = zmActualSize;
        settings.Font.Font = QFont(QStringLiteral("DejaVu Sans"), 10);
        Report.SharedDataFolder = QString::fromStdString(Folder.Path().string()) + "/";
        Report.Printer = [this] { return &Printer; };
        Lines = 20;
        Report.BeginReport(
            [this] {
                for (int i = 0; i < Lines; ++i)
                    Report.AddLine(QStringLiteral("Caption %1").arg(i), "1.000", "m");
            },
            {QStringLiteral("Capillary Tube Estimate")});
        Report.SetLetterhead({}, {}, 4);
        Form = std::make_unique<TPreviewForm>(Engine, Printer);
        Open();
    }

    void TearDown() override
    {
        Form.reset();
        SetDefaultTabs({3.5, 11.0});
    }

    void Open()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        QApplication::processEvents();
    }

    QImage Shown() const { return Form->RepImage->Picture(); }
    QString Panel(int i) const { return Form->StatusPanels[static_cast<std::size_t>(i)]->text(); }

    void Press(QPoint at) { QTest::mousePress(Form->RepImage, Qt::LeftButton, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(Form->RepImage, Qt::LeftButton, {}, at); }
    void MoveTo(QPoint at) { QTest::mouseMove(Form->RepImage, at); }
    void Drag(QPoint from, QPoint to)
    {
        Press(from);
        MoveTo(to);
    }
    void ShowMargins()
    {
        Form->MarginsBtn->trigger();
        ASSERT_TRUE(Form->MarginsShown);
    }
    Qt::CursorShape Cursor() const { return Form->RepImage->cursor().shape(); }

    TTempDir Folder;
    TRecordingFeedback Feedback;
    TFixedMetrics Metrics;
    TPageEngine Engine{Metrics};
    TStdReport Report{Engine};
    QPrinter Printer;
    int Lines = 20;
    std::unique_ptr<TPreviewForm> Form;
};

TEST_F(PreviewFormTest, OpensOnPageOneAtActualSizePixelForPixel)
{
    EXPECT_EQ(Form->windowTitle(), "Report Preview");
    EXPECT_EQ(Engine.PageCount, 1);
    EXPECT_EQ(Form->CurrentPage, 0);
    EXPECT_EQ(Shown(), Engine.Pages[0]);
    EXPECT_EQ(Form->RepImage->pos(), QPoint(0, 0));
    EXPECT_DOUBLE_EQ(Form->ScaleX, 1.0);
    EXPECT_DOUBLE_EQ(Form->ScaleY, 1.0);
    EXPECT_FALSE(Form->Zoom100Btn->isEnabled());
    EXPECT_TRUE(Form->ZoomFullPageBtn->isEnabled());
    EXPECT_EQ(Panel(1), "Printer not found");
    EXPECT_EQ(Feedback.Messages, QStringList{"Printer Device Error..."});
    const QStringList hints = {"Print",
                               "Printer Setup",
                               "Write report to a GIF file.",
                               "Write report to a PDF file.",
                               "Send report as email attachment",
                               "Previous page",
                               "Next page",
                               "View Full Page",
                               "100%",
                               "Change font",
                               "Margins on/off",
                               "Reset margins",
                               "Close"};
    QStringList shown;
    for (QAction* action : Form->ToolBar1->actions()) {
        if (!action->isSeparator()) {
            shown.append(action->toolTip());
            EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
        }
    }
    EXPECT_EQ(shown, hints);
}

TEST_F(PreviewFormTest, PressAndReleaseOnTheLeftMarginTakesItInWholePixels)
{
    ShowMargins();
    Press({Left, 300});
    Release({Left, 300});
    EXPECT_DOUBLE_EQ(Engine.MarginCm[0], 94.0 / 38.0);
    EXPECT_EQ(Panel(0), "2.5");
    EXPECT_EQ(Engine.MarginPx[0], Left);
}

// A screen reader reads each status panel out with the text it shows, as it
// changes; what the panel is for is its description.
TEST_F(PreviewFormTest, StatusPanelsAreReadOutWithTheirText)
{
    auto spoken = [this](int panel, QAccessible::Text kind) {
        QLabel* label = Form->StatusPanels[static_cast<std::size_t>(panel)];
        return QAccessible::queryAccessibleInterface(label)->text(kind);
    };
    EXPECT_EQ(spoken(0, QAccessible::Description), "Margin position");
    EXPECT_EQ(spoken(1, QAccessible::Description), "Printer");
    EXPECT_EQ(spoken(1, QAccessible::Name), "Printer not found");
    ShowMargins();
    // The left margin dragged on from where the last drag left it.
    const struct {
        int X;
        const char* Shown;
    } drags[] = {{Left, "2.5"}, {Left + 38, "3.5"}, {Left + 19, "3.0"}};
    int at = Left;
    for (const auto& d : drags) {
        Drag({at, 300}, {d.X, 300});
        Release({d.X, 300});
        at = d.X;
        EXPECT_EQ(Panel(0), d.Shown);
        EXPECT_EQ(spoken(0, QAccessible::Name), d.Shown);
    }
    Metrics.PrinterValue = TPageMetrics::TPrinter{"Office", 600, 600, 4794, 6300};
    Form->DoReport();
    EXPECT_EQ(Panel(1), "Office");
    EXPECT_EQ(spoken(1, QAccessible::Name), "Office");
}

TEST_F(PreviewFormTest, DraggedLinesStayWithinTheirLimits)
{
    const int half = 1129 / 2; // 564
    const struct {
        const char* Name;
        QPoint From, To;
        std::size_t Line;
        int ExpectedPx;
    } cases[] = {
        {"top margin stops above the middle", {300, Top}, {300, 900}, 2, half - 5},
        {"bottom margin stops below the middle", {300, 1034}, {300, 100}, 3, half + 5},
        {"left margin parks inside the page's edge", {Left, 300}, {-20, 300}, 0, 5},
        {"right margin stops right of the last shown tab stop",
         {Right, 300},
         {100, 300},
         1,
         MX2 + 5},
        {"left margin may pass mX1", {Left, 300}, {300, 300}, 0, 300},
        {"left margin stops before mX2", {Left, 300}, {500, 300}, 0, MX2 - 5},
        {"mX1 may pass the left margin", {MX1, 300}, {50, 300}, 4, 50},
        {"mX2 stops at the right margin", {MX2, 300}, {790, 300}, 5, Right - 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->DefaultMarginsBtn->trigger();
        if (!Form->MarginsShown)
            ShowMargins();
        Drag(c.From, c.To);
        EXPECT_TRUE(Form->Dragging[c.Line]);
        EXPECT_EQ(Engine.MarginPx[c.Line], c.ExpectedPx);
        Release(c.To);
        EXPECT_FALSE(Form->Dragging[c.Line]);
        // Back in centimetres from the right or bottom edge for those
        // margins, from the left or top for the rest.
        const int fromEdge = c.Line == 1   ? 798 - c.ExpectedPx
                             : c.Line == 3 ? 1129 - c.ExpectedPx
                                           : c.ExpectedPx;
        EXPECT_DOUBLE_EQ(Engine.MarginCm[c.Line], fromEdge / 38.0);
    }
}

TEST_F(PreviewFormTest, ParkingAtALimitRestoresTheCursor)
{
    ShowMargins();
    MoveTo({300, Top + 3});
    EXPECT_EQ(Cursor(), Qt::SplitVCursor);
    MoveTo({Left - 5, 300});
    EXPECT_EQ(Cursor(), Qt::SplitHCursor);
    MoveTo({400, 300});
    EXPECT_EQ(Cursor(), Form->SavedCursor.shape());
    MoveTo({Left, 300});
    Press({Left, 300});
    MoveTo({-50, 300});
    EXPECT_EQ(Cursor(), Form->SavedCursor.shape());
    Release({-50, 300});
}

TEST_F(PreviewFormTest, MarginLinesInvertThePictureOnShowOnly)
{
    const QImage page = Engine.Pages[0];
    ShowMargins();
    // The left margin line runs down the empty stretch left of the text.
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixel(Left, 2), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(Left, 2), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(Left + 1, 2), qRgb(255, 255, 255));
    EXPECT_EQ(Engine.Pages[0], page);
    Form->MarginsBtn->trigger();
    EXPECT_FALSE(Form->MarginsShown);
    EXPECT_EQ(Shown(), page);
}

TEST_F(PreviewFormTest, PagesTurnOnlyWithinTheReport)
{
    Lines = 150;
    Form->DefaultMarginsBtn->trigger();
    const int pages = Engine.PageCount;
    ASSERT_GE(pages, 3);
    Form->PrevPageBtn->trigger();
    EXPECT_EQ(Form->CurrentPage, 0);
    for (int expected = 1; expected <= pages; ++expected) {
        Form->NextPageBtn->trigger();
        const int last = std::min(expected, pages - 1);
        EXPECT_EQ(Form->CurrentPage, last);
        EXPECT_EQ(Shown(), Engine.Pages[static_cast<std::size_t>(last)]);
    }
    // A re-layout stays on the page on show while the report has it.
    Form->DefaultMarginsBtn->trigger();
    EXPECT_EQ(Form->CurrentPage, pages - 1);
    Lines = 5;
    Form->DefaultMarginsBtn->trigger();
    EXPECT_EQ(Form->CurrentPage, 0);
    EXPECT_EQ(Shown(), Engine.Pages[0]);
}

TEST_F(PreviewFormTest, WholePageFillsTheBoxHeightCentredAcross)
{
    Form->ZoomFullPageBtn->trigger();
    const QSize box = Form->RepScrollBox->viewport()->size();
    EXPECT_EQ(Shown().height(), box.height());
    EXPECT_EQ(Shown().width(), qRound(798.0 / 1129.0 * box.height()));
    EXPECT_EQ(Form->RepImage->x(), qRound((box.width() - Shown().width()) / 2.0));
    EXPECT_TRUE(Form->Zoom100Btn->isEnabled());
    EXPECT_FALSE(Form->ZoomFullPageBtn->isEnabled());
    EXPECT_DOUBLE_EQ(Form->ScaleY, box.height() / 1129.0);

    // A window narrower than the scaled page starts the page left of the box.
    Form->resize(Form->minimumWidth(), 1000);
    QApplication::processEvents();
    EXPECT_LT(Form->RepImage->x(), 0);
    EXPECT_EQ(Shown().height(), Form->RepScrollBox->viewport()->height());

    Form->Zoom100Btn->trigger();
    EXPECT_EQ(Shown(), Engine.Pages[0]);
    EXPECT_EQ(Form->RepImage->pos(), QPoint(0, 0));
}

TEST_F(PreviewFormTest, KeysScrollThePage)
{
    QScrollBar* bar = Form->RepScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const struct {
        Qt::Key Key;
        int Expected;
    } steps[] = {
        {Qt::Key_End, bar->maximum()},
        {Qt::Key_Home, 0},
        {Qt::Key_Down, bar->singleStep()},
        {Qt::Key_PageDown, bar->singleStep() + Form->RepScrollBox->viewport()->height()},
        {Qt::Key_Up, Form->RepScrollBox->viewport()->height()},
        {Qt::Key_PageUp, 0},
    };
    for (const auto& step : steps) {
        QTest::keyClick(Form.get(), step.Key);
        EXPECT_EQ(bar->value(), std::min(step.Expected, bar->maximum())) << step.Key;
    }
    // Keys reach the window before the control that has the focus.
    Form->RepScrollBox->setFocus();
    QTest::keyClick(Form->RepScrollBox, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(PreviewFormTest, ResetMarginsGivesTheDefaultsOfTheRun)
{
    ShowMargins();
    Drag({MX1, 300}, {150, 300});
    Release({150, 300});
    Drag({Left, 300}, {30, 300});
    Release({30, 300});
    ASSERT_NE(Engine.MarginCm[4], 7.0);
    Form->DefaultMarginsBtn->trigger();
    EXPECT_EQ(Engine.MarginCm, DefaultMargins());
    EXPECT_EQ(Engine.MarginCm[4], 7.0);
    EXPECT_EQ(Engine.MarginCm[5], 9.0);
    EXPECT_EQ(Engine.MarginPx[4], MX1);
}

TEST_F(PreviewFormTest, ADraggedMarginHoldsForTheRunOnceThePreviewCloses)
{
    TSettingsStore().EraseSection("Report");
    ShowMargins();
    Drag({Left, 300}, {150, 300});
    Release({150, 300});
    const double dragged = 150.0 / 38.0;
    ASSERT_DOUBLE_EQ(Engine.MarginCm[0], dragged);
    // Only the preview has it until it closes.
    EXPECT_DOUBLE_EQ(ReportSettings().Positions[0], 2.5);
    Form->CloseBtn->trigger();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_DOUBLE_EQ(ReportSettings().Positions[0], dragged);
    EXPECT_TRUE(Engine.Pages.empty());

    Engine.MarginCm[0] = 1.0; // what a layout elsewhere might have left
    Open();
    EXPECT_DOUBLE_EQ(Engine.MarginCm[0], dragged);
    EXPECT_EQ(Engine.MarginPx[0], 149); // 150 / 38 cm × 37.8 = 149.2
    EXPECT_FALSE(Form->MarginsShown);
    // The settings store has nothing of it yet: the main window writes the
    // run's settings when it closes.
    EXPECT_EQ(TSettingsStore().ReadString("Report", "Left margin", "none"), "none");
}

TEST_F(PreviewFormTest, ConfirmedFontLaysTheReportOutAgainAndKeepsIt)
{
    QFont chosen(QStringLiteral("DejaVu Serif"), 14);
    int asked = 0;
    Form->RunFontDialog = [&](QFontDialog& dialog) {
        ++asked;
        // The dialog opens on the report font.
        EXPECT_EQ(dialog.currentFont().family(), Engine.ReportFont.family());
        dialog.setCurrentFont(chosen);
        return asked == 1;
    };
    Form->FontBtn->trigger();
    EXPECT_EQ(Engine.ReportFont.family(), "DejaVu Serif");
    EXPECT_EQ(ReportSettings().Font.Font.pointSize(), 14);
    const QImage laidOut = Shown();
    // Cancelled: nothing changes.
    Form->FontBtn->trigger();
    EXPECT_EQ(Engine.ReportFont.family(), "DejaVu Serif");
    EXPECT_EQ(Shown(), laidOut);
    EXPECT_EQ(asked, 2);
}

TEST_F(PreviewFormTest, ConfirmedPrinterSetupLaysOutAgainAndPrintsNothing)
{
    TTempDir out;
    const QString pdf = QString::fromStdString((out.Path() / "setup.pdf").string());
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(pdf);
    int layouts = 0;
    Engine.OnPageHeader = [&](bool first) {
        if (first)
            ++layouts;
        Report.DrawPageHeader(first);
    };
    Form->RunPrinterSetup = [](QPrinter&) { return true; };
    Form->PrintSetupBtn->trigger();
    EXPECT_EQ(layouts, 1);
    EXPECT_FALSE(QFile::exists(pdf));
    Form->RunPrinterSetup = [](QPrinter&) { return false; };
    Form->PrintSetupBtn->trigger();
    EXPECT_EQ(layouts, 1);
}

TEST_F(PreviewFormTest, PrintWritesTheReportAndThePreviewStaysOnScreenPixels)
{
    TTempDir out;
    const QString pdf = QString::fromStdString((out.Path() / "printed.pdf").string());
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(pdf);
    Printer.setCopyCount(1);
    ShowMargins();
    Form->PrintBtn->trigger();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_FALSE(Form->MarginsShown);
    EXPECT_EQ(Engine.MarginPx[0], Left);
    EXPECT_EQ(Shown(), Engine.Pages[0]);
}

// Answers every save dialog with one path.
class TPathDialog : public TSaveDialog {
public:
    explicit TPathDialog(QString path) : Path_(std::move(path)) {}
    bool Execute() override { return true; }
    QString FileName() const override { return Path_; }
    void SetFileName(const QString&) override {}
    QString InitialDir() const override { return "/"; }
    void SetInitialDir(const QString&) override {}

private:
    QString Path_;
};

TEST_F(PreviewFormTest, ExportButtonsWriteTheReportAndKeepThePreviewOnScreen)
{
    TTempDir out;
    const auto path = [&](const char* name) {
        return QString::fromStdString((out.Path() / name).string());
    };
    Lines = 150;
    Form->DefaultMarginsBtn->trigger();
    const int pages = Engine.PageCount;
    ASSERT_GE(pages, 3);
    QString answer;
    Form->Export->MakeSaveDialog = [&](QWidget*, const TSaveDialogKind&) {
        return std::make_unique<TPathDialog>(answer);
    };
    answer = path("report.gif");
    Form->GIFBtn->trigger();
    const QImage gif(answer);
    ASSERT_FALSE(gif.isNull());
    EXPECT_EQ(gif.size(), QSize(798, 1129 * pages));

    answer = path("report.pdf");
    ShowMargins();
    Form->PDFBtn->trigger();
    QFile pdf(answer);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(Form->Export->Title, "Capillary Tube Estimate");
    // The PDF was laid out on its own page; the preview stays on the
    // screen's, with its lines where they were.
    EXPECT_EQ(Engine.MarginPx[0], Left);
    EXPECT_EQ(Engine.PageCount, pages);
    EXPECT_EQ(Shown().pixel(Left, 2), qRgb(0, 0, 0));
    EXPECT_TRUE(Feedback.Errors.isEmpty()) << Feedback.Errors.join('\n').toStdString();
}

} // namespace
