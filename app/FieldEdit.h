#pragma once

#include "sizing/DesignCase.h"
#include "sizing/DesignFields.h"
#include "units/NqFmtEdit.h"
#include "units/NqFmtEditLabel.h"

#include <QString>

class QWidget;

// A design field's edit on `page`, configured from the field's layout (format,
// unit kind, range, first text, accessible name, object name "<Name>Edit"),
// linked to its unit label `unit`.
TFmtEdit* NewFieldEdit(TDesignField field, QWidget* page, TFmtEditLabel* unit);

// A field's value for the sizing methods: its number, or its text when that is
// not a number (reading it then fails inside the method).
TCaseValue EditCaseValue(const TFmtEdit* edit);

// The text an edit settles on for a storage-unit value, with its unit label's
// text after it: shown once and read back, as when the user leaves the field.
QString ShownIn(const TFmtEdit* edit, double value);
