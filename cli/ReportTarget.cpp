#include "cli/ReportTarget.h"

#include "cli/CaseInput.h"
#include "common/FileKind.h"
#include "common/Text.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && SameText(text.substr(text.size() - end.size()), end);
}

} // namespace

void CheckReportFile(const std::string& path)
{
    const std::string name = "--report: ";
    if (path.empty())
        throw EBadInput(name + "no file name given (a name ending in .pdf or .gif)");
    if (path == "-")
        throw EBadInput(name + "a report is a file, not standard output: give a name ending in "
                               ".pdf or .gif");
    if (path.back() == '/')
        throw EBadInput(name + QuotedValue(path) +
                        " names a folder: give a file name ending in "
                        ".pdf or .gif");
    if (!EndsWithNoCase(path, ".pdf") && !EndsWithNoCase(path, ".gif"))
        throw EBadInput(name + QuotedValue(path) + ": a report file name ends in .pdf or .gif");
    // The report's own logo picture is ReportLogo.gif beside the program or
    // in the shared data folder: no report takes that name, in any folder.
    if (SameText(fs::path(path).stem().string(), "ReportLogo"))
        throw EBadInput(name + "Sorry, " + fs::path(path).stem().string() +
                        " is a reserved filename");
    if (const std::string what = NotARegularFile(path); !what.empty())
        throw EBadInput(name + QuotedValue(path) + " " + what + ", not a regular file");
}

void PrepareReportFolder(const std::string& folder)
{
    const std::string name = "--report-dir: ";
    if (folder.empty())
        throw EBadInput(name + "no folder name given");
    if (folder == "-")
        throw EBadInput(name + "reports are files in a folder, not standard output: give a "
                               "folder name");
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (status.type() == fs::file_type::directory)
        return;
    if (status.type() != fs::file_type::not_found)
        throw EBadInput(name + QuotedValue(folder) + " exists and is not a folder");
    fs::create_directories(folder, error);
    if (error)
        throw EBadInput(name + "cannot make " + QuotedValue(folder) + ": " + error.message());
}
