// The design case and the window's placement, kept from one run to the next
// in the settings store, section "Settings" (values in the fields' storage
// units; the display units are not kept) and section "MainForm".
#include "app/MainForm.h"
#include "common/Format.h"
#include "report/ReportSettings.h"
#include "services/FormPlacement.h"
#include "services/SettingsStore.h"
#include "services/UserFeedback.h"
#include "sizing/DesignFields.h"

#include <cmath>
#include <QComboBox>
#include <QSignalBlocker>

namespace {

const QString Section = QStringLiteral("Settings");

// A stored value the field could not have held: not finite, or outside the
// field's range.
void CheckStoredValue(const TDesignFieldLayout& field, double value)
{
    if (!std::isfinite(value))
        throw ESettingsError(std::string("Invalid value for '") + field.StoredKey +
                             "': not a finite number");
    if (!InFieldRange(field.Field, value))
        throw ESettingsError(
            Format("Invalid value for '%s': %s lies outside %s to %s",
                   {field.StoredKey, FormatGeneral(value, 15), FormatGeneral(field.RangeLo, 15),
                    FormatGeneral(field.RangeHi, 15)}));
}

} // namespace

void TMainForm::LoadSettings()
{
    const TSettingsStore store(SettingsKey);
    LoadFormPlacement(*this, store);

    // The refrigerant is kept by its position in the sorted list. A position
    // the list does not have (the library changed, or is missing) falls back
    // to R22, or to the first name, instead of failing.
    int position = store.ReadInteger(Section, "Refrig", 0);
    if (RefrigCombo->count() > 0) {
        if (position < 0 || position >= RefrigCombo->count()) {
            position = RefrigCombo->findText("R22");
            if (position < 0)
                position = 0;
        }
        const QSignalBlocker blocker(RefrigCombo);
        RefrigCombo->setCurrentIndex(position);
        Lib_.SelectRefrigerantIndex(RefrigCombo->currentIndex());
    }

    // A value that cannot be read, or that its field could not have held, is
    // reported and replaced by its first-run default; the values after it are
    // still read, so that closing the window does not overwrite them.
    for (const TDesignFieldLayout& field : DesignFieldLayouts) {
        if (field.StoredKey == nullptr)
            continue;
        const double firstRun = field.FirstRunValue.value_or(0);
        double value = firstRun;
        try {
            value = store.ReadFloat(Section, field.StoredKey, firstRun);
            CheckStoredValue(field, value);
        } catch (const std::exception& error) {
            value = firstRun;
            Feedback().Error(this, QString::fromUtf8(error.what()));
        }
        Edits[field.Field]->SetValue(value);
    }
}

void TMainForm::SaveSettings()
{
    const TSettingsStore store(SettingsKey);
    SaveFormPlacement(*this, store);
    store.WriteInteger(Section, "Refrig", RefrigCombo->currentIndex());
    // What is stored is the value the field's text gives, at the precision
    // shown. A field holding text that is not a number keeps its last stored
    // value rather than stopping the rest from being saved.
    for (const TDesignFieldLayout& field : DesignFieldLayouts) {
        if (field.StoredKey == nullptr)
            continue;
        const TEditValue value = Edits[field.Field]->GetValue();
        if (!value.IsText())
            store.WriteFloat(Section, field.StoredKey, value.Number());
    }
    SaveReportSettings(store);
}
