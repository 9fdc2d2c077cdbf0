#include "units/NqCustomEdit.h"

#include "common/Errors.h"
#include "common/Format.h"
#include "common/Rounding.h"
#include "common/TextToNumber.h"
#include "services/UserFeedback.h"
#include "units/NqFmtEditLabel.h"

#include <cmath>
#include <memory>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>

namespace {

std::string Utf8(const QString& text)
{
    return text.toStdString();
}
QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// The part of a pair format before its first "/".
std::string FirstOfPair(const std::string& format)
{
    return format.substr(0, format.find('/'));
}

} // namespace

NqCustomEdit::NqCustomEdit(QWidget* parent) : QLineEdit(parent)
{
    setText("0.0");
}

NqCustomEdit::~NqCustomEdit()
{
    SetUnitsLabel(nullptr);
}

double NqCustomEdit::ToDisplay(double storageValue) const
{
    return ToDisplayValue(Offset_, Factor_, storageValue);
}

double NqCustomEdit::FromDisplay(double displayValue) const
{
    return FromDisplayValue(Offset_, Factor_, displayValue);
}

void NqCustomEdit::WriteText(const QString& newText)
{
    if (text() != newText)
        setText(newText);
}

TEditValue NqCustomEdit::GetValue() const
{
    const std::string shown = Utf8(text());
    try {
        if (IsStringFormat(FormatStr_))
            return TEditValue(Format(FormatStr_, {shown}));
        if (IsPairFormat(FormatStr_)) {
            const TNumberPair pair = ParsePair(shown);
            if (pair.IsPair)
                return TEditValue(
                    Format(FormatStr_, {FromDisplay(pair.First), FromDisplay(pair.Second)}));
            return TEditValue(Format("%0.4g", {FromDisplay(pair.First)}));
        }
        const double value = FromDisplay(TextToDouble(CleanNumberText(shown)));
        if (IsIntegerFormat(FormatStr_))
            return TEditValue(static_cast<std::int64_t>(Round(value)));
        return TEditValue(value);
    } catch (const EVelloxError&) {
        return TEditValue(shown);
    }
}

void NqCustomEdit::SetValue(const TEditValue& value)
{
    try {
        if (IsStringFormat(FormatStr_)) {
            if (!value.IsText())
                throw EConvertError("Format '" + FormatStr_ +
                                    "' invalid or incompatible with argument");
            WriteText(FromUtf8(Format(FormatStr_, {value.Text()})));
        } else if (IsPairFormat(FormatStr_)) {
            const TNumberPair pair = ParsePair(value.Text());
            if (pair.IsPair)
                WriteText(
                    FromUtf8(Format(FormatStr_, {ToDisplay(pair.First), ToDisplay(pair.Second)})));
            else
                WriteText(FromUtf8(Format(FirstOfPair(FormatStr_), {ToDisplay(pair.First)})));
        } else {
            const double x = ToDisplay(value.Number());
            if (IsIntegerFormat(FormatStr_))
                WriteText(FromUtf8(Format(FormatStr_, {static_cast<long long>(Round(x))})));
            else if (IsFloatFormat(FormatStr_))
                WriteText(
                    FromUtf8(FormatByType(x, FormatStr_, FormatType_, SigDigs_, FormatDecimals_)));
        }
    } catch (const EVelloxError&) {
        WriteText(QString());
    }
}

void NqCustomEdit::SetUnitsType(TUnitsType kind)
{
    UnitsType_ = kind;
    UnitsValue_ = ClampUnitsIndex(kind, UnitsValue_);
    UnitsBase_ = ClampUnitsIndex(kind, UnitsBase_);
    Factor_ = 1;
    Offset_ = 0;
    ApplyUnits();
}

void NqCustomEdit::SetUnitsBase(int index)
{
    UnitsBase_ = ClampUnitsIndex(UnitsType_, index);
    ApplyUnits();
}

void NqCustomEdit::SetUnitsValue(int index)
{
    UnitsValue_ = ClampUnitsIndex(UnitsType_, index);
    ApplyUnits();
}

void NqCustomEdit::SetUnitsLabel(QLabel* label)
{
    auto* current = qobject_cast<TFmtEditLabel*>(UnitsLabel_.data());
    // An edit follows one label at a time: a new label takes it from the old.
    if (current != nullptr && current != label)
        current->UnlinkEdit(this);
    if (IsStringFormat(FormatStr_))
        FormatStr_ = "%0.1f";
    UnitsLabel_ = label;
    if (auto* linked = qobject_cast<TFmtEditLabel*>(label)) {
        linked->LinkEdit(this);
        SetUnitsValue(UnitsValue_);
    }
}

void NqCustomEdit::SetFormatStr(const QString& format)
{
    FormatStr_ = Utf8(format);
    if (FormatStr_ == "%S" && text() == "0.0")
        WriteText(QString());
}

void NqCustomEdit::ApplyUnits()
{
    if (UnitsType_ == utNone && (IsStringFormat(FormatStr_) || IsIntegerFormat(FormatStr_)))
        return;
    try {
        // The value passes through the shown text, at the old unit's precision.
        const bool pair = IsPairFormat(FormatStr_);
        const TEditValue current = GetValue();
        const TEditValue kept = pair ? TEditValue(current.Text()) : TEditValue(current.Number());

        const TUnitsConversion conversion = GetUnitsConversion(UnitsType_, UnitsValue_, UnitsBase_);
        Factor_ = conversion.Factor;
        Offset_ = conversion.Offset;
        if (FormatType_ != ft_Manual && UnitsType_ != utNone)
            FormatStr_ = std::string(conversion.Format);
        if (IsStringFormat(FormatStr_))
            return;
        FormatDecimals_ = FormatDecimalsOf(FormatStr_);
        if (UnitsLabel_ != nullptr)
            UnitsLabel_->setText(QString::fromUtf8(
                conversion.Label.data(), static_cast<qsizetype>(conversion.Label.size())));
        if (pair && !IsPairFormat(FormatStr_))
            FormatStr_ = FormatStr_ + "/" + FormatStr_;
        SetValue(kept);
    } catch (const EVelloxError&) {
        // The shown text cannot be read: the old unit's factor, format and
        // label stay.
    }
}

bool NqCustomEdit::CheckRange(double& x) const
{
    if (IsStringFormat(FormatStr_))
        return true;
    const double lo = ToDisplay(RangeLo_);
    const double hi = ToDisplay(RangeHi_);
    if (std::fabs(lo - hi) < 0.00001 || (lo == 0 && hi == 0))
        return true;
    // Within 0.5 % of a limit counts as inside, except for ranges that start
    // at zero, whose upper limit is strict.
    if (x < lo) {
        if (!(lo != 0 && std::fabs((lo - x) / lo) <= 0.005)) {
            x = lo;
            return false;
        }
    }
    if (x > hi) {
        // A range ending at zero measures the tolerance against its width.
        const double scale = hi != 0 ? hi : hi - lo;
        if (lo != 0 && std::fabs((x - hi) / scale) <= 0.005)
            return true;
        x = hi;
        return false;
    }
    return true;
}

bool NqCustomEdit::IsKeyAllowed(QChar key)
{
    setModified(true);
    const char16_t c = key.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    if (IsPairFormat(FormatStr_))
        return c >= 45 && c <= 57; // - . / and the digits
    if (IsIntegerFormat(FormatStr_))
        return digit || c == u'-';
    if (IsFloatFormat(FormatStr_))
        return digit || c == u'-' || c == u'.' ||
               (IsGeneralFormat(FormatStr_) && (c == u'e' || c == u'E'));
    return true;
}

void NqCustomEdit::RestoreText()
{
    if (!isModified())
        return;
    WriteText(EnterText_);
    setModified(false);
}

bool NqCustomEdit::ValidateText(const QString& typed)
{
    bool result = true;
    if (IsStringFormat(FormatStr_)) {
        try {
            WriteText(FromUtf8(Format(FormatStr_, {Utf8(typed)})));
        } catch (const EVelloxError&) {
        }
        setModified(true);
        return true;
    }
    try {
        std::string s = CleanNumberText(Utf8(typed));
        if (IsPairFormat(FormatStr_)) {
            TNumberPair pair = ParsePair(s);
            if (pair.IsPair) {
                const bool first = CheckRange(pair.First);
                const bool second = CheckRange(pair.Second);
                result = first && second;
                s = Format(FormatStr_, {pair.First, pair.Second});
            } else {
                result = CheckRange(pair.First);
                s = Format(FirstOfPair(FormatStr_), {pair.First});
            }
        } else {
            double x = TextToDouble(s);
            result = CheckRange(x);
            if (IsIntegerFormat(FormatStr_))
                s = Format(FormatStr_, {static_cast<long long>(Round(x))});
            else
                s = FormatByType(x, FormatStr_, FormatType_, SigDigs_, FormatDecimals_);
        }
        WriteText(FromUtf8(s));
        setModified(true);
    } catch (const EVelloxError&) {
        // Text that is not a number stays exactly as typed.
    }
    return result;
}

void NqCustomEdit::SignalInvalid()
{
    Feedback().Beep();
}

void NqCustomEdit::ValidateOnExit()
{
    if (!isModified())
        return;
    if (!ValidateText(text())) {
        TakeFocusBack();
        setModified(true);
        SignalInvalid();
    }
}

void NqCustomEdit::TakeFocusBack()
{
    if (hasFocus())
        return;
    // The focus change that is under way finishes first; then the edit takes
    // the focus back, still marked modified.
    RegainingFocus_ = true;
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() || !isVisible())
            RegainingFocus_ = false;
        else
            setFocus(Qt::OtherFocusReason);
    });
}

namespace {

QString FirstLineOf(const QString& text)
{
    // Line breaks before the first text are skipped: a copied cell often
    // comes with one.
    const QStringList lines =
        text.split(QRegularExpression(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]")));
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            return line;
    return {};
}

} // namespace

void NqCustomEdit::PasteOneLine(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString line = FirstLineOf(QGuiApplication::clipboard()->text(mode));
    if (!line.isEmpty() || hasSelectedText())
        insert(line);
}

void NqCustomEdit::contextMenuEvent(QContextMenuEvent* e)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { PasteOneLine(QClipboard::Clipboard); });
    }
    menu->exec(e->globalPos());
}

void NqCustomEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection of the X11 desktop.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect(); // inserted at the cursor, as the line edit does
        PasteOneLine(QClipboard::Selection);
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

bool NqCustomEdit::event(QEvent* e)
{
    // Esc belongs to the edit while there is typing to take back, so that it
    // does not close a dialog instead.
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Escape && isModified()) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void NqCustomEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        PasteOneLine(QClipboard::Clipboard);
        e->accept();
        return;
    }
    // The other clipboard keys and select-all keep the line edit's own
    // behaviour.
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut) ||
        e->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_F4 ||
        (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier) != 0)) {
        OpenUnitsPopup();
        e->accept();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Backspace: {
        // The character before the selection goes; a selection stays.
        if (CanModifyText()) {
            const int start = hasSelectedText() ? selectionStart() : cursorPosition();
            if (start > 0) {
                QString shown = text();
                shown.remove(start - 1, 1);
                WriteText(shown);
                setCursorPosition(start - 1);
            }
        }
        if (CanModifyText() && !isReadOnly())
            setModified(true);
        e->accept();
        return;
    }
    case Qt::Key_Escape: {
        const bool claimed = isModified();
        RestoreText();
        if (claimed)
            e->accept();
        else
            e->ignore();
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (CanModifyText() && !isReadOnly())
            ValidateOnExit();
        e->accept();
        return;
    default:
        break;
    }
    const QString characters = e->text();
    if (characters.isEmpty() || characters == "\t") {
        QLineEdit::keyPressEvent(e);
        return;
    }
    HandleCharacters(characters);
    e->accept();
}

void NqCustomEdit::HandleCharacters(const QString& characters)
{
    if (!CanModifyText() || isReadOnly())
        return;
    // A selection of two or more characters goes first, even when the key is
    // then refused.
    if (selectedText().size() >= 2) {
        const int start = selectionStart();
        QString shown = text();
        shown.remove(start, static_cast<int>(selectedText().size()));
        WriteText(shown);
        setModified(true);
        setCursorPosition(start);
    }
    for (const QChar key : characters) {
        if (!IsKeyAllowed(key)) {
            SignalInvalid();
            continue;
        }
        insert(QString(key));
        setModified(true);
    }
}

void NqCustomEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    emit Entered(this);
    if (RegainingFocus_) {
        // Back after a limit was applied: the visit goes on, still modified.
        RegainingFocus_ = false;
        setModified(true);
        return;
    }
    setModified(false);
    EnterText_ = text();
}

void NqCustomEdit::focusOutEvent(QFocusEvent* e)
{
    // Another window taking the focus (a popup, a dialog, another program)
    // does not leave the field; neither does a window that is closing.
    const bool leaves = e->reason() != Qt::ActiveWindowFocusReason &&
                        e->reason() != Qt::PopupFocusReason && isVisible();
    if (leaves)
        ValidateOnExit();
    QLineEdit::focusOutEvent(e);
    if (leaves)
        emit Exited(this);
}

void NqCustomEdit::OpenUnitsPopup()
{
    if (auto* label = qobject_cast<TFmtEditLabel*>(UnitsLabel_.data()))
        label->OpenUnitsPopup(mapToGlobal(QPoint(0, height())));
}

void CommitEdit(QWidget* control)
{
    auto* edit = qobject_cast<NqCustomEdit*>(control);
    if (edit == nullptr)
        return;
    edit->ValidateOnExit();
    emit edit->Exited(edit);
    edit->setModified(false);
}
