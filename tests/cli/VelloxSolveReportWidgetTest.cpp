// vellox-solve --report and --report-dir: the report of a solved case as the
// window prints it, written as a PDF or as one GIF picture of all pages.
// The tool runs with settings and documents in a folder of the test's own.
#include "report/PictureFile.h"
#include "support/TempDir.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Status = -1;
    std::string Err;
};

TRun Solve(const TTempDir& dir, const std::string& args, const std::string& input = {})
{
    const std::string home = (dir.Path() / "home").string();
    fs::create_directories(home);
    std::string command = "HOME='" + home + "' XDG_CONFIG_HOME='" + home + "/.config' " +
                          "QT_QPA_PLATFORM=offscreen " + std::string(VELLOX_SOLVE) + " " + args +
                          " >/dev/null 2>'" + (dir.Path() / "stderr").string() + "'";
    if (!input.empty())
        command += " <'" + dir.Write("stdin", input) + "'";
    const int status = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(dir.Path() / "stderr");
    run.Err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

std::string Head(const fs::path& file, std::size_t count)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    return bytes.substr(0, static_cast<std::size_t>(in.gcount()));
}

TEST(VelloxSolveReport, WorkedExampleAsPdfAndAsGif)
{
    TTempDir dir;
    const fs::path pdf = dir.Path() / "report.pdf";
    const TRun asPdf = Solve(dir, "--report '" + pdf.string() + "'");
    ASSERT_EQ(asPdf.Status, 0) << asPdf.Err;
    EXPECT_EQ(asPdf.Err, "");
    EXPECT_EQ(Head(pdf, 5), "%PDF-");
    EXPECT_GT(fs::file_size(pdf), 1000U);

    const fs::path gif = dir.Path() / "report.gif";
    const TRun asGif = Solve(dir, "--report '" + gif.string() + "'");
    ASSERT_EQ(asGif.Status, 0) << asGif.Err;
    const QImage picture = LoadPicture(gif.string());
    ASSERT_FALSE(picture.isNull());
    // One portrait page: the selected printer's printable area (A4 or Letter
    // less its margins) in whole centimetres, or A4 without a printer.
    const double aspect = static_cast<double>(picture.height()) / picture.width();
    EXPECT_GT(aspect, 1.25);
    EXPECT_LT(aspect, 1.55);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    int black = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            black += picture.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_GT(black, 500); // the text, exact black
}

TEST(VelloxSolveReport, UnsolvedCaseWritesNothing)
{
    TTempDir dir;
    const fs::path pdf = dir.Path() / "report.pdf";
    const TRun run = Solve(dir, "--sc 0 --report '" + pdf.string() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Must solve first..."), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(pdf));
    const TRun badName = Solve(dir, "--report '" + (dir.Path() / "report.txt").string() + "'");
    EXPECT_EQ(badName.Status, 1);
    EXPECT_NE(badName.Err.find(".pdf or .gif"), std::string::npos) << badName.Err;
}

TEST(VelloxSolveReport, BatchWritesAPdfPerSolvedCase)
{
    TTempDir dir;
    const fs::path reports = dir.Path() / "reports";
    const TRun run = Solve(dir, "--batch - --report-dir '" + reports.string() + "'",
                           "tc,sc\n40,5\n40,0\n45,3\n");
    EXPECT_EQ(run.Status, 1); // the second case is not solved
    EXPECT_EQ(Head(reports / "case-1.pdf", 5), "%PDF-");
    EXPECT_FALSE(fs::exists(reports / "case-2.pdf"));
    EXPECT_EQ(Head(reports / "case-3.pdf", 5), "%PDF-");
    const TRun mixed = Solve(dir, "--batch - --report x.pdf", "tc\n40\n");
    EXPECT_EQ(mixed.Status, 2);
}

} // namespace
