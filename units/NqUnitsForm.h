#pragma once

#include <QDialog>
#include <QListWidget>

class NqCustomEdit;

// The list inside the units popup: Enter, Esc or any mouse press closes the
// popup (a press first moves the highlight to the item under the pointer).
class TUnitsListBox : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    void CloseRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// A small borderless popup listing the units of an edit's quantity kind with
// the current one highlighted. It changes nothing itself: whoever opened it
// reads the highlighted index when it closes.
class TUnitsForm : public QDialog {
    Q_OBJECT

public:
    explicit TUnitsForm(NqCustomEdit* edit, QWidget* parent = nullptr);

    // Lists the edit's units, highlights its display unit and sizes the popup.
    void FillUnitsList();
    // The highlighted unit; -1 when none is.
    int SelectedIndex() const;

    TUnitsListBox* ListBox1;

    static constexpr int ItemHeight = 13;

protected:
    void showEvent(QShowEvent* event) override;

private:
    NqCustomEdit* Edit_;
};
