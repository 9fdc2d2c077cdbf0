// Editing the design case: the diameter steps, the refrigerant selector, New,
// window activation and closing, and moving between fields with Enter and the
// arrow keys.
#include "app/MainForm.h"
#include "app/SpinButton.h"
#include "common/Rounding.h"
#include "report/CapillaryReportSetup.h"
#include "services/UserFeedback.h"
#include "sizing/DesignFields.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <string>
#include <vector>

// 1 % per click, compounding, kept to four decimals and inside the range;
// then the case is solved again.
void TMainForm::StepDiameter(double factor)
{
    Guarded(this, [&] {
        idEdit->SetValue(RoundToDecimals(static_cast<Extended>(Number(dfId)) * factor, 4));
        const double stepped = Number(dfId);
        if (factor > 1 && stepped > idEdit->RangeHi())
            idEdit->SetValue(idEdit->RangeHi());
        if (factor < 1 && stepped < idEdit->RangeLo())
            idEdit->SetValue(idEdit->RangeLo());
    });
    SolveActionExecute(SpinButton1);
}

void TMainForm::SpinButton1UpClick()
{
    StepDiameter(1.01);
}

void TMainForm::SpinButton1DownClick()
{
    StepDiameter(0.99);
}

void TMainForm::ApplyRefrigerant()
{
    // Without a library file the selector is empty and the built-in R22
    // stays the refrigerant.
    if (RefrigCombo->count() > 0)
        Lib_.SelectRefrigerantIndex(RefrigCombo->currentIndex());
    // The temperatures stay; the pressures follow the new refrigerant.
    PressuresFromTemperatures();
    UpdateRefrigEffect();
    DutyFromMassFlow();
    RLabel->setText(QString::fromStdString(Lib_.GetDisplayName()));
    BuildRefProps();
}

void TMainForm::RefrigComboChange()
{
    Guarded(this, [this] { ApplyRefrigerant(); });
}

void TMainForm::RefrigComboClick()
{
    Guarded(this, [this] { ApplyRefrigerant(); });
}

void TMainForm::NewActionExecute()
{
    {
        const QSignalBlocker blocker(RefrigCombo);
        RefrigCombo->setCurrentIndex(RefrigCombo->findText("R22"));
    }
    if (RefrigCombo->currentIndex() >= 0)
        Lib_.SelectRefrigerantIndex(RefrigCombo->currentIndex());
    else
        Lib_.SelectRefrigerant("R22");
    // The defaults go in before the refrigerant is applied, so that New also
    // recovers fields holding text that is not a number; the pressures, the
    // effect and the duty are derived from the defaults below either way.
    for (const TDesignFieldLayout& layout : DesignFieldLayouts)
        if (layout.NewValue)
            Edits[layout.Field]->SetValue(*layout.NewValue);
    ApplyRefrigerant();
    PressuresFromTemperatures();
    UpdateRefrigEffect();
    DutyFromMassFlow();
    SolveActionExecute();
    BuildRefProps();
}

void TMainForm::FormActivate()
{
    // The report settings are loaded once per run. Stored values that cannot
    // be used have taken their defaults; the user learns which in one error
    // box.
    if (FirstActivation_) {
        const std::vector<std::string> unusable = LoadCapillaryReportSettings(SettingsKey);
        FirstActivation_ = false;
        if (!unusable.empty()) {
            QStringList lines;
            for (const std::string& text : unusable)
                lines.append(QString::fromStdString(text));
            Feedback().Error(this, tr("Some stored report settings cannot be used:\n") +
                                       lines.join(QLatin1Char('\n')));
        }
    }
    PressuresFromTemperatures();
    UpdateRefrigEffect();
    RLabel->setText(QString::fromStdString(Lib_.GetDisplayName()));
    DutyFromMassFlow();
    BuildRefProps();
    FlatPageControl1->setCurrentWidget(TabSheet1);
}

void TMainForm::FormClose()
{
    SaveSettings();
    PageLines.clear();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || Closed_)
        return;
    if (!isActiveWindow()) {
        // Remember who took over: coming back from another program or from a
        // message box is not an activation of the window within the program.
        QWidget* other = QApplication::activeWindow();
        ReturnActivates_ = other != nullptr && qobject_cast<QMessageBox*>(other) == nullptr;
        return;
    }
    if (FirstActivation_ || ReturnActivates_)
        Guarded(this, [this] { FormActivate(); });
    ReturnActivates_ = false;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    Guarded(this, [this] { FormClose(); });
    Closed_ = true;
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this && widget == QApplication::focusWidget())
            return HandleNavigationKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

// Enter and Down move to the next field, Up to the one before, while a
// single-line field or the page tabs have the focus. Leaving a field this way
// runs its check and coupling like a click elsewhere.
bool TMainForm::HandleNavigationKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool next = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    const bool previous = key == Qt::Key_Up;
    if ((!next && !previous) || (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) != 0)
        return false;
    QWidget* focus = QApplication::focusWidget();
    const bool singleLine = qobject_cast<QLineEdit*>(focus) != nullptr &&
                            qobject_cast<QComboBox*>(focus->parentWidget()) == nullptr;
    const bool tabs = qobject_cast<QTabBar*>(focus) != nullptr;
    if (!singleLine && !tabs)
        return false;
    focusNextPrevChild(next);
    return true;
}
