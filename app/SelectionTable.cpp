#include "app/SelectionTable.h"

#include "app/SelectionModel.h"
#include "sizing/RatingFields.h"

#include <cmath>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSortFilterProxyModel>

namespace {

// The Tube ID field shows four decimals of a mm: a bore read back from it is
// the same bore within half of the last one.
constexpr double BoreTolerance = 0.00005;

} // namespace

TSelectionTable::TSelectionTable(QWidget* parent)
    : QTableView(parent), Model_(new TSelectionModel(this)), Proxy_(new QSortFilterProxyModel(this))
{
    Proxy_->setSourceModel(Model_);
    Proxy_->setSortRole(TSelectionModel::SortRole);
    Proxy_->setDynamicSortFilter(true);
    setModel(Proxy_);
    Model_->SetPalette(palette());

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(scBore, QHeaderView::ResizeToContents);
    horizontalHeader()->setHighlightSections(false);
    setSortingEnabled(true);
    // Metric and inch bores together, from the smallest up.
    sortByColumn(scBore, Qt::AscendingOrder);

    connect(this, &QAbstractItemView::doubleClicked, this, &TSelectionTable::Choose);
}

void TSelectionTable::SetRows(std::vector<TSelectionRow> rows)
{
    Model_->SetRows(std::move(rows));
}

void TSelectionTable::SetCurrentBore(double mm)
{
    Model_->SetCurrentBore(mm);
    CurrentBore_ = mm;
    ScrollPending_ = true;
    if (isVisible())
        ScrollToCurrentBore();
}

void TSelectionTable::ScrollToCurrentBore()
{
    ScrollPending_ = false;
    const QModelIndex current = IndexOfBore(CurrentBore_);
    if (current.isValid())
        scrollTo(current, QAbstractItemView::EnsureVisible);
}

void TSelectionTable::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    if (ScrollPending_)
        ScrollToCurrentBore();
}

const TSelectionRow* TSelectionTable::RowAt(const QModelIndex& index) const
{
    const QModelIndex source = Proxy_->mapToSource(index);
    if (!source.isValid())
        return nullptr;
    return &Model_->Rows()[static_cast<std::size_t>(source.row())];
}

QModelIndex TSelectionTable::IndexOfBore(double mm) const
{
    const auto& rows = Model_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (std::abs(rows[i].Bore.Mm - mm) < BoreTolerance)
            return Proxy_->mapFromSource(Model_->index(static_cast<int>(i), 0));
    return {};
}

void TSelectionTable::Choose(const QModelIndex& index)
{
    if (const TSelectionRow* row = RowAt(index))
        emit BoreChosen(row->Bore.Mm);
}

void TSelectionTable::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        Choose(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TSelectionTable::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        Model_->SetPalette(palette());
    QTableView::changeEvent(event);
}
