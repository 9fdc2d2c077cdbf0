#pragma once

#include "units/EditValue.h"
#include "units/NqConv.h"
#include "units/NumberText.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

// A single-line edit for one number with engineering units. Its text is its
// value: every read converts the text shown (display unit) to the storage
// unit, every write replaces the text. It lets through only the keys that suit
// its format, and on Enter or when the focus leaves it cleans, range-checks and
// reformats the text. The unit label beside it (a TFmtEditLabel) switches the
// display unit.
//
// The modified flag is the line edit's own (isModified): clear on entry and
// after every program write that changes the text, set by typing.
class NqCustomEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NqCustomEdit(QWidget* parent = nullptr);
    ~NqCustomEdit() override;

    // The value in the storage unit: a number (an integer for integer
    // formats), or the text itself when it is not a number. Never changes the
    // edit.
    TEditValue GetValue() const;
    // Shows a storage-unit value; no range check. A value that cannot be
    // shown clears the text.
    void SetValue(const TEditValue& value);

    const QString& EnterText() const { return EnterText_; }
    double RangeLo() const { return RangeLo_; }
    double RangeHi() const { return RangeHi_; }
    TUnitsType UnitsType() const { return UnitsType_; }
    int UnitsValue() const { return UnitsValue_; }
    int UnitsBase() const { return UnitsBase_; }
    double Factor() const { return Factor_; }
    double Offset() const { return Offset_; }
    QLabel* UnitsLabel() const { return UnitsLabel_; }
    int FormatDecimals() const { return FormatDecimals_; }
    TFormatType FormatType() const { return FormatType_; }
    int SigDigs() const { return SigDigs_; }
    QString FormatStr() const { return QString::fromStdString(FormatStr_); }
    bool Modified() const { return isModified(); }

    void SetRangeLo(double value) { RangeLo_ = value; }
    void SetRangeHi(double value) { RangeHi_ = value; }
    // A new kind: the shown number is taken as a storage-unit value.
    void SetUnitsType(TUnitsType kind);
    void SetUnitsBase(int index);
    // A new display unit: the shown value is converted and shown again.
    void SetUnitsValue(int index);
    // Links the edit to a unit label (a TFmtEditLabel lists it and follows
    // its unit); nullptr unlinks.
    void SetUnitsLabel(QLabel* label);
    void SetFormatStr(const QString& format);
    void SetFormatType(TFormatType type) { FormatType_ = type; }
    void SetSigDigs(int digits) { SigDigs_ = digits; }
    // Writes the text as it is (only when it differs from the shown text).
    void SetText(const QString& text) { WriteText(text); }
    void SetModified(bool modified) { setModified(modified); }

    // Converts the shown value to the current display unit and refreshes the
    // format and the label.
    void ApplyUnits();
    // Whether x (display units) lies in the range; outside (beyond the
    // tolerance) x becomes the nearer limit and the check fails.
    bool CheckRange(double& x) const;
    bool IsKeyAllowed(QChar key);

    virtual bool CanModifyText() const { return true; }
    // Esc: back to the text the edit had when it received the focus.
    virtual void RestoreText();
    // Cleans, converts, range-checks and reformats a display-unit text; false
    // only when a limit was applied.
    virtual bool ValidateText(const QString& text);
    virtual void SignalInvalid();
    // The check of Enter and of leaving the edit: a limit applied keeps the
    // focus here, with a beep.
    virtual void ValidateOnExit();

    // Opens the units popup of the linked label below the edit (keyboard
    // access to the label click: F4 or Alt+Down).
    void OpenUnitsPopup();

signals:
    // The focus arrived (after the edit's own entry handling).
    void Entered(NqCustomEdit* sender);
    // The focus left, after the edit's own check; the window's coupling of
    // this field runs here. Also run by CommitEdit.
    void Exited(NqCustomEdit* sender);
    // The units popup changed this edit's display unit.
    void UnitsEdited(NqCustomEdit* sender);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void WriteText(const QString& text);
    // Pastes the first line of the clipboard (or of the selection): a field
    // of one line takes a paste of many lines as one line.
    void PasteOneLine(QClipboard::Mode mode);
    void HandleCharacters(const QString& characters);
    void TakeFocusBack();
    double ToDisplay(double storageValue) const;
    double FromDisplay(double displayValue) const;

    QString EnterText_;
    double RangeLo_ = 0;
    double RangeHi_ = 0;
    TUnitsType UnitsType_ = utNone;
    int UnitsValue_ = 0;
    int UnitsBase_ = 0;
    double Factor_ = 1;
    double Offset_ = 0;
    QPointer<QLabel> UnitsLabel_;
    int FormatDecimals_ = 0;
    TFormatType FormatType_ = ft_Fixed;
    int SigDigs_ = 5;
    std::string FormatStr_ = "%0.1f";
    bool RegainingFocus_ = false;
};

// Makes a value typed but not yet left take effect: when the control is a
// numeric edit, its exit check and exit handler run and it counts as
// unmodified afterwards.
void CommitEdit(QWidget* control);
