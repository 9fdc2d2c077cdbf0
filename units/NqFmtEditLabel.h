#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

class NqCustomEdit;

// The unit label beside numeric edits. Clicking it opens the units popup for
// the edits linked to it and switches all of them to the unit picked.
class TFmtEditLabel : public QLabel {
    Q_OBJECT

public:
    explicit TFmtEditLabel(QWidget* parent = nullptr);
    ~TFmtEditLabel() override;

    // The edits that show their unit here, in the order they were linked.
    QList<NqCustomEdit*> LinkedEdits() const;
    void LinkEdit(NqCustomEdit* edit);
    void UnlinkEdit(NqCustomEdit* edit);

    // Opens the units popup with its top-left corner at a screen position and
    // applies the unit picked to every linked edit.
    void OpenUnitsPopup(const QPoint& topLeft);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateHint();

    QList<QPointer<NqCustomEdit>> LinkedEdits_;
};
