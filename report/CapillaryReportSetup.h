#pragma once

#include "report/StdReport.h"

#include <functional>
#include <QString>
#include <string>
#include <vector>

// The capillary tube report as the desktop program and the command line tool
// both write it: its default tab stops, the store of its settings, its
// title, letterhead and logo.

// The settings key of the desktop program, whose report settings the
// command line tool uses too: "Software\Brennick\Vellox".
extern const QString CapillaryReportSettingsKey;

// Moves the default tab stops to 7 and 9 cm (the value and the unit column)
// and loads the report settings from the store of `settingsKey`. Returns a
// text for each stored value that could not be used (LoadReportSettings).
[[nodiscard]] std::vector<std::string> LoadCapillaryReportSettings(const QString& settingsKey);

// Begins the report in `report`: `body` under the title "Capillary Tube
// Estimate", the letterhead "LetterHead.txt" and the logo "ReportLogo.gif"
// (4 cm wide) of the program's folder, else those of the shared data folder.
// Both folders end with "/".
void BeginCapillaryReport(TStdReport& report, std::function<void()> body,
                          const QString& programFolder, const QString& sharedDataFolder);
