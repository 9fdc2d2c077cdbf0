#include "app/MethodResultsBox.h"

#include <algorithm>
#include <QLabel>
#include <QVBoxLayout>

TMethodResultsBox::TMethodResultsBox(QWidget* parent) : QGroupBox(tr("Capillary length"), parent)
{
    std::array<const TSizingMethodEntry*, SizingMethodCount> shown{};
    std::transform(SizingMethodEntries.begin(), SizingMethodEntries.end(), shown.begin(),
                   [](const TSizingMethodEntry& entry) { return &entry; });
    std::stable_sort(shown.begin(), shown.end(),
                     [](const auto* a, const auto* b) { return a->ShownOrder < b->ShownOrder; });
    auto* layout = new QVBoxLayout(this);
    for (const TSizingMethodEntry* entry : shown) {
        auto* label = new QLabel(QString::fromUtf8(entry->InitialLabel), this);
        label->setObjectName(QString::fromUtf8(entry->LabelName));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
        label->setPalette(palette);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
        Labels[entry->Method] = label;
    }
}

void TMethodResultsBox::ShowLength(TSizingMethod method, double length)
{
    Labels[method]->setText(QString::fromStdString(MethodEntry(method).Label(length)));
}

void TMethodResultsBox::ShowNone()
{
    for (const TSizingMethodEntry& entry : SizingMethodEntries)
        Labels[entry.Method]->setText(QString::fromUtf8(entry.InitialLabel));
}
