// The numeric edit, its unit label and the units popup, driven with real key
// and mouse events.
#include "support/QtPrinters.h"
#include "support/RecordingFeedback.h"
#include "units/NqFmtEdit.h"
#include "units/NqFmtEditLabel.h"
#include "units/NqUnitsForm.h"

#include <clocale>
#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <random>

namespace {

class FmtEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        Window = std::make_unique<QWidget>();
        Layout = new QGridLayout(Window.get());
        tc = AddEdit({"%0.1f", ft_Fixed, 5, utTemperature, 0, nullptr, 0, 0, 0, "40.0"});
        sc = AddEdit({"%0.1f", ft_Fixed, 5, utTemperatureChange, 0, nullptr, 0, 20, 0, "5.0"});
        mr = AddEdit({"%0.3f", ft_AutoOverride, 5, utMassFlow, 0, nullptr, 0, 0, 0, "0.0100"});
        id = AddEdit({"%0.4f", ft_Fixed, 5, utLengthSmall, 0, nullptr, 0, 50, 0.5, "1.6300"});
        pc = AddEdit({"%0.3f", ft_Fixed, 5, utPressure, 0, nullptr, 0, 0, 0, "1500.000"});
        Other = new QLineEdit(Window.get());
        Layout->addWidget(Other, Layout->rowCount(), 0);
        Window->show();
        QApplication::setActiveWindow(Window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }

    TFmtEdit* AddEdit(TFmtEdit::TSetup setup)
    {
        const int row = Layout->rowCount();
        auto* edit = new TFmtEdit(Window.get());
        auto* label = new TFmtEditLabel(Window.get());
        setup.UnitsLabel = label;
        edit->Load(setup);
        Layout->addWidget(edit, row, 0);
        Layout->addWidget(label, row, 1);
        Exits[edit] = std::make_unique<QSignalSpy>(edit, &NqCustomEdit::Exited);
        return edit;
    }

    static TFmtEditLabel* LabelOf(TFmtEdit* edit)
    {
        return qobject_cast<TFmtEditLabel*>(edit->UnitsLabel());
    }

    // Focus by keyboard (the whole text selected), then typing.
    void Type(TFmtEdit* edit, const QString& keys)
    {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    // Tab to the next field, and let a focus taken back arrive.
    void Leave(QWidget* edit)
    {
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
        QApplication::processEvents();
    }

    int ExitCount(TFmtEdit* edit) { return static_cast<int>(Exits[edit]->count()); }

    TRecordingFeedback Feedback;
    std::unique_ptr<QWidget> Window;
    QGridLayout* Layout = nullptr;
    TFmtEdit* tc = nullptr;
    TFmtEdit* sc = nullptr;
    TFmtEdit* mr = nullptr;
    TFmtEdit* id = nullptr;
    TFmtEdit* pc = nullptr;
    QLineEdit* Other = nullptr;
    std::map<TFmtEdit*, std::unique_ptr<QSignalSpy>> Exits;
};

TEST_F(FmtEditTest, LoadedEditsShowTheirUnits)
{
    EXPECT_EQ(LabelOf(tc)->text(), "°C");
    EXPECT_EQ(LabelOf(pc)->text(), "kPa");
    EXPECT_EQ(LabelOf(mr)->text(), "kg/s");
    EXPECT_EQ(LabelOf(id)->text(), "mm");
    EXPECT_EQ(tc->FormatStr(), "%0.1f");
    EXPECT_EQ(pc->FormatStr(), "%0.3f");
    EXPECT_EQ(tc->GetValue().Number(), 40.0);
    EXPECT_EQ(LabelOf(tc)->LinkedEdits(), QList<NqCustomEdit*>{tc});
}

TEST_F(FmtEditTest, TypedTemperatureIsReformattedAndFollowsTheUnit)
{
    Type(tc, "70");
    Leave(tc);
    EXPECT_EQ(tc->text(), "70.0");
    EXPECT_EQ(tc->GetValue().Number(), 70.0);
    EXPECT_EQ(ExitCount(tc), 1);
    tc->SetUnitsValue(1); // °F
    EXPECT_EQ(tc->text(), "158.0");
    EXPECT_EQ(LabelOf(tc)->text(), "°F");
    EXPECT_NEAR(tc->GetValue().Number(), 70.0, 1e-12);
}

TEST_F(FmtEditTest, UnitChangesPassThroughTheShownPrecision)
{
    mr->SetUnitsValue(4); // lb/min
    EXPECT_EQ(mr->text(), "1.32");
    mr->SetUnitsValue(0);
    EXPECT_EQ(mr->text(), "0.00998");
    EXPECT_EQ(mr->GetValue().Number(), 0.00998);
    pc->SetUnitsValue(2); // Psi
    pc->SetValue(1500.0);
    EXPECT_EQ(pc->text(), "217.5565");
}

TEST_F(FmtEditTest, AutomaticDecimalsBelowTheThreshold)
{
    mr->SetValue(0.01);
    EXPECT_EQ(mr->text(), "0.0100");
    mr->SetValue(0.25);
    EXPECT_EQ(mr->text(), "0.250");
    mr->SetValue(-2.0);
    EXPECT_EQ(mr->text(), "-2.000");
}

struct TRangeCase {
    const char* Typed;
    const char* Shown;
    bool Beeps;
};

TEST_F(FmtEditTest, RangeLimitsWithAndWithoutTolerance)
{
    const std::pair<TFmtEdit*, TRangeCase> cases[] = {
        {sc, {"25", "20.0", true}},      {sc, {"20.05", "20.0", true}},
        {sc, {"-1", "0.0", true}},       {id, {"0.499", "0.4990", false}},
        {id, {"0.49", "0.5000", true}},  {id, {"50.2", "50.2000", false}},
        {id, {"50.3", "50.0000", true}}, {id, {"", "0.5000", true}},
        {sc, {"7.26", "7.3", false}},
    };
    for (const auto& [edit, c] : cases) {
        Feedback.Beeps = 0;
        const int exits = ExitCount(edit);
        Type(edit, c.Typed);
        if (QString(c.Typed).isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        Leave(edit);
        EXPECT_EQ(edit->text(), c.Shown) << c.Typed;
        EXPECT_EQ(Feedback.Beeps, c.Beeps ? 1 : 0) << c.Typed;
        // The exit handler runs either way; a limit keeps the focus here.
        EXPECT_EQ(ExitCount(edit), exits + 1) << c.Typed;
        EXPECT_EQ(edit->hasFocus(), c.Beeps) << c.Typed;
        if (c.Beeps) {
            EXPECT_TRUE(edit->Modified()) << c.Typed;
        }
    }
}

TEST_F(FmtEditTest, EscRestoresTheTextOfEntry)
{
    Type(tc, "55");
    EXPECT_EQ(tc->text(), "55");
    QTest::keyClick(tc, Qt::Key_Escape);
    EXPECT_EQ(tc->text(), "40.0");
    EXPECT_FALSE(tc->Modified());
    // Without changes Esc does nothing and is left to the window.
    QTest::keyClick(tc, Qt::Key_Escape);
    EXPECT_EQ(tc->text(), "40.0");
}

TEST_F(FmtEditTest, EnterValidatesWithoutTheExitHandler)
{
    Type(tc, "12.34");
    QTest::keyClick(tc, Qt::Key_Return);
    EXPECT_EQ(tc->text(), "12.3");
    EXPECT_EQ(ExitCount(tc), 0);
    EXPECT_TRUE(tc->hasFocus());
}

TEST_F(FmtEditTest, RefusedKeysBeepAndStillMarkTheField)
{
    tc->SetText("40");
    tc->setFocus(Qt::MouseFocusReason);
    tc->setCursorPosition(2);
    for (const char key : {'a', 'e', ',', '+'})
        QTest::keyClick(tc, key);
    EXPECT_EQ(Feedback.Beeps, 4);
    EXPECT_EQ(tc->text(), "40");
    EXPECT_TRUE(tc->Modified());
    Leave(tc);
    EXPECT_EQ(tc->text(), "40.0");
}

TEST_F(FmtEditTest, SelectAllThenTypingReplacesTheValue)
{
    tc->setFocus(Qt::MouseFocusReason);
    tc->setCursorPosition(1);
    QTest::keySequence(tc, QKeySequence::SelectAll);
    QTest::keyClicks(tc, "38.5");
    Leave(tc);
    EXPECT_EQ(tc->text(), "38.5");
    EXPECT_EQ(Feedback.Beeps, 0);
}

TEST_F(FmtEditTest, PastedTextThatIsNoNumberStaysAsTyped)
{
    QApplication::clipboard()->setText("1,5");
    tc->setFocus(Qt::TabFocusReason);
    tc->selectAll();
    QTest::keySequence(tc, QKeySequence::Paste);
    Leave(tc);
    EXPECT_EQ(tc->text(), "1,5");
    EXPECT_TRUE(tc->GetValue().IsText());
    EXPECT_EQ(tc->GetValue().Text(), "1,5");
}

TEST_F(FmtEditTest, TypingReplacesTheSelection)
{
    Type(tc, "5");
    EXPECT_EQ(tc->text(), "5");
    tc->SetText("40.0");
    tc->setSelection(1, 3); // "0.0"
    QTest::keyClick(tc, '5');
    EXPECT_EQ(tc->text(), "45");
    // Backspace removes the character before the selection, never the selection.
    tc->SetText("40.0");
    tc->selectAll();
    QTest::keyClick(tc, Qt::Key_Backspace);
    EXPECT_EQ(tc->text(), "40.0");
    tc->setSelection(2, 2);
    QTest::keyClick(tc, Qt::Key_Backspace);
    EXPECT_EQ(tc->text(), "4.0");
    EXPECT_TRUE(tc->Modified());
}

TEST_F(FmtEditTest, CommitEditAppliesTheFieldLikeLeavingIt)
{
    Type(sc, "25");
    CommitEdit(sc);
    EXPECT_EQ(sc->text(), "20.0");
    EXPECT_EQ(ExitCount(sc), 1);
    EXPECT_FALSE(sc->Modified());
    CommitEdit(Other); // not a numeric edit: nothing happens
}

TEST_F(FmtEditTest, GetValueAndSetValueByFormat)
{
    tc->SetFormatStr("%d");
    tc->SetText("12.5");
    EXPECT_TRUE(tc->GetValue().IsInteger());
    EXPECT_EQ(std::get<std::int64_t>(tc->GetValue().Value), 12); // halves to even
    tc->SetFormatType(ft_Manual);
    tc->SetFormatStr("%0.1f/%0.1f");
    tc->SetText("3/4");
    EXPECT_EQ(tc->GetValue().Text(), "3.0/4.0");
    tc->SetValue(TEditValue(std::string("1/2")));
    EXPECT_EQ(tc->text(), "1.0/2.0");
    tc->SetFormatStr("%0.1f");
    tc->SetValue(TEditValue(std::string("abc")));
    EXPECT_EQ(tc->text(), "");
    EXPECT_EQ(tc->GetValue().Number(), 0.0); // an empty field reads as 0
}

// Runs an action on the units popup once it is open.
// Polls every 10 ms until the popup is the active modal window; each poll
// schedules the next with the attempts left, so nothing outlives the wait.
void PollForPopup(const std::function<void(TUnitsForm*)>& action, int attemptsLeft)
{
    if (auto* popup = qobject_cast<TUnitsForm*>(QApplication::activeModalWidget()))
        action(popup);
    else if (attemptsLeft > 0)
        QTimer::singleShot(10, [action, attemptsLeft] { PollForPopup(action, attemptsLeft - 1); });
    else
        ADD_FAILURE() << "the units popup did not open";
}

void WhenPopupOpens(const std::function<void(TUnitsForm*)>& action)
{
    QTimer::singleShot(0, [action] { PollForPopup(action, 100); });
}

TEST_F(FmtEditTest, PopupSizeFollowsTheUnitCount)
{
    TUnitsForm temperature(tc);
    temperature.FillUnitsList();
    EXPECT_EQ(temperature.ListBox1->count(), 3);
    EXPECT_EQ(temperature.SelectedIndex(), 0);
    EXPECT_EQ(temperature.size(), QSize(60, 46));
    TUnitsForm pressure(pc);
    pressure.FillUnitsList();
    EXPECT_EQ(pressure.ListBox1->count(), 8);
    EXPECT_EQ(pressure.height(), 110);
    EXPECT_EQ(pressure.ListBox1->item(7)->text(), "mHead");
}

TEST_F(FmtEditTest, LabelClickAppliesTheHighlightedUnit)
{
    QSignalSpy edited(tc, &NqCustomEdit::UnitsEdited);
    WhenPopupOpens([](TUnitsForm* popup) {
        QTest::keyClick(popup->ListBox1, Qt::Key_Down);
        QTest::keyClick(popup->ListBox1, Qt::Key_Down);
        QTest::keyClick(popup->ListBox1, Qt::Key_Escape);
    });
    QTest::mouseClick(LabelOf(tc), Qt::LeftButton);
    EXPECT_EQ(tc->UnitsValue(), 2);
    EXPECT_EQ(LabelOf(tc)->text(), "K");
    EXPECT_EQ(tc->text(), "313.15"); // 40 °C
    EXPECT_EQ(edited.count(), 1);
}

TEST_F(FmtEditTest, ClickBelowTheItemsKeepsTheHighlight)
{
    pc->SetUnitsValue(3); // Bar
    WhenPopupOpens([](TUnitsForm* popup) {
        QTest::mouseClick(popup->ListBox1->viewport(), Qt::LeftButton, {},
                          QPoint(5, popup->ListBox1->viewport()->height() - 2));
    });
    QTest::mouseClick(LabelOf(pc), Qt::LeftButton);
    EXPECT_EQ(pc->UnitsValue(), 3);
    EXPECT_EQ(LabelOf(pc)->text(), "Bar");
}

TEST_F(FmtEditTest, KeyboardOpensThePopupToo)
{
    WhenPopupOpens([](TUnitsForm* popup) {
        QTest::keyClick(popup->ListBox1, Qt::Key_Down);
        QTest::keyClick(popup->ListBox1, Qt::Key_Return);
    });
    tc->setFocus();
    QTest::keyClick(tc, Qt::Key_F4);
    EXPECT_EQ(LabelOf(tc)->text(), "°F");
}

TEST(FmtEditLinks, EditsAndLabelsMayBeDestroyedInEitherOrder)
{
    auto label = std::make_unique<TFmtEditLabel>();
    auto first = std::make_unique<TFmtEdit>();
    auto second = std::make_unique<TFmtEdit>();
    first->SetUnitsType(utTemperature);
    second->SetUnitsType(utTemperature);
    first->SetUnitsLabel(label.get());
    second->SetUnitsLabel(label.get());
    first->SetUnitsLabel(label.get()); // no duplicates
    EXPECT_EQ(label->LinkedEdits(), (QList<NqCustomEdit*>{first.get(), second.get()}));
    first.reset();
    EXPECT_EQ(label->LinkedEdits(), QList<NqCustomEdit*>{second.get()});
    label.reset();
    EXPECT_EQ(second->UnitsLabel(), nullptr);
    second->SetUnitsValue(1); // must not touch the destroyed label
    EXPECT_EQ(second->text(), "32.0");
}

TEST(FmtEditLinks, AnotherLabelTakesTheEdit)
{
    TFmtEditLabel a;
    TFmtEditLabel b;
    TFmtEdit edit;
    edit.SetUnitsType(utPressure);
    edit.SetUnitsLabel(&a);
    edit.SetUnitsLabel(&b);
    EXPECT_TRUE(a.LinkedEdits().isEmpty());
    EXPECT_EQ(b.LinkedEdits(), QList<NqCustomEdit*>{&edit});
    EXPECT_EQ(b.text(), "kPa");
}

TEST(FmtEditRange, HighLimitOfZeroIsHandledSoundly)
{
    TFmtEdit edit;
    edit.SetRangeLo(-10);
    edit.SetRangeHi(0);
    for (const auto& [typed, expected] :
         std::vector<std::pair<double, double>>{{0.04, 0.04}, {1.0, 0.0}, {-11.0, -10.0}}) {
        double x = typed;
        edit.CheckRange(x);
        EXPECT_EQ(x, expected) << typed;
    }
}

TEST(FmtEditText, NumberTextNeverFollowsTheLocale)
{
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup.sh generates it)";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TRecordingFeedback feedback;
    TFmtEdit edit;
    edit.Load({"%0.3f", ft_AutoOverride, 5, utMassFlow, 0, nullptr, 0, 0, 0, "0.0100"});
    edit.SetValue(1.5);
    const QString shown = edit.text();
    const double read = edit.GetValue().Number();
    edit.SetText("2,5");
    const bool commaIsText = edit.GetValue().IsText();
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(shown, "1.500");
    EXPECT_EQ(read, 1.5);
    EXPECT_TRUE(commaIsText);
}

TEST(FmtEditText, NoTypedOrPastedTextBreaksTheEdit)
{
    TRecordingFeedback feedback;
    std::mt19937 random(20261209);
    const std::string alphabet = "0123456789.-+eE/ ,aX%s\t";
    const char* formats[] = {"%0.1f", "%0.4g", "%0.1f/%0.1f", "%d", "%s", "%0.3f"};
    std::vector<std::unique_ptr<TFmtEdit>> edits;
    for (const char* format : formats) {
        auto edit = std::make_unique<TFmtEdit>();
        edit->Load({format, ft_Manual, 5, utPressure, 0, nullptr, 0, 500, 0.5, "1"});
        edits.push_back(std::move(edit));
    }
    for (int i = 0; i < 4000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % (i % 10 == 0 ? 400 : 12));
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        if (i % 50 == 0)
            text = "1E" + std::to_string(random() % 100000);
        for (auto& edit : edits) {
            const QString typed = QString::fromStdString(text);
            EXPECT_NO_THROW({
                edit->SetText(typed);
                (void)edit->GetValue();
                edit->ValidateText(typed);
                (void)edit->GetValue();
                edit->SetValue(edit->GetValue());
            }) << text;
        }
    }
}

} // namespace
