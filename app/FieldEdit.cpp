#include "app/FieldEdit.h"

#include "common/TextToNumber.h"
#include "units/NqConv.h"
#include "units/NumberText.h"

#include <optional>
#include <QCoreApplication>
#include <QWidget>

TFmtEdit* NewFieldEdit(TDesignField field, QWidget* page, TFmtEditLabel* unit)
{
    const TDesignFieldLayout& layout = DesignFieldLayout(field);
    auto* edit = new TFmtEdit(page);
    edit->setObjectName(QString::fromUtf8(layout.Name) + "Edit");
    edit->setMinimumWidth(90);
    edit->setMaximumWidth(120);
    edit->setAlignment(Qt::AlignRight);
    edit->Load({layout.FormatStr, layout.FormatType, layout.SigDigs, layout.UnitsType, 0, unit, 0,
                layout.RangeHi, layout.RangeLo, layout.InitialText});
    edit->setAccessibleName(layout.Caption);
    unit->setAccessibleDescription(
        QCoreApplication::translate("TMainForm",
                                    "Unit of %1; click or press F4 in the field to change it")
            .arg(layout.Caption));
    unit->setMinimumWidth(44);
    return edit;
}

TCaseValue EditCaseValue(const TFmtEdit* edit)
{
    const TEditValue value = edit->GetValue();
    if (value.IsText())
        return TCaseValue(value.Text());
    return TCaseValue(value.Number());
}

QString ShownIn(const TFmtEdit* edit, double value)
{
    // A value just under a power of ten (0.0099999) first shows one decimal
    // too many ("0.01000") and settles on the field's own text for that value
    // ("0.0100").
    auto shown = [edit](double x) {
        return FormatByType(x, edit->FormatStr().toStdString(), edit->FormatType(), edit->SigDigs(),
                            edit->FormatDecimals());
    };
    const std::string once = shown(ToDisplayValue(edit->Offset(), edit->Factor(), value));
    const std::optional<Extended> back = TryTextToFloat(once);
    const QString text = QString::fromStdString(back ? shown(static_cast<double>(*back)) : once);
    return edit->UnitsLabel() != nullptr ? text + " " + edit->UnitsLabel()->text() : text;
}
