// The design case and the window's placement, kept from one run to the next
// in the settings store, section "Settings" (values in the fields' storage
// units; the display units are not kept) and section "MainForm".
#include "app/MainForm.h"

#include "services/FormPlacement.h"
#include "services/SettingsStore.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

const QString Section = QStringLiteral("Settings");

struct TStoredField {
    const char* Name;
    TFmtEdit* TMainForm::*Edit;
    double Default; // first run
};

constexpr TStoredField StoredFields[] = {
    {"tc", &TMainForm::tcEdit, 45.0},   {"te", &TMainForm::teEdit, 5.0},
    {"sc", &TMainForm::scEdit, 5.0},    {"sh", &TMainForm::shEdit, 7.5},
    {"mr", &TMainForm::mrEdit, 0.01},   {"dpl", &TMainForm::dpEdit, 30.0},
    {"dpe", &TMainForm::dpEvapEdit, 140.0}, {"id", &TMainForm::idEdit, 1.63},
};

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

    // A value that cannot be read ends the loading there; the fields not yet
    // read keep their designed values.
    for (const TStoredField& field : StoredFields)
        (this->*field.Edit)->SetValue(store.ReadFloat(Section, field.Name, field.Default));
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
}
