// The registry of sizing methods: each method's names, results and function.
#include "sizing/Choi.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveTexts.h"
#include "sizing/Stoecker.h"
#include "sizing/Wolf.h"

namespace {

// A method's result, none unless the method finished in the last Solve.
template <TSizingMethod M>
TResultValue LengthValue(const TSolveResults& r, const TSolveOutcome&)
{
    return r.Found(M) ? TResultValue(r.Method(M).Length) : TResultValue();
}

template <TSizingMethod M>
TResultValue LeavingTempValue(const TSolveResults& r, const TSolveOutcome&)
{
    return r.Found(M) ? TResultValue(r.Method(M).LeavingTemp) : TResultValue();
}

template <TSizingMethod M>
TResultValue ChokedValue(const TSolveResults& r, const TSolveOutcome&)
{
    return r.Found(M) ? TResultValue(r.Method(M).Choked) : TResultValue();
}

// "ok", "refused" or "notRun".
template <TSizingMethod M>
TResultValue StatusValue(const TSolveResults& r, const TSolveOutcome&)
{
    const TMethodStatus status = r.Status[M];
    return std::string(status == TMethodStatus::Ok        ? "ok"
                       : status == TMethodStatus::Refused ? "refused"
                                                          : "notRun");
}

// The refusal's text, of the case or of the simulation; none without one.
TResultValue RefusalValue(const TSolveResults&, const TSolveOutcome& outcome)
{
    return outcome.Refusal.empty() ? TResultValue() : TResultValue(outcome.Refusal);
}

template <TSizingMethod M>
double LengthNumber(const TSolveResults& r)
{
    return r.Method(M).Length;
}

template <TSizingMethod M>
double LeavingTempNumber(const TSolveResults& r)
{
    return r.Method(M).LeavingTemp;
}

template <TSizingMethod M>
double ChokedNumber(const TSolveResults& r)
{
    return r.Method(M).Choked ? 1 : 0;
}

double NoNumber(const TSolveResults&)
{
    return 0;
}

// A correlation: one length, never refuses.
template <double (*Solve)(const TRefrigLib&, const TDesignCase&)>
std::string Correlation(const TRefrigLib& lib, const TDesignCase& designCase, TMethodResult& result,
                        TStepSink&)
{
    result.Length = Solve(lib, designCase);
    return {};
}

std::string Simulation(const TRefrigLib& lib, const TDesignCase& designCase, TMethodResult& result,
                       TStepSink& steps)
{
    const TStoeckerOutcome outcome = SolveStoecker(lib, designCase, result, steps);
    return outcome.Refused ? outcome.Message : std::string();
}

using R = TReportShow;

constexpr TSolveFieldLayout WolfResults[] = {
    {"wolfLength", "wolfLength", "Wolf length", "%0.3f", "m", R::Always, LengthValue<smWolf>,
     LengthNumber<smWolf>},
};

constexpr TSolveFieldLayout ChoiResults[] = {
    {"choiLength", "choiLength", "Choi length", "%0.3f", "m", R::Always, LengthValue<smChoi>,
     LengthNumber<smChoi>},
};

constexpr TSolveFieldLayout StoeckerResults[] = {
    {"stoeckerLength", "length", "Stoecker length", "%0.3f", "m", R::IfPositive,
     LengthValue<smStoecker>, LengthNumber<smStoecker>},
    {"leavingTemp", "leavingTemp", "Leaving temp", "%0.1f", "°C", R::Always,
     LeavingTempValue<smStoecker>, LeavingTempNumber<smStoecker>},
    {"choked", "choked", "Choked flow", "", "", R::IfTrue, ChokedValue<smStoecker>,
     ChokedNumber<smStoecker>},
};

constexpr TSolveFieldLayout StoeckerStatusResults[] = {
    {"stoeckerStatus", "status", "Simulation", "", "", R::Never, StatusValue<smStoecker>, NoNumber},
    {"stoeckerMessage", "message", "Simulation refused", "", "", R::Never, RefusalValue, NoNumber},
};

} // namespace

const std::array<TSizingMethodEntry, SizingMethodCount> SizingMethodEntries = {{
    {smWolf,
     "wolf",
     "Wolf et al",
     InitialWolfLabel,
     WolfLabel,
     "LabelASHLen",
     1,
     false,
     false,
     WolfResults,
     {},
     "",
     Correlation<SolveWolf>},
    {smChoi,
     "choi",
     "Cho et al",
     InitialChoiLabel,
     ChoiLabel,
     "LabelChoiLen",
     2,
     false,
     true,
     ChoiResults,
     {},
     "",
     Correlation<SolveChoi>},
    {smStoecker, "stoecker", "Stoecker", InitialStoeckerLabel, StoeckerLabel, "LabelSimLen", 0,
     true, false, StoeckerResults, StoeckerStatusResults,
     "the simulation refused the case: ", Simulation},
}};
