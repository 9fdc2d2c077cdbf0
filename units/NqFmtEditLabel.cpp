#include "units/NqFmtEditLabel.h"

#include "services/UserFeedback.h"
#include "units/NqCustomEdit.h"
#include "units/NqUnitsForm.h"

#include <QCursor>
#include <QMouseEvent>

TFmtEditLabel::TFmtEditLabel(QWidget* parent) : QLabel(parent) {}

TFmtEditLabel::~TFmtEditLabel()
{
    // The edits forget this label, the last linked first.
    const auto edits = LinkedEdits_;
    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        if (*it != nullptr)
            (*it)->SetUnitsLabel(nullptr);
}

QList<NqCustomEdit*> TFmtEditLabel::LinkedEdits() const
{
    QList<NqCustomEdit*> edits;
    for (const auto& edit : LinkedEdits_)
        if (edit != nullptr)
            edits.append(edit.data());
    return edits;
}

void TFmtEditLabel::LinkEdit(NqCustomEdit* edit)
{
    if (edit == nullptr || LinkedEdits().contains(edit))
        return;
    LinkedEdits_.append(edit);
    UpdateHint();
}

void TFmtEditLabel::UnlinkEdit(NqCustomEdit* edit)
{
    LinkedEdits_.removeIf(
        [edit](const QPointer<NqCustomEdit>& e) { return e == edit || e == nullptr; });
    UpdateHint();
}

void TFmtEditLabel::UpdateHint()
{
    const bool linked = !LinkedEdits_.isEmpty();
    setCursor(linked ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setToolTip(linked ? tr("Click to change the units") : QString());
}

void TFmtEditLabel::OpenUnitsPopup(const QPoint& topLeft)
{
    const QList<NqCustomEdit*> edits = LinkedEdits();
    if (edits.isEmpty())
        return;
    int selected = -1;
    {
        TUnitsForm popup(edits.first(), window());
        popup.FillUnitsList();
        popup.move(topLeft);
        popup.exec();
        selected = popup.SelectedIndex();
    }
    for (NqCustomEdit* edit : edits) {
        Guarded(this, [&] { edit->SetUnitsValue(selected); });
        emit edit->UnitsEdited(edit);
    }
}

void TFmtEditLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    OpenUnitsPopup(QCursor::pos() + QPoint(5, 5));
    emit Clicked();
}
