#include "cli/CaseReport.h"

#include "report/CapillaryReportSetup.h"
#include "report/PreviewSettings.h"
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "sizing/ReportLines.h"
#include "units/NqConv.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <QGuiApplication>
#include <set>

namespace {

// The case's fields as the report shows them: each value in its storage
// unit, as a new window would show it.
TReportInput InputOf(const TRefrigLib& lib, const TCaseRun& run)
{
    return MakeReportInput(lib, run.Results, [&](TDesignField field) {
        const TDesignFieldLayout& layout = DesignFieldLayout(field);
        return TShownField{ShownText(field, CaseValue(run.Case, field).Number()),
                           std::string(GetUnitsLabel(layout.UnitsType, 0))};
    });
}

} // namespace

struct TReportSession::TApp {
    int Argc = 1;
    char Name[13] = "vellox-solve";
    char* Argv[2] = {Name, nullptr};
    QGuiApplication App{Argc, Argv};
};

TReportSession::TReportSession()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    // Without a display the pages are drawn offscreen.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's own notes (a missing runtime folder and the like) are not for the
    // user of a command line tool.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "vellox-solve: %s\n", qPrintable(message));
    });
    App_ = std::make_unique<TApp>();
}

TReportSession::~TReportSession() = default;

TReportOutcome WriteCaseReport(const TRefrigLib& lib, const TCaseRun& run, const std::string& path,
                               const TReportPlaces& places)
{
    static bool settingsLoaded = false;
    if (!settingsLoaded) {
        settingsLoaded = true;
        // A stored value the report cannot use takes its default, as in the
        // window, and the user is told which.
        for (const std::string& problem : LoadCapillaryReportSettings(CapillaryReportSettingsKey))
            std::fprintf(stderr, "vellox-solve: %s\n", problem.c_str());
    }
    static const TSystemPageMetrics metrics;
    TPageEngine engine(metrics);
    // The run's failures come back from the write, which the caller reports;
    // what else the report has to say (a letterhead cut short) is a warning,
    // given once however many reports a batch writes.
    engine.TellFailures = false;
    engine.OnMessage = [](const std::string& message) {
        static std::set<std::string> given;
        if (given.insert(message).second)
            std::fprintf(stderr, "vellox-solve: %s\n", message.c_str());
    };
    LoadPreviewSettings(engine);
    TStdReport report(engine);
    const TReportInput input = InputOf(lib, run);
    BeginCapillaryReport(
        report,
        [&] {
            report.AddReportLines(CapillaryReportLines(input));
            report.DrawSignature(QStringLiteral("Vellox"),
                                 QString::fromStdString(places.VersionText));
        },
        QString::fromStdString(places.ProgramFolder),
        QString::fromStdString(places.SharedDataFolder));
    TReportFileSettings settings;
    settings.Title = engine.DocumentTitle;
    return WriteReportFile(engine, QString::fromStdString(path), settings);
}
