// The preview's exports over a three-page report on fixed metrics: the GIF
// picture and the PDF file through a save dialog the test answers (and once
// through Qt's real dialog), and the page files handed to a stand-in
// xdg-email. Message boxes are recorded, not shown.
#include "report/MapiControl.h"
#include "report/PageEngine.h"
#include "report/PictureFile.h"
#include "report/ReportExport.h"
#include "services/AppFolders.h"
#include "support/FakeXdgEmail.h"
#include "support/Fifo.h"
#include "support/FixedPageMetrics.h"
#include "support/RecordingFeedback.h"
#include "support/TempDir.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const QString Cancel = QStringLiteral("<cancel>");

// Answers in the user's place: each showing takes the next answer, a name as
// typed ("" keeps the one shown) or Cancel; a name without extension gets
// the default one, a name without folder goes into the folder shown.
class TAnsweringDialog : public TSaveDialog {
public:
    TAnsweringDialog(const TSaveDialogKind& kind, std::deque<QString>& answers)
        : Kind(kind), Answers_(answers)
    {
    }

    bool Execute() override
    {
        const QFileInfo last(FileName_);
        const QString folder =
            !FileName_.isEmpty() && last.isAbsolute() ? last.absolutePath() : InitialDir_;
        Shown.append(FileName_);
        Folders.append(folder);
        if (Answers_.empty())
            return false;
        QString typed = Answers_.front();
        Answers_.pop_front();
        if (typed == Cancel)
            return false;
        if (typed.isEmpty())
            typed = last.fileName();
        if (QFileInfo(typed).suffix().isEmpty())
            typed += "." + Kind.DefaultExt;
        FileName_ = QFileInfo(typed).isAbsolute() ? typed : QDir(folder).filePath(typed);
        return true;
    }
    QString FileName() const override { return FileName_; }
    void SetFileName(const QString& name) override { FileName_ = name; }
    QString InitialDir() const override { return InitialDir_; }
    void SetInitialDir(const QString& folder) override { InitialDir_ = folder; }

    TSaveDialogKind Kind;
    QStringList Shown;   // the file name shown at each showing
    QStringList Folders; // the folder shown at each showing

private:
    std::deque<QString>& Answers_;
    QString FileName_;
    QString InitialDir_;
};

class ReportExportTest : public ::testing::Test {
protected:
    ReportExportTest() : OldHome(qgetenv("HOME"))
    {
        // A documents folder of the test's own, and so a user data folder.
        qputenv("HOME", QByteArray::fromStdString(Home.Path().string()));
        InitAppFolders(QString::fromStdString((Program.Path() / "Vellox" / "vellox").string()),
                       "Vellox");
        Engine.MarginCm = {2.5, 2.5, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
        Engine.OnMessage = [](const std::string&) {};
        // 140 lines of 16 px: three pages.
        Engine.OnReportBody = [this] {
            for (int i = 0; i < 140; ++i) {
                Engine.EnsureSpace(1);
                Engine.DrawCanvas()->drawText(Engine.Pen, QString("Line %1").arg(i));
                Engine.AdvanceLines(1);
            }
        };
        Engine.RenderPreview();
        Export.MakeSaveDialog = [this](QWidget*, const TSaveDialogKind& kind) {
            auto dialog = std::make_unique<TAnsweringDialog>(kind, Answers);
            Dialogs.push_back(dialog.get());
            return std::unique_ptr<TSaveDialog>(std::move(dialog));
        };
    }

    ~ReportExportTest() override { qputenv("HOME", OldHome); }

    QString Folder() const { return UserDataFolder(); }

    QByteArray OldHome;
    TTempDir Home;
    TRecordingFeedback Feedback;
    TTempDir Program;
    TFixedMetrics Metrics;
    TPageEngine Engine{Metrics};
    QWidget Window;
    TReportExport Export{&Window, Engine};
    std::deque<QString> Answers;
    std::vector<TAnsweringDialog*> Dialogs;
};

// The first pixel where the page differs from its band of the picture, as
// "x,y", or empty when equal.
std::string FirstDifference(const QImage& page, const QImage& picture, int top)
{
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xffffff) != (picture.pixel(x, top + y) & 0xffffff))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

TEST_F(ReportExportTest, GifHoldsAllPagesOneUnderTheOtherAndTheDialogRemembersTheName)
{
    ASSERT_EQ(Engine.Pages.size(), 3u);
    Answers = {""};
    Export.SaveGif();
    ASSERT_EQ(Dialogs.size(), 1u);
    TAnsweringDialog& dialog = *Dialogs[0];
    EXPECT_EQ(dialog.Kind.DefaultExt, "gif");
    EXPECT_EQ(dialog.Kind.Filter, "GIF Image File (*.gif)");
    EXPECT_EQ(dialog.Shown, QStringList{"Report.gif"});
    EXPECT_EQ(dialog.Folders, QStringList{Folder()});
    const QString path = Folder() + "Report.gif";
    const QImage picture = LoadPicture(path.toStdString());
    ASSERT_EQ(picture.size(), QSize(Engine.PageWidthPx, 3 * Engine.PageHeightPx));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FirstDifference(Engine.Pages[static_cast<std::size_t>(i)], picture,
                                  i * Engine.PageHeightPx),
                  "")
            << "page " << i;
    EXPECT_TRUE(Feedback.Messages.isEmpty());
    EXPECT_TRUE(Feedback.Errors.isEmpty());

    // The same dialog again, on the last name; a cancel writes nothing.
    Answers = {"Other", Cancel};
    Export.SaveGif();
    Export.SaveGif();
    EXPECT_EQ(Dialogs.size(), 1u);
    EXPECT_EQ(dialog.Shown, QStringList({"Report.gif", path, Folder() + "Other.gif"}));
    EXPECT_TRUE(QFile::exists(Folder() + "Other.gif"));
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files), QStringList({"Other.gif", "Report.gif"}));
}

TEST_F(ReportExportTest, ReportLogoInAnyCaseIsRefusedAndTheNameCleared)
{
    const struct {
        const char* Typed;
        const char* Message; // empty: accepted
    } cases[] = {
        {"reportlogo", "Sorry, reportlogo is a reserved filename"},
        {"ReportLogo.gif", "Sorry, ReportLogo is a reserved filename"},
        {"REPORTLOGO.GIF", "Sorry, REPORTLOGO is a reserved filename"},
        {"ReportLogo.pdf", "Sorry, ReportLogo is a reserved filename"},
        {"ReportLogo2", ""},
        {"My.ReportLogo.gif", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        Feedback.Messages.clear();
        Answers = {c.Typed, Cancel};
        Export.SaveGif();
        TAnsweringDialog& dialog = *Dialogs.back();
        if (*c.Message != '\0') {
            EXPECT_EQ(Feedback.Messages, QStringList{c.Message});
            // Shown again with an empty name; nothing was written.
            ASSERT_GE(dialog.Shown.size(), 2);
            EXPECT_EQ(dialog.Shown.back(), "");
            EXPECT_FALSE(QFile::exists(dialog.Folders.back() + "/" + c.Typed));
        } else {
            EXPECT_TRUE(Feedback.Messages.isEmpty());
            EXPECT_TRUE(QFile::exists(dialog.FileName()));
        }
    }
    EXPECT_FALSE(QFile::exists(Folder() + "reportlogo.gif"));
    EXPECT_FALSE(QFile::exists(Folder() + "ReportLogo.gif"));
}

// A name where a FIFO, a folder or a link to one stands is refused as the
// reserved name is, by both save dialogs, and the thing stays what it was.
TEST_F(ReportExportTest, NameOfSomethingThatIsNoFileIsRefused)
{
    namespace fs = std::filesystem;
    const fs::path folder = Folder().toStdString();
    ASSERT_TRUE(MakeFifo(folder / "pipe.gif"));
    fs::create_directory(folder / "folder.gif");
    fs::create_symlink(folder / "pipe.gif", folder / "link.pdf");
    const struct {
        const char* Typed;
        const char* What;
        bool Pdf;
    } cases[] = {
        {"pipe.gif", "is a FIFO", false},
        {"folder.gif", "is a folder", false},
        {"link.pdf", "is a FIFO", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        Feedback.Messages.clear();
        Answers = {c.Typed, Cancel};
        const auto typeBefore = fs::status(folder / c.Typed).type();
        if (c.Pdf)
            Export.SavePdf();
        else
            Export.SaveGif();
        ASSERT_EQ(Feedback.Messages.size(), 1);
        EXPECT_TRUE(Feedback.Messages[0].startsWith("Sorry, "))
            << Feedback.Messages[0].toStdString();
        EXPECT_TRUE(Feedback.Messages[0].endsWith(QString(c.What) + ", not a regular file"))
            << Feedback.Messages[0].toStdString();
        EXPECT_EQ(fs::status(folder / c.Typed).type(), typeBefore);
        EXPECT_TRUE(Feedback.Errors.isEmpty());
    }
}

TEST_F(ReportExportTest, NothingWithoutPagesOrOnCancel)
{
    Answers = {Cancel};
    Export.SaveGif();
    Export.SavePdf();
    EXPECT_EQ(Dialogs.size(), 2u);
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files).isEmpty());

    Engine.Pages.clear();
    Export.SaveGif();
    Export.SavePdf();
    Export.SendEMail();
    EXPECT_EQ(Dialogs.size(), 2u);
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files).isEmpty());
}

// The pages of a preview run that failed part way are not the report: the
// GIF and e-mail exports show the run's failure and write no page, without
// asking for a name.
TEST_F(ReportExportTest, PagesOfAFailedRunAreNotExported)
{
    Engine.OnReportBody = [this] {
        Engine.DrawCanvas()->drawText(Engine.Pen, "Line 0");
        throw std::bad_alloc();
    };
    Engine.RenderPreview();
    ASSERT_FALSE(Engine.Pages.empty());
    Answers = {"", ""};
    Export.SaveGif();
    Export.SendEMail();
    EXPECT_TRUE(Dialogs.empty());
    EXPECT_EQ(Feedback.Errors, QStringList({"Report write error: out of memory",
                                            "Report write error: out of memory"}));
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportExportTest, AnExistingFileIsReplaced)
{
    const QString path = Folder() + "Report.gif";
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older picture");
    }
    Answers = {""};
    Export.SaveGif();
    EXPECT_EQ(LoadPicture(path.toStdString()).height(), 3 * Engine.PageHeightPx);
}

// The system's reason in the error box, and nothing at the path, for both
// files.
class ReportExportFailureTest : public ReportExportTest {
protected:
    void ExpectFailedWrite(const QString& folder, const QString& reason)
    {
        for (const bool pdf : {false, true}) {
            SCOPED_TRACE(pdf ? "pdf" : "gif");
            Feedback.Errors.clear();
            const QString path = folder + (pdf ? "/R.pdf" : "/R.gif");
            Answers = {path};
            pdf ? Export.SavePdf() : Export.SaveGif();
            ASSERT_EQ(Feedback.Errors.size(), 1);
            EXPECT_EQ(Feedback.Errors[0], "Could not write " + path + ".\n" + reason);
            EXPECT_FALSE(QFile::exists(path));
        }
    }
};

TEST_F(ReportExportFailureTest, AFolderThatIsAFile)
{
    TTempDir dir;
    ExpectFailedWrite(QString::fromStdString(dir.Write("plain", "x")), "Not a directory");
}

TEST_F(ReportExportFailureTest, AFolderWithoutWritePermission)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TTempDir dir;
    const fs::path locked = dir.Path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailedWrite(QString::fromStdString(locked.string()), "Permission denied");
    fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(ReportExportTest, PdfIsWrittenAndThePreviewKeepsItsPages)
{
    const auto marginPx = Engine.MarginPx;
    const int pxPerCm = Engine.PxPerCmX;
    const QSize pageSize = Engine.Pages.front().size();
    const std::vector<QImage> pages = Engine.Pages;
    Answers = {""};
    Export.SavePdf();
    ASSERT_EQ(Dialogs.size(), 1u);
    EXPECT_EQ(Dialogs[0]->Kind.DefaultExt, "pdf");
    EXPECT_EQ(Dialogs[0]->Kind.Filter, "PDF Document (*.pdf)");
    EXPECT_EQ(Dialogs[0]->Shown, QStringList{"Report.pdf"});
    QFile pdf(Folder() + "Report.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(Feedback.Errors.isEmpty());
    // The preview's pages and positions, not the PDF's.
    EXPECT_EQ(Engine.MarginPx, marginPx);
    EXPECT_EQ(Engine.PxPerCmX, pxPerCm);
    ASSERT_EQ(Engine.Pages.size(), 3u);
    EXPECT_EQ(Engine.Pages.front().size(), pageSize);

    // Nothing lays the preview out again: its pages are the ones it had.
    EXPECT_EQ(Engine.Pages, pages);
    int previewRuns = 0;
    Engine.OnMessage = [&](const std::string& m) {
        if (m == "Printer Device Error...")
            ++previewRuns;
    };
    Answers = {"Second"};
    Export.SavePdf();
    EXPECT_EQ(previewRuns, 0);
    EXPECT_TRUE(QFile::exists(Folder() + "Second.pdf"));
    // Its own dialog: the GIF one starts from its own first name.
    Answers = {Cancel};
    Export.SaveGif();
    EXPECT_EQ(Dialogs.back()->Shown, QStringList{"Report.gif"});
}

TEST_F(ReportExportTest, EMailHandsThePageFilesToTheMailClient)
{
    TFakeXdgEmail xdgEmail;
    const QString folder = QDir::toNativeSeparators(Folder());
    const struct {
        int Status;
        QStringList Messages;
        QStringList Errors;
    } cases[] = {
        {0, {}, {}}, // the client has it; a cancel there is its own business
        {3,
         {"No e-mail program could be started.\nThe report pages page0.gif to page2.gif are in " +
          folder},
         {}},
        {4,
         {"No e-mail program could be started.\nThe report pages page0.gif to page2.gif are in " +
          folder},
         {}},
        {5,
         {},
         {"The e-mail program reported error 5.\nThe report pages page0.gif to page2.gif are in " +
          folder}},
    };
    const QStringList pages{Folder() + "page0.gif", Folder() + "page1.gif", Folder() + "page2.gif"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Status);
        Feedback.Messages.clear();
        Feedback.Errors.clear();
        xdgEmail.ExitWith(c.Status);
        Export.SendEMail();
        EXPECT_EQ(xdgEmail.Arguments(),
                  QStringList({"--utf8", "--subject", "Report...", "--body",
                               "Please find our report attached.", "--attach", pages[0], "--attach",
                               pages[1], "--attach", pages[2]}));
        EXPECT_EQ(Feedback.Messages, c.Messages);
        EXPECT_EQ(Feedback.Errors, c.Errors);
    }
    for (int i = 0; i < 3; ++i) {
        const QImage page = LoadPicture(pages[i].toStdString());
        ASSERT_EQ(page.size(), Engine.Pages.front().size());
        EXPECT_EQ(FirstDifference(Engine.Pages[static_cast<std::size_t>(i)], page, 0), "");
    }
    EXPECT_TRUE(Export.MapiControl1->ShowDialog);
    EXPECT_TRUE(Export.MapiControl1->UseAppHandle);
    EXPECT_TRUE(Export.MapiControl1->Recipients.isEmpty());
    EXPECT_EQ(Export.MapiControl1->DisplayFileName(),
              QStringList({"page0.gif", "page1.gif", "page2.gif"}));
    // Nothing went into the program's folder.
    EXPECT_FALSE(QFile::exists(AppFolder() + "page0.gif"));

    // A report of one page names its one file.
    Engine.Pages.resize(1);
    Feedback.Messages.clear();
    xdgEmail.ExitWith(3);
    Export.SendEMail();
    EXPECT_EQ(Feedback.Messages,
              QStringList{"No e-mail program could be started.\nThe report page page0.gif is in " +
                          folder});
}

// Qt's own dialog: the first name shown, the default extension added to a
// typed name, and an empty name field after SetFileName("").
TEST(SaveDialogWidgetTest, RealDialogShowsClearsAndCompletesTheName)
{
    TTempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    QWidget window;
    TFileSaveDialog dialog(&window, {"gif", "GIF Image File (*.gif)"});
    dialog.SetInitialDir(folder);
    dialog.SetFileName("Report.gif");
    QString shownName, shownFolder, filter;
    auto answer = [&](const QString& typed) {
        QTimer::singleShot(0, [&, typed] {
            QFileDialog& real = dialog.Dialog();
            auto* edit = real.findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            shownName = edit->text();
            shownFolder = real.directory().absolutePath();
            filter = real.selectedNameFilter();
            if (typed == Cancel) {
                real.reject();
                return;
            }
            edit->setText(typed);
            static_cast<QDialog&>(real).accept(); // QFileDialog's own, through the base
        });
    };
    answer("reportlogo");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shownName, "Report.gif");
    EXPECT_EQ(shownFolder, QDir(folder).absolutePath());
    EXPECT_EQ(filter, "GIF Image File (*.gif)");
    EXPECT_EQ(dialog.FileName(), QDir(folder).absolutePath() + "/reportlogo.gif");

    dialog.SetFileName("");
    answer(Cancel);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(shownName, "");
    EXPECT_EQ(shownFolder, QDir(folder).absolutePath());
}

} // namespace
