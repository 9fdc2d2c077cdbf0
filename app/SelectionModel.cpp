#include "app/SelectionModel.h"

#include "app/MutedText.h"
#include "common/Format.h"
#include "sizing/RatingFields.h"

#include <cmath>
#include <limits>
#include <QFont>
#include <QPalette>

namespace {

// Shown where a method gave no length or the spread is not defined.
const QString NoValue = QStringLiteral("\u2013");
// Sorts after every number.
constexpr double Last = std::numeric_limits<double>::max();

TSizingMethod MethodOf(int column)
{
    return static_cast<TSizingMethod>(column - SelectionLengthColumn(SizingMethods[0]));
}

bool IsLengthColumn(int column)
{
    return column != scBore && column != scSpread;
}

QString Shown(const TResultField& field, double value)
{
    return QString::fromStdString(FormatByType(value, field.FormatStr, field.FormatType,
                                               field.SigDigs, FormatDecimalsOf(field.FormatStr)));
}

// The field a column shows.
const TResultField& Column(int column)
{
    return SelectionFields[column == scBore ? sfBore : column == scSpread ? sfSpread : sfLength];
}

} // namespace

QColor PracticalRowColor(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor green(0x2e, 0xa0, 0x43);
    // As much green as keeps the text readable, at most a quarter.
    for (double share = 0.25; share > 0.02; share -= 0.01) {
        const QColor tint = QColor::fromRgbF(
            static_cast<float>(base.redF() + (green.redF() - base.redF()) * share),
            static_cast<float>(base.greenF() + (green.greenF() - base.greenF()) * share),
            static_cast<float>(base.blueF() + (green.blueF() - base.blueF()) * share));
        if (ContrastRatio(text, tint) >= 4.5)
            return tint;
    }
    return base;
}

TSelectionModel::TSelectionModel(QObject* parent)
    : QAbstractTableModel(parent), PracticalColor_(PracticalRowColor(QPalette()))
{
}

int TSelectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(Rows_.size());
}

int TSelectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : SelectionColumnCount;
}

QString TSelectionModel::CellText(const TSelectionRow& row, int column)
{
    if (column == scBore) {
        QString text = Shown(Column(scBore), row.Bore.Mm);
        if (row.Bore.IsInch())
            text += QString::fromStdString(Format("  (%0.3f in)", {row.Bore.Inch}));
        return text;
    }
    if (IsLengthColumn(column)) {
        const TMethodLength& length = row.Length(MethodOf(column));
        if (!length.Solved)
            return NoValue;
        QString text = Shown(Column(column), length.Length);
        if (length.Choked)
            text += QStringLiteral(" choked");
        return text;
    }
    return row.HasSpread ? Shown(Column(scSpread), row.Spread) : NoValue;
}

QVariant TSelectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TSelectionRow& row = Rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, column);
    case SortRole:
        if (column == scBore)
            return row.Bore.Mm;
        if (IsLengthColumn(column)) {
            const TMethodLength& length = row.Length(MethodOf(column));
            return length.Solved ? length.Length : Last;
        }
        return row.HasSpread ? row.Spread : Last;
    case Qt::TextAlignmentRole:
        // Bores line up on their mm figure, with the inch size after it.
        if (column == scBore)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (CurrentBore_ > 0 &&
            std::abs(row.Bore.Mm - CurrentBore_) < 0.00005 /* four decimals of a mm */) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        if (row.Practical)
            return PracticalColor_;
        return {};
    case Qt::ToolTipRole:
        if (IsLengthColumn(column)) {
            const TMethodLength& length = row.Length(MethodOf(column));
            if (!length.Solved)
                return QString::fromStdString(length.Message);
            if (length.Choked)
                return tr("The flow chokes before the evaporator pressure");
        }
        if (row.Practical)
            return tr("Practical: all three lengths between %1 and %2 m")
                .arg(PracticalLengthLo)
                .arg(PracticalLengthHi);
        return {};
    case Qt::AccessibleDescriptionRole:
        return row.Practical ? tr("practical") : QString();
    default:
        return {};
    }
}

QVariant TSelectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const TResultField& field = Column(section);
    if (role == Qt::DisplayRole) {
        // A method's lengths go by the method's name.
        QString caption = QString::fromUtf8(IsLengthColumn(section) ? MethodName(MethodOf(section))
                                                                    : field.Caption);
        if (field.UnitsType != utNone)
            caption += ", " + QString::fromUtf8(GetUnitsLabel(field.UnitsType, 0));
        return caption;
    }
    if (role == Qt::ToolTipRole && section == scSpread)
        return tr("(longest \u2212 shortest) \u00f7 mean of the three lengths: "
                  "0 where the methods agree");
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TSelectionModel::SetRows(std::vector<TSelectionRow> rows)
{
    if (rows.size() == Rows_.size() && !rows.empty()) {
        Rows_ = std::move(rows);
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    Rows_ = std::move(rows);
    endResetModel();
}

void TSelectionModel::SetCurrentBore(double mm)
{
    CurrentBore_ = mm;
    if (!Rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole});
}

void TSelectionModel::SetPalette(const QPalette& palette)
{
    PracticalColor_ = PracticalRowColor(palette);
    if (!Rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
}
