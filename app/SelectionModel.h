#pragma once

#include "sizing/TubeSelection.h"

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

class QPalette;

// The selection table as an item model: one row per standard bore, the
// columns of a selection table (bore, each method's lengths, spread).
// Each cell shows its text and sorts by its number (SortRole); a length that
// could not be found shows a dash, sorts after every length and tells why in
// its tooltip. Practical rows carry a tinted background.
class TSelectionModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The number a cell sorts by.
    static constexpr int SortRole = Qt::UserRole;

    explicit TSelectionModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // New rows (a new design case). The same number of rows is updated in
    // place, so a view keeps its sorting, selection and current row.
    void SetRows(std::vector<TSelectionRow> rows);
    const std::vector<TSelectionRow>& Rows() const { return Rows_; }

    // The bore the design case has now (mm): its row is drawn bold.
    void SetCurrentBore(double mm);

    // The background of practical rows, from the view's palette.
    void SetPalette(const QPalette& palette);
    QColor PracticalColor() const { return PracticalColor_; }

    // The text of a cell, as shown.
    static QString CellText(const TSelectionRow& row, int column);

private:
    std::vector<TSelectionRow> Rows_;
    QColor PracticalColor_;
    double CurrentBore_ = 0;
};

// A green tint over the palette's base colour for practical rows, light in a
// light theme and dark in a dark one, always keeping the text on it readable
// (contrast at least 4.5 : 1).
QColor PracticalRowColor(const QPalette& palette);
