// vellox-solve --report and --report-dir: the report of a solved case as the
// window prints it, written as a PDF or as one GIF picture of all pages.
// The tool runs with settings and documents in a folder of the test's own.
#include "report/PictureFile.h"
#include "support/Fifo.h"
#include "support/ParamName.h"
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// The program's report settings for the runs in `dir`, as the window keeps
// them (keys with blanks are written with "%20" in the store's file).
void StoreSettings(const TTempDir& dir, const std::string& conf)
{
    const fs::path folder = dir.Path() / "home" / ".config" / "Brennick";
    fs::create_directories(folder);
    std::ofstream(folder / "Vellox.conf") << conf;
}

// `prefix` goes before the program (a limit, say).
TRun Solve(const TTempDir& dir, const std::string& args, const std::string& input = {},
           const std::string& prefix = {}, const std::string& program = VELLOX_SOLVE)
{
    const std::string home = (dir.Path() / "home").string();
    fs::create_directories(home);
    std::string command = "HOME='" + home + "' XDG_CONFIG_HOME='" + home + "/.config' " +
                          "QT_QPA_PLATFORM=offscreen " + prefix + " '" + program + "' " + args +
                          " >'" + (dir.Path() / "stdout").string() + "' 2>'" +
                          (dir.Path() / "stderr").string() + "'";
    if (!input.empty())
        command += " <'" + dir.Write("stdin", input) + "'";
    const int status = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(dir.Path() / "stderr");
    run.Err.assign(std::istreambuf_iterator<char>(err), {});
    std::ifstream out(dir.Path() / "stdout");
    run.Out.assign(std::istreambuf_iterator<char>(out), {});
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
}

// Report targets that are usage mistakes or no place for a file: refused with
// status 2 and the reason before any work (nothing solved, nothing printed),
// and whatever stands at the path is left as it was.
struct TBadTarget {
    const char* Name;
    const char* Option;  // --report or --report-dir
    const char* Target;  // in the test's folder unless it starts with '-' or is empty
    const char* Prepare; // what stands there first: "", "fifo", "folder", "file",
                         // "device", "link-fifo", "link-device"
    const char* Reason;  // part of the message
};

class VelloxSolveReportTarget : public testing::TestWithParam<TBadTarget> {};

TEST_P(VelloxSolveReportTarget, IsRefusedBeforeAnyWork)
{
    const TBadTarget& p = GetParam();
    TTempDir dir;
    const std::string prepare = p.Prepare;
    const bool bare = *p.Target == 0 || *p.Target == '-';
    const fs::path target = bare ? fs::path(p.Target) : dir.Path() / p.Target;
    const fs::path other = dir.Path() / "elsewhere";
    if (prepare == "fifo" || prepare == "link-fifo") {
        ASSERT_TRUE(MakeFifo(prepare == "fifo" ? target : other));
    }
    if (prepare == "device" || prepare == "link-device") {
        // A null device of the test's own: never the system's /dev/null.
        if (::mknod((prepare == "device" ? target : other).c_str(), S_IFCHR | 0600,
                    makedev(1, 3)) != 0)
            GTEST_SKIP() << "making a device node needs root";
    }
    if (prepare.rfind("link-", 0) == 0)
        fs::create_symlink(other, target);
    if (prepare == "folder")
        fs::create_directory(target);
    if (prepare == "file")
        dir.Write(target.filename().string(), "kept");
    const auto typeBefore = fs::status(target).type();

    const std::string batch = std::string(p.Option) == "--report-dir" ? "--batch - " : "";
    const TRun run = Solve(dir, batch + p.Option + " '" + target.string() + "'", "tc\n40\n");
    EXPECT_EQ(run.Status, 2) << run.Err;
    EXPECT_NE(run.Err.find(p.Reason), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "") << "worked before refusing";
    if (!bare) {
        EXPECT_EQ(fs::status(target).type(), typeBefore);
        if (prepare == "file") {
            EXPECT_EQ(Head(target, 10), "kept");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, VelloxSolveReportTarget,
    testing::Values(
        TBadTarget{"StandardOutput", "--report", "-", "", "not standard output"},
        TBadTarget{"EmptyName", "--report", "", "", "no file name given"},
        TBadTarget{"OtherExtension", "--report", "report.txt", "", "ends in .pdf or .gif"},
        TBadTarget{"TrailingSlash", "--report", "report.pdf/", "", "names a folder"},
        TBadTarget{"LogoName", "--report", "ReportLogo.gif", "", "ReportLogo is a reserved"},
        TBadTarget{"LogoNameInOtherCase", "--report", "REPORTLOGO.PDF", "",
                   "REPORTLOGO is a reserved"},
        TBadTarget{"Fifo", "--report", "pipe.gif", "fifo", "is a FIFO, not a regular file"},
        TBadTarget{"LinkToAFifo", "--report", "link.gif", "link-fifo", "is a FIFO"},
        TBadTarget{"Device", "--report", "null.pdf", "device", "is a device"},
        TBadTarget{"LinkToADevice", "--report", "link.pdf", "link-device", "is a device"},
        TBadTarget{"Folder", "--report", "folder.pdf", "folder", "is a folder"},
        TBadTarget{"EmptyFolderName", "--report-dir", "", "", "no folder name given"},
        TBadTarget{"FolderStandardOutput", "--report-dir", "-", "", "not standard output"},
        TBadTarget{"FolderIsAFile", "--report-dir", "reports", "file", "is not a folder"},
        TBadTarget{"FolderIsAFifo", "--report-dir", "reports", "fifo", "is not a folder"}),
    TParamName());

TEST(VelloxSolveReport, WriteCutShortGivesTheSystemsReasonAndLeavesNothing)
{
    TTempDir dir;
    const fs::path pdf = dir.Path() / "report.pdf";
    // The report is some 20 KB; the limit lets 4 KB through.
    const TRun run = Solve(dir, "--report '" + pdf.string() + "'", {}, "prlimit --fsize=4096");
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_NE(run.Err.find("File too large"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(pdf));
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().string().find("report.pdf"), std::string::npos) << entry.path();
}

// A report that cannot be written is a case not done: status 1 and the
// system's reason after the solved case's text, for either kind of file.
TEST(VelloxSolveReport, AReportThatCannotBeWrittenIsStatusOne)
{
    for (const char* name : {"report.pdf", "report.gif"}) {
        SCOPED_TRACE(name);
        TTempDir dir;
        const fs::path target = dir.Path() / "missing" / name;
        const TRun run = Solve(dir, "--report '" + target.string() + "'");
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err,
                  "vellox-solve: report " + target.string() + ": No such file or directory\n");
        EXPECT_NE(run.Out, "");
        EXPECT_FALSE(fs::exists(target.parent_path()));
    }
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

TEST(VelloxSolveReport, BatchSaysWhichRowsHaveNoReport)
{
    TTempDir dir;
    const fs::path reports = dir.Path() / "reports";
    const TRun run = Solve(dir, "--batch - --report-dir '" + reports.string() + "'",
                           "tc,length\n40,\n40,3\n45,2\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Head(reports / "case-1.pdf", 5), "%PDF-");
    EXPECT_FALSE(fs::exists(reports / "case-2.pdf"));
    EXPECT_NE(run.Err.find("2 of 3 cases rate a tube and have no report"), std::string::npos)
        << run.Err;
}

// The number of pages a PDF of Qt's says it has; 0 when it says nothing.
int PdfPages(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto at = bytes.rfind("/Count ");
    return at == std::string::npos ? 0 : std::atoi(bytes.c_str() + at + 7);
}

// A stored report setting out of its range is not used: the report is laid
// out with the default, on one page, and the user is told on standard error.
TEST(VelloxSolveReport, StoredSettingOutOfRangeTakesItsDefaultWithAWarning)
{
    const struct {
        const char* Stored;
        const char* Warning;
    } cases[] = {
        {"Top%20margin=30",
         "vellox-solve: report setting 'Top margin' = 30 is out of range [0..14.85] cm; "
         "using 2.5\n"},
        {"Left%20margin=1e300",
         "vellox-solve: report setting 'Left margin' = 1e300 is out of range [0..21] cm; "
         "using 2.5\n"},
        {"Size=2147483647",
         "vellox-solve: report setting 'Size' = 2147483647 is out of range [6..72] pt; "
         "using 8\n"},
    };
    for (const auto& c : cases) {
        TTempDir dir;
        StoreSettings(dir, std::string("[Report]\n") + c.Stored + "\n");
        const fs::path pdf = dir.Path() / "report.pdf";
        const TRun run = Solve(dir, "--report '" + pdf.string() + "'");
        EXPECT_EQ(run.Status, 0) << c.Stored;
        EXPECT_EQ(run.Err, c.Warning);
        EXPECT_EQ(PdfPages(pdf), 1) << c.Stored;
    }
}

// The program copied with its library into a folder of the test's own, so
// that a letterhead can be put beside it.
std::string CopyOfProgram(const TTempDir& dir)
{
    const fs::path program(VELLOX_SOLVE);
    const fs::path suite = program.parent_path().parent_path();
    fs::create_directories(dir.Path() / "Vellox");
    fs::copy(suite / "Common Files", dir.Path() / "Common Files", fs::copy_options::recursive);
    const fs::path copy = dir.Path() / "Vellox" / program.filename();
    fs::copy_file(program, copy);
    return copy.string();
}

// A letterhead of a thousand lines is cut to its first 200, which take three
// pages; the report follows them and the user is told.
TEST(VelloxSolveReport, LongLetterheadIsCutWithAWarning)
{
    TTempDir dir;
    const std::string program = CopyOfProgram(dir);
    std::string letterhead;
    for (int i = 0; i < 1000; ++i)
        letterhead += "Letterhead line " + std::to_string(i) + "\n";
    std::ofstream(dir.Path() / "Vellox" / "LetterHead.txt") << letterhead;
    const fs::path pdf = dir.Path() / "report.pdf";
    const TRun run = Solve(dir, "--report '" + pdf.string() + "'", {}, {}, program);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "vellox-solve: The letterhead " +
                           (dir.Path() / "Vellox" / "LetterHead.txt").string() +
                           " was cut to its first 200 lines.\n");
    EXPECT_GE(PdfPages(pdf), 2);
    EXPECT_LE(PdfPages(pdf), 6);

    // A batch says it once, not once per report.
    const TRun batch = Solve(dir, "--batch - --report-dir '" + (dir.Path() / "all").string() + "'",
                             "tc\n40\n42\n44\n", {}, program);
    EXPECT_EQ(batch.Status, 0);
    EXPECT_EQ(batch.Err, run.Err);
    EXPECT_EQ(PdfPages(dir.Path() / "all" / "case-3.pdf"), PdfPages(pdf));
}

} // namespace
