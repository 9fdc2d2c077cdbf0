#pragma once

#include "sizing/TubeSelection.h"

#include <QTableView>
#include <vector>

class QSortFilterProxyModel;
class TSelectionModel;

// The selection table on the window: the standard bores with each method's
// length, sortable by any column (by number, not by text), practical rows
// tinted. Double-click or Enter on a row chooses its bore.
class TSelectionTable : public QTableView {
    Q_OBJECT

public:
    explicit TSelectionTable(QWidget* parent = nullptr);

    void SetRows(std::vector<TSelectionRow> rows);
    // The design case's bore (mm): its row is drawn bold and brought into
    // view (when the table is next shown, if it is hidden now).
    void SetCurrentBore(double mm);
    TSelectionModel* Model() const { return Model_; }
    // The row shown at a view index; nullptr for an invalid index.
    const TSelectionRow* RowAt(const QModelIndex& index) const;
    // The view index of the first cell of the row holding this bore (mm, as
    // the Tube ID field shows it); invalid when no row does.
    QModelIndex IndexOfBore(double mm) const;

signals:
    // The user chose the bore of a row, in mm.
    void BoreChosen(double mm);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Choose(const QModelIndex& index);
    void ScrollToCurrentBore();

    TSelectionModel* Model_;
    QSortFilterProxyModel* Proxy_;
    double CurrentBore_ = 0;
    bool ScrollPending_ = false;
};
