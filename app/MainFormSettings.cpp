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

struct TStoredField {
    const char* Name;
    TFmtEdit* TMainForm::*Edit;
    TDesignField Field;
    double Default; // first run
};

constexpr TStoredField StoredFields[] = {
    {"tc", &TMainForm::tcEdit, dfTc, 45.0},
    {"te", &TMainForm::teEdit, dfTe, 5.0},
    {"sc", &TMainForm::scEdit, dfSc, 5.0},
    {"sh", &TMainForm::shEdit, dfSh, 7.5},
    {"mr", &TMainForm::mrEdit, dfMr, 0.01},
    {"dpl", &TMainForm::dpEdit, dfDp, 30.0},
    {"dpe", &TMainForm::dpEvapEdit, dfDpEvap, 140.0},
    {"id", &TMainForm::idEdit, dfId, 1.63},
    {"len", &TMainForm::LengthEdit, dfLength, TubeLengthDefault},
};

// A stored value the field could not have held: not finite, or outside the
// field's range.
void CheckStoredValue(const TStoredField& field, double value)
{
    if (!std::isfinite(value))
        throw ESettingsError(std::string("Invalid value for '") + field.Name +
                             "': not a finite number");
    if (!InFieldRange(field.Field, value)) {
        const TDesignFieldLayout& layout = DesignFieldLayout(field.Field);
        throw ESettingsError(
            Format("Invalid value for '%s': %s lies outside %s to %s",
                   {field.Name, FormatGeneral(value, 15), FormatGeneral(layout.RangeLo, 15),
                    FormatGeneral(layout.RangeHi, 15)}));
    }
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
    for (const TStoredField& field : StoredFields) {
        double value = field.Default;
        try {
            value = store.ReadFloat(Section, field.Name, field.Default);
            CheckStoredValue(field, value);
        } catch (const std::exception& error) {
            value = field.Default;
            Feedback().Error(this, QString::fromUtf8(error.what()));
        }
        (this->*field.Edit)->SetValue(value);
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
    for (const TStoredField& field : StoredFields) {
        const TEditValue value = (this->*field.Edit)->GetValue();
        if (!value.IsText())
            store.WriteFloat(Section, field.Name, value.Number());
    }
    SaveReportSettings(store);
}
