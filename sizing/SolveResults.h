#pragma once

#include "sizing/Stoecker.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The three ways the program finds a tube's length, in the order a Solve runs
// them: the correlations of Wolf et al and of Cho et al, and Stoecker's
// stepwise simulation. Each is described once in SizingMethodEntries.
enum TSizingMethod : unsigned char {
    smWolf,
    smChoi,
    smStoecker,
};

constexpr std::size_t SizingMethodCount = 3;

inline constexpr std::array<TSizingMethod, SizingMethodCount> SizingMethods = {smWolf, smChoi,
                                                                               smStoecker};

// What a method finds: its length, and for the simulation the leaving
// temperature and whether the flow choked (a correlation leaves them as they
// are).
using TMethodResult = TStoeckerResults;

// How far a method got in the last Solve.
enum class TMethodStatus { NotRun, Refused, Ok };

// What a Solve finds for a design case, as numbers: the window shows these,
// the command line tool prints them and the report reads them.
struct TSolveResults {
    // kJ/kg, of the case as its fields were coupled; none when it could not
    // be found.
    std::optional<double> RefrigEffect;
    // By TSizingMethod. A fault ends a Solve before the methods after it:
    // theirs stay as the Solve before left them, with the status NotRun.
    std::array<TMethodResult, SizingMethodCount> Methods{};
    std::array<TMethodStatus, SizingMethodCount> Status{};
    bool Solved = false;
    // The rows of the last simulation that started, in order; the rows
    // written before a fault stay, and a Solve that ends before the
    // simulation starts leaves the rows of the one before.
    std::vector<TStoeckerStep> Steps;

    TMethodResult& Method(TSizingMethod method) { return Methods[method]; }
    const TMethodResult& Method(TSizingMethod method) const { return Methods[method]; }
    // Whether the method finished in the last Solve with a length.
    bool Found(TSizingMethod method) const { return Status[method] == TMethodStatus::Ok; }
};

struct TSolveOutcome {
    bool Solved = false;
    // The case is one no method can size (CaseRefusal): no method ran.
    bool CaseRefused = false;
    std::string Refusal; // the refusal's message box text, of the case or the simulation
    // Why the case is not solved, on one line: the fault that ended the Solve
    // or the case's refusal; empty when solved.
    std::string Error;
};

// A result's value: none (a method that did not finish, no message), a number
// in its unit, a flag or a text.
using TResultValue = std::variant<std::monostate, double, bool, std::string>;

// How a result appears in the report.
enum class TReportShow {
    Never,
    Always,     // caption, number, unit
    IfPositive, // the same, only for a number above zero
    IfTrue,     // the caption alone, only when the flag is set
};

// One result of a Solve, described once: the batch output's column names it
// by Key, the JSON output by JsonKey (a simulating method's within its own
// object), and the report shows the number with Caption, FormatStr and Unit.
struct TSolveFieldLayout {
    const char* Key;       // batch column
    const char* JsonKey;   // JSON member
    const char* Caption;   // report line
    const char* FormatStr; // report value, of a number
    const char* Unit;      // report unit, of a number
    TReportShow Report;
    // The value after a Solve; none where it is not known.
    TResultValue (*Value)(const TSolveResults& results, const TSolveOutcome& outcome);
    // The number the report shows (a Solve's results, whether known or not).
    double (*Number)(const TSolveResults& results);
};
