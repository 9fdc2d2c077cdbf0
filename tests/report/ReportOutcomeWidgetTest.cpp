// What a report run, a report file or a print says of how it ended: the
// result a caller decides by and the message for the user, for a device that
// cannot be drawn on, a page that cannot be set up, a file that cannot be
// written and a name that is no report file.
#include "report/ReportFile.h"
#include "support/FixedPageMetrics.h"
#include "support/RecordingPageDevice.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Metrics whose font cannot be measured: the page's line grid cannot be set
// up.
class TUnmeasurableFont : public TFixedMetrics {
public:
    int TextHeight(const QFont&, int) const override
    {
        throw std::runtime_error("the font cannot be measured");
    }
};

struct TTarget {
    TTempDir Dir;
    QString Path(const std::string& name) const
    {
        return QString::fromStdString((Dir.Path() / name).string());
    }
};

TEST(ReportOutcome, EachFailureHasItsResultAndItsMessage)
{
    using TRun = std::function<TReportOutcome(TPageEngine&, TTarget&)>;
    const TRun refusingDevice = [](TPageEngine& engine, TTarget&) {
        TRecordingPageDevice device;
        device.Refuses = true;
        return engine.RenderToDevice(device, "refuser");
    };
    const TRun device = [](TPageEngine& engine, TTarget&) {
        TRecordingPageDevice recorder;
        return engine.RenderToDevice(recorder, "recorder");
    };
    const TRun preview = [](TPageEngine& engine, TTarget&) { return engine.RenderPreview(); };
    const TRun pdfBelowAFile = [](TPageEngine& engine, TTarget& target) {
        target.Dir.Write("plain", "x");
        return WritePdfFile(engine, target.Path("plain/report.pdf"), {"Report"});
    };
    const TRun gifInAMissingFolder = [](TPageEngine& engine, TTarget& target) {
        return WriteGifReport(engine, target.Path("missing/report.gif"));
    };
    const TRun textFile = [](TPageEngine& engine, TTarget& target) {
        return WriteReportFile(engine, target.Path("report.txt"), {"Report"});
    };
    const struct {
        const char* Name;
        TRun Run;
        bool FontMeasured;
        TReportResult Result;
        const char* Message;
        bool BodyRuns;
        std::vector<std::string> Told; // what the user is told
    } cases[] = {
        {"DeviceThatCannotBeDrawnOn",
         refusingDevice,
         true,
         TReportResult::DeviceError,
         "Report write error: the page cannot be drawn on",
         false,
         {"Report write error..."}},
        {"DevicePageNotSetUp",
         device,
         false,
         TReportResult::SetupError,
         "Setup error: the font cannot be measured",
         false,
         {"Setup error..."}},
        {"PreviewPageNotSetUp",
         preview,
         false,
         TReportResult::SetupError,
         "Setup error: the font cannot be measured",
         false,
         {"Printer Device Error...", "Setup error..."}},
        {"PdfBelowAFile",
         pdfBelowAFile,
         true,
         TReportResult::WriteError,
         "Not a directory",
         true,
         {}},
        {"GifInAMissingFolder",
         gifInAMissingFolder,
         true,
         TReportResult::WriteError,
         "No such file or directory",
         true,
         {"Printer Device Error..."}},
        {"NeitherPdfNorGif",
         textFile,
         true,
         TReportResult::UnsupportedFile,
         "a report file name ends in .pdf or .gif",
         false,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFixedMetrics measured;
        TUnmeasurableFont unmeasured;
        TPageEngine engine(c.FontMeasured ? static_cast<const TPageMetrics&>(measured)
                                          : unmeasured);
        std::vector<std::string> told;
        engine.OnMessage = [&](const std::string& m) { told.push_back(m); };
        bool bodyRan = false;
        engine.OnReportBody = [&] { bodyRan = true; };
        TTarget target;
        const TReportOutcome outcome = c.Run(engine, target);
        EXPECT_EQ(outcome.Result, c.Result);
        EXPECT_EQ(outcome.Message.toStdString(), c.Message);
        EXPECT_FALSE(outcome.Ok());
        EXPECT_EQ(bodyRan, c.BodyRuns);
        EXPECT_EQ(told, c.Told);
        EXPECT_FALSE(engine.DrawCanvas()->isActive());
        // Only the files of the test's own stand in the folder.
        const auto entries = std::distance(fs::directory_iterator(target.Dir.Path()), {});
        EXPECT_EQ(entries, std::string(c.Name) == "PdfBelowAFile" ? 1 : 0);
    }
}

// A caller that reports the outcome itself has the failure back without the
// user being told of it twice; the other messages still reach the user.
TEST(ReportOutcome, AFailureComesBackUntoldWhenTheCallerTellsIt)
{
    TFixedMetrics metrics;
    TPageEngine engine(metrics);
    engine.TellFailures = false;
    std::vector<std::string> told;
    engine.OnMessage = [&](const std::string& m) { told.push_back(m); };
    engine.OnReportBody = [] { throw std::runtime_error("the body stopped"); };
    const TReportOutcome outcome = engine.RenderPreview();
    EXPECT_EQ(outcome.Result, TReportResult::RunError);
    EXPECT_EQ(outcome.Message, "Report write error: the body stopped");
    EXPECT_EQ(told, std::vector<std::string>{"Printer Device Error..."});
    EXPECT_EQ(engine.PreviewOutcome().Result, TReportResult::RunError);
    // The next run that succeeds is the preview's outcome.
    engine.OnReportBody = nullptr;
    EXPECT_TRUE(engine.RenderPreview().Ok());
    EXPECT_TRUE(engine.PreviewOutcome().Ok());
}

} // namespace
