#include "app/DataEntryPage.h"

#include "app/FieldEdit.h"
#include "app/MethodResultsBox.h"
#include "app/MutedText.h"
#include "app/SpinButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

namespace {

// A field of this page: one that has a grid row.
bool OnPage(TDesignField field)
{
    return DesignFieldLayout(field).Window.Row > 0;
}

} // namespace

TDataEntryPage::TDataEntryPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    auto* header = new QLabel(tr("Saturation"), this);
    auto* temperatureHeader = new QLabel(tr("Temperature"), this);
    auto* pressureHeader = new QLabel(tr("Pressure"), this);
    for (QLabel* label : {header, temperatureHeader, pressureHeader})
        SetMutedText(label);
    grid->addWidget(header, 0, 0);
    grid->addWidget(temperatureHeader, 0, 1);
    grid->addWidget(pressureHeader, 0, 3);

    // Each field with its unit label to the right; a row's caption in the
    // first column names the field that has one.
    for (const TDesignField field : WindowOrder()) {
        if (!OnPage(field))
            continue;
        const TWindowPlace& place = DesignFieldLayout(field).Window;
        auto* unit = new TFmtEditLabel(this);
        Edits[field] = NewFieldEdit(field, this, unit);
        grid->addWidget(Edits[field], place.Row, place.Column);
        grid->addWidget(unit, place.Row, place.Column + 1);
    }
    for (const TDesignField field : WindowOrder()) {
        const TWindowPlace& place = DesignFieldLayout(field).Window;
        if (!OnPage(field) || place.Caption == nullptr)
            continue;
        auto* caption = new QLabel(tr(place.Caption), this);
        caption->setBuddy(Edits[field]);
        grid->addWidget(caption, place.Row, 0);
    }

    // The arrows step the bore: they sit to the right of its field.
    SpinButton1 = new TSpinButton(this);
    SpinButton1->setObjectName("SpinButton1");
    SpinButton1->UpButton()->setAccessibleName(tr("Tube ID up 1 %"));
    SpinButton1->DownButton()->setAccessibleName(tr("Tube ID down 1 %"));
    auto* spinRow = new QHBoxLayout;
    spinRow->setContentsMargins(0, 0, 0, 0);
    spinRow->addWidget(SpinButton1);
    auto* note = new QLabel(tr("actual measured tube ID"), this);
    SetMutedText(note);
    spinRow->addWidget(note);
    spinRow->addStretch(1);
    grid->addLayout(spinRow, DesignFieldLayout(dfId).Window.Row, 3, 1, 2);
    grid->setColumnStretch(5, 1);
    page->addLayout(grid);

    // Tab order: the fields in the order of their table (a pressure after the
    // temperatures), then the arrows.
    std::vector<QWidget*> order;
    for (const TDesignFieldLayout& layout : DesignFieldLayouts)
        if (OnPage(layout.Field))
            order.push_back(Edits[layout.Field]);
    order.push_back(SpinButton1->UpButton());
    order.push_back(SpinButton1->DownButton());
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    ResultsBox = new TMethodResultsBox(this);
    page->addSpacing(8);
    page->addWidget(ResultsBox);
    page->addStretch(1);
}
