#pragma once

#include "cli/CaseRun.h"
#include "cli/RecordWriter.h"
#include "sizing/DesignFields.h"

#include <initializer_list>
#include <optional>
#include <ostream>

// The design case as used, as every report of a case starts: the text lines
// of the fields ("Condensing            40.0 °C") and the members of a JSON
// object. The fields named in `omit` are left out (a rating seeks the mass
// flow and the duty, so it does not show the case's).

// The value of a field as used, none while the case's values are not all
// numbers.
std::optional<double> CaseNumber(const TCaseRun& run, TDesignField field);

// Caption, value and unit per line, in the order of the window's form; only
// the caption while the case's values are not all numbers.
void WriteCaseLines(std::ostream& out, const TCaseRun& run,
                    std::initializer_list<TDesignField> omit = {});

// "refrigerant", "displayName", the case's fields, "refrigEffect", then the
// flow's fields ("massFlow", "duty"), each by its JSON name; null for a value
// not taken.
void WriteCaseMembers(TJsonObject& json, const TCaseRun& run,
                      std::initializer_list<TDesignField> omit = {});
