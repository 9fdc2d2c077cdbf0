#pragma once

#include <string>

// Checks of the report files named on the command line, made before any
// work so that a usage mistake costs nothing. Each raises EBadInput with the
// reason.

// --report FILE: a file name ending in .pdf or .gif (letter case aside), not
// standard output, not a folder, not the logo's reserved name ReportLogo,
// and where something exists already (after following links) a regular file.
void CheckReportFile(const std::string& path);

// --report-dir DIR: a folder name that is not empty or "-", which is made
// when it does not exist and must be a folder (after following links) when
// it does.
void PrepareReportFolder(const std::string& folder);
