#include "units/NqUnitsForm.h"

#include "common/Rounding.h"
#include "units/NqConv.h"
#include "units/NqCustomEdit.h"

#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

void TUnitsListBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        emit CloseRequested();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void TUnitsListBox::mousePressEvent(QMouseEvent* event)
{
    // A press on an item highlights it; a press on the empty part below the
    // items keeps the highlight. Either way the popup closes.
    if (indexAt(event->position().toPoint()).isValid())
        QListWidget::mousePressEvent(event);
    else
        event->accept();
    emit CloseRequested();
}

TUnitsForm::TUnitsForm(NqCustomEdit* edit, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ListBox1(new TUnitsListBox(this)), Edit_(edit)
{
    setWindowTitle(tr("Units"));
    setModal(true);
    setBackgroundRole(QPalette::Button);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    // Framed like the desktop's popup menus, so that the list stands out from
    // the window below it.
    ListBox1->setFrameShape(QFrame::Box);
    ListBox1->setFrameShadow(QFrame::Plain);
    ListBox1->setLineWidth(1);
    QPalette framed = ListBox1->palette();
    framed.setColor(QPalette::WindowText, framed.color(QPalette::Shadow));
    ListBox1->setPalette(framed);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListBox1->setAccessibleName(tr("Units"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    connect(ListBox1, &TUnitsListBox::CloseRequested, this, &QDialog::accept);
    resize(135, 147);
}

void TUnitsForm::FillUnitsList()
{
    ListBox1->clear();
    const TUnitsType kind = Edit_ != nullptr ? Edit_->UnitsType() : utNone;
    const int count = UnitCount(kind);
    int widest = 0;
    const QFontMetrics metrics(ListBox1->font());
    for (int i = 0; i < count; ++i) {
        const std::string_view label = GetUnitsLabel(kind, i);
        const QString text = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
        auto* item = new QListWidgetItem(text, ListBox1);
        item->setSizeHint(QSize(0, ItemHeight));
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    if (Edit_ != nullptr && Edit_->UnitsValue() >= 0 && Edit_->UnitsValue() < count)
        ListBox1->setCurrentRow(Edit_->UnitsValue());
    int height = this->height();
    if (count > 0)
        height = static_cast<int>(Round(ItemHeight * (count + 0.5L)));
    setFixedSize(std::max(widest, 50) + 10, height);
}

int TUnitsForm::SelectedIndex() const
{
    const auto selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TUnitsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ListBox1->setFocus();
}
