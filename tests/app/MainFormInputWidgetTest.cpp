// The main window given bad or hostile input: stored values no field could
// hold, library texts that look like markup, pasted pages of text; and the
// parts of the window a user reads whatever happens.
#include "app/MainForm.h"
#include "app/MutedText.h"
#include "report/ReportSettings.h"
#include "support/MainFormFixture.h"
#include "support/TempDir.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <QClipboard>
#include <QComboBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

class MainFormInputTest : public MainFormTest {
protected:
    // Starts the window again on what is stored, then closes it as the user
    // does, so that what it saves can be read back.
    void Reopen()
    {
        Feedback.Errors.clear();
        Open(ShippedLibrary());
    }
    void Close()
    {
        Form->close();
        QApplication::processEvents();
    }
};

struct TStoredCase {
    const char* Name;
    double Stored;
    TDesignField Field;
    QString Shown; // the field's default
};

// A stored value that is not finite or lies outside its field's range is
// refused like one of the wrong kind: the default and the error box.
TEST_F(MainFormInputTest, StoredValuesNoFieldCouldHoldGiveTheDefault)
{
    const TStoredCase cases[] = {
        {"tc", std::numeric_limits<double>::quiet_NaN(), dfTc, "45.0"},
        {"te", -std::numeric_limits<double>::infinity(), dfTe, "5.0"},
        {"sc", 1e308, dfSc, "5.0"},
        {"sh", -0.5, dfSh, "7.5"},
        {"dpe", 501, dfDpEvap, "140.000"},
        {"id", 1000, dfId, "1.6300"},
    };
    const int r22 = Store().ReadInteger("Settings", "Refrig", 0);
    for (const auto& c : cases) {
        Form.reset();
        Store().WriteInteger("Settings", "Refrig", r22);
        Store().WriteFloat("Settings", "tc", 40.0);
        Store().WriteFloat("Settings", c.Name, c.Stored);
        Reopen();
        EXPECT_EQ(Form->Edits[c.Field]->text(), c.Shown) << c.Name;
        ASSERT_EQ(Feedback.Errors.size(), 1) << c.Name;
        EXPECT_TRUE(Feedback.Errors[0].contains(QString("'%1'").arg(c.Name)))
            << Feedback.Errors[0].toStdString();
        Store().EraseSection("Settings");
    }
    // A stored bore of 1000 mm no longer reaches the sizing.
    Form.reset();
    Store().WriteInteger("Settings", "Refrig", r22);
    Store().WriteFloat("Settings", "tc", 40.0);
    Store().WriteFloat("Settings", "id", 1000);
    Reopen();
    PressF9();
    EXPECT_EQ(Status(2), "Capillary Length = 3.393 m");
}

// One bad value is reported; the good values after it are still loaded, and
// closing the window keeps them.
TEST_F(MainFormInputTest, BadStoredValueDoesNotCostTheOthers)
{
    Form.reset();
    Store().WriteString("Settings", "tc", "abc");
    Store().WriteFloat("Settings", "te", -10.0);
    Store().WriteFloat("Settings", "id", 1.6);
    Reopen();
    EXPECT_EQ(Feedback.Errors.size(), 1);
    EXPECT_EQ(Form->tcEdit->text(), "45.0");
    EXPECT_EQ(Form->teEdit->text(), "-10.0");
    EXPECT_EQ(Form->idEdit->text(), "1.6000");
    Close();
    EXPECT_EQ(Store().ReadFloat("Settings", "te", 0), -10.0);
    EXPECT_EQ(Store().ReadFloat("Settings", "id", 0), 1.6);
}

// A refrigerant picked again after a section the built-in record stood in
// for is read again from its section.
TEST_F(MainFormInputTest, RefrigerantSelectedAgainIsReadAgain)
{
    TTempDir dir;
    std::ifstream shipped(ShippedLibrary(), std::ios::binary);
    const std::string library = dir.Write(
        "lib.rdf", std::string(std::istreambuf_iterator<char>(shipped), {}) + "\n[Blank]\n");
    Open(library);
    auto pick = [this](const char* name) {
        Form->RefrigCombo->setCurrentIndex(Form->RefrigCombo->findText(name));
        QApplication::processEvents();
        PressF9();
        return Form->LabelASHLen->text();
    };
    const QString first = pick("R134a");
    EXPECT_NE(pick("Blank"), first);
    EXPECT_EQ(pick("R134a"), first);
    EXPECT_TRUE(Form->RLabel->text().startsWith("R134a"));
}

TEST_F(MainFormInputTest, LibraryTextIsShownAsPlainText)
{
    TTempDir dir;
    const std::string markup = R"(<font color="red" size="7">INJECTED</font><img src="/x.png">)";
    const std::string library =
        dir.Write("lib.rdf", "[R22]\nRNumber=R22\nChemicalName=" + markup + "\n");
    Open(library);
    EXPECT_EQ(Form->RLabel->textFormat(), Qt::PlainText);
    EXPECT_TRUE(Form->RLabel->text().contains(QString::fromStdString(markup)));
    for (QLabel* label : Form->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

// A page of pasted text arrives as its first line; an error box quotes at
// most 60 characters of a bad value.
TEST_F(MainFormInputTest, PastedLinesArriveAsOneLine)
{
    struct {
        QString Clipboard;
        QString Field;
    } cases[] = {
        {"42.5\n43\n44", "42.5"},
        {"\r\n\r\n41.5\r\n", "41.5"},
        {"39", "39"},
    };
    for (const auto& c : cases) {
        QApplication::clipboard()->setText(c.Clipboard);
        Form->tcEdit->setFocus(Qt::TabFocusReason);
        Form->tcEdit->selectAll();
        QTest::keyClick(Form->tcEdit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Form->tcEdit->text(), c.Field) << c.Clipboard.toStdString();
    }
    QApplication::clipboard()->setText(QString(200, 'x') + "\n" + QString(200, 'y'));
    Form->tcEdit->selectAll();
    QTest::keyClick(Form->tcEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Form->tcEdit->text(), QString(200, 'x'));
    Feedback.Errors.clear();
    Tab();
    ASSERT_FALSE(Feedback.Errors.isEmpty());
    EXPECT_EQ(Feedback.Errors[0], "'" + QString(60, 'x') + QString::fromUtf8("\xE2\x80\xA6") +
                                      "' is not a valid floating point value");
}

// The report settings come in at the first activation and go back at close;
// a stored position with a decimal comma or out of its range is reported in
// one error box and takes its default, the other values are loaded, and
// later activations do not load them again.
TEST_F(MainFormInputTest, ReportSettingsAreLoadedOnceAndSavedAtClose)
{
    Form.reset();
    Store().WriteString("Report", "Left margin", "3");
    Store().WriteString("Report", "Right margin", "2,5");
    Store().WriteString("Report", "Top margin", "30");
    Store().WriteString("Report", "mX2", "8");
    ReportSettings().Positions = DefaultMargins();
    Reopen();
    ASSERT_EQ(Feedback.Errors.size(), 1);
    EXPECT_EQ(Feedback.Errors[0],
              "Some stored report settings cannot be used:\n"
              "report setting 'Right margin' = '2,5' is not a number; using 2.5\n"
              "report setting 'Top margin' = 30 is out of range [0..14.85] cm; using 2.5");
    EXPECT_EQ(ReportSettings().Positions[0], 3.0);
    EXPECT_EQ(ReportSettings().Positions[1], 2.5);
    EXPECT_EQ(ReportSettings().Positions[2], 2.5);
    EXPECT_EQ(ReportSettings().Positions[4], 7.0); // mX1 of this report
    EXPECT_EQ(ReportSettings().Positions[5], 8.0);

    Store().WriteString("Report", "Right margin", "2.25");
    Feedback.Errors.clear();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    QApplication::setActiveWindow(Form.get());
    QApplication::processEvents();
    EXPECT_TRUE(Feedback.Errors.isEmpty());
    EXPECT_EQ(ReportSettings().Positions[1], 2.5);

    Close();
    EXPECT_EQ(Store().ReadString("Report", "Left margin", ""), "3");
    EXPECT_EQ(Store().ReadString("Report", "Right margin", ""), "2.5");
    EXPECT_EQ(Store().ReadString("Report", "Top margin", ""), "2.5");
    EXPECT_EQ(Store().ReadString("Report", "mX2", ""), "8");
    EXPECT_EQ(Store().ReadInteger("Report", "Zoom", -1), 0);
    EXPECT_TRUE(Store().ValueExists("Report", "Name"));
}

TEST_F(MainFormInputTest, StatusPanelsStayWhileAHintIsShown)
{
    for (QAction* action : Form->ToolBar1->actions())
        EXPECT_TRUE(action->statusTip().isEmpty()) << action->text().toStdString();
    Form->statusBar()->showMessage("a hint");
    QApplication::processEvents();
    for (QLabel* panel : Form->StatusPanels)
        EXPECT_TRUE(panel->isVisible());
}

TEST_F(MainFormInputTest, SecondaryTextsAreReadableAndTheStepsHaveNoCaret)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(118, 118, 118), Qt::white), 4.54, 0.01);
    int muted = 0;
    for (QLabel* label : Form->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text != "Saturation" && text != "Temperature" && text != "Pressure" &&
            text != "actual measured tube ID")
            continue;
        ++muted;
        EXPECT_TRUE(label->isEnabled());
        const QPalette& palette = label->palette();
        EXPECT_GE(
            ContrastRatio(palette.color(QPalette::WindowText), palette.color(QPalette::Window)),
            4.5)
            << text.toStdString();
    }
    EXPECT_EQ(muted, 4);
    EXPECT_EQ(Form->RichEdit1->cursorWidth(), 0);
}

} // namespace
