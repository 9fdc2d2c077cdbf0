// Print on the main window: refused until solved, then the report of the
// solved case opens in the preview window, which prints it, and the
// preview's changes reach the settings store when the main window closes.
#include "app/MainForm.h"
#include "report/PageImage.h"
#include "report/PreviewForm.h"
#include "report/ReportServices.h"
#include "report/ReportSettings.h"
#include "support/MainFormFixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

namespace {

// Runs `act` on the preview as soon as it is up modally, then closes it.
void WhenPreviewOpens(std::function<void(TPreviewForm&)> act, int attemptsLeft = 200)
{
    QTimer::singleShot(5, [act = std::move(act), attemptsLeft]() mutable {
        auto* preview = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
        if (preview != nullptr && preview->isVisible()) {
            act(*preview);
            preview->CloseBtn->trigger();
        } else if (attemptsLeft > 0) {
            WhenPreviewOpens(std::move(act), attemptsLeft - 1);
        }
    });
}

TEST_F(MainFormTest, PrintNeedsASolvedCase)
{
    Feedback.Messages.clear();
    Form->PrintAction->trigger();
    EXPECT_EQ(Feedback.Messages, QStringList{"Must solve first..."});
}

TEST_F(MainFormTest, PrintOpensThePreviewWhichPrintsTheSolvedCase)
{
    PressF9();
    ASSERT_EQ(Status(0), "Solved..");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QPrinter& printer = ReportPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(1);
    bool opened = false;
    WhenPreviewOpens([&](TPreviewForm& preview) {
        opened = true;
        EXPECT_EQ(preview.windowTitle(), "Report Preview");
        EXPECT_EQ(preview.Engine().PageCount, 1);
        EXPECT_EQ(preview.RepImage->Picture(), preview.Engine().Pages[0]);
        preview.PrintBtn->trigger();
    });
    Form->PrintAction->trigger();
    EXPECT_TRUE(opened);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_EQ(printer.docName(), "Capillary Tube Estimate");
    EXPECT_EQ(StdReport().Titles, QStringList{"Capillary Tube Estimate"});
}

TEST_F(MainFormTest, ADraggedMarginReachesTheStoreWhenTheProgramCloses)
{
    PressF9();
    const auto dragLeftMargin = [](TPreviewForm& preview) {
        preview.MarginsBtn->trigger();
        const int left = preview.Engine().MarginPx[0];
        QTest::mousePress(preview.RepImage, Qt::LeftButton, {}, QPoint(left, 300));
        QTest::mouseMove(preview.RepImage, QPoint(left + 40, 300));
        QTest::mouseRelease(preview.RepImage, Qt::LeftButton, {}, QPoint(left + 40, 300));
    };
    double dragged = 0;
    WhenPreviewOpens([&](TPreviewForm& preview) {
        dragLeftMargin(preview);
        dragged = preview.Engine().MarginCm[0];
    });
    Form->PrintAction->trigger();
    ASSERT_GT(dragged, 2.5);
    EXPECT_EQ(Store().ReadString("Report", "Left margin", "none"), "none");

    // Opened again in the same run, the preview shows the dragged margin.
    double reopened = 0;
    WhenPreviewOpens([&](TPreviewForm& preview) { reopened = preview.Engine().MarginCm[0]; });
    Form->PrintAction->trigger();
    EXPECT_EQ(reopened, dragged);
    EXPECT_EQ(Store().ReadString("Report", "Left margin", "none"), "none");

    Form->close();
    EXPECT_EQ(Store().ReadString("Report", "Left margin", "none").toStdString(),
              PositionText(dragged));
}

TEST_F(MainFormTest, ALargeFontGivesTwoNumberedPages)
{
    PressF9();
    ReportSettings().Font.Font.setPointSize(20);
    int pages = 0;
    WhenPreviewOpens([&](TPreviewForm& preview) {
        pages = preview.Engine().PageCount;
        preview.NextPageBtn->trigger();
        EXPECT_EQ(preview.CurrentPage, 1);
        EXPECT_EQ(preview.RepImage->Picture(), preview.Engine().Pages[1]);
    });
    Form->PrintAction->trigger();
    EXPECT_EQ(pages, 2);
}

// From the Print press to the painted page of the worked example.
TEST_F(MainFormTest, ThePreviewOpensQuickly)
{
    PressF9();
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        Clock::time_point start;
        Clock::time_point painted;
        PreviewForm().RepImage->OnPainted = [&] {
            if (painted == Clock::time_point())
                painted = Clock::now();
        };
        WhenPreviewOpens([&](TPreviewForm&) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return painted != Clock::time_point(); }, 1000));
        });
        start = Clock::now();
        Form->PrintAction->trigger();
        ASSERT_NE(painted, Clock::time_point());
        times.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
    }
    PreviewForm().RepImage->OnPainted = nullptr;
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    RecordProperty("PreviewOpenMedianMs", std::to_string(median));
    std::printf("Print to painted preview: median %.1f ms over %zu runs\n", median, times.size());
    EXPECT_LT(median, 150.0);
}

} // namespace
