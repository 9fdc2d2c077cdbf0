#include "report/CapillaryReportSetup.h"

#include "report/ReportSettings.h"
#include "services/SettingsStore.h"
#include "sizing/ReportLines.h"

#include <utility>

const QString CapillaryReportSettingsKey = QStringLiteral("Software\\Brennick\\Vellox");

namespace {

// The printed width of the logo, in centimetres.
constexpr int LogoWidthCm = 4;

} // namespace

std::vector<std::string> LoadCapillaryReportSettings(const QString& settingsKey)
{
    SetDefaultTabs({7.0, 9.0});
    return LoadReportSettings(TSettingsStore(settingsKey));
}

void BeginCapillaryReport(TStdReport& report, std::function<void()> body,
                          const QString& programFolder, const QString& sharedDataFolder)
{
    report.BeginReport(std::move(body), {QString::fromUtf8(CapillaryReportTitle)});
    report.SharedDataFolder = sharedDataFolder;
    report.SetLetterhead(programFolder + "LetterHead.txt", programFolder + "ReportLogo.gif",
                         LogoWidthCm);
}
