#pragma once

#include "sizing/SolveDriver.h"
#include "sizing/SolveResults.h"

#include <array>
#include <string>
#include <variant>

// The results of a Solve, each described once: the batch output's column
// names them by Key, the JSON output by JsonKey (the simulation's own
// results within its "stoecker" object), and the report shows the numbers
// with Caption, FormatStr and Unit. In the order of the batch columns.
enum TSolveField {
    sfRefrigEffect,
    sfWolfLength,
    sfChoiLength,
    sfStoeckerLength,
    sfLeavingTemp,
    sfChoked,
    sfSolved,
    sfError,
    sfStoeckerStatus,
    sfStoeckerMessage,
};

constexpr std::size_t SolveFieldCount = 10;

struct TSolveFieldLayout {
    TSolveField Field;
    const char* Key;       // batch column
    const char* JsonKey;   // JSON member
    const char* Caption;   // report line
    const char* FormatStr; // report value, of a number
    const char* Unit;      // report unit, of a number
};

extern const std::array<TSolveFieldLayout, SolveFieldCount> SolveFieldLayouts;

const TSolveFieldLayout& SolveFieldLayout(TSolveField field);

// A result's value: none (a method that did not finish, no message), a number
// in its unit, a flag or a text.
using TResultValue = std::variant<std::monostate, double, bool, std::string>;

TResultValue SolveFieldValue(TSolveField field, const TSolveResults& results,
                             const TSolveOutcome& outcome);

// "ok", "refused" or "notRun".
const char* StoeckerStatusName(TStoeckerStatus status);
