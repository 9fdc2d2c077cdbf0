#include "cli/RatingReport.h"

#include "cli/CaseFields.h"
#include "cli/NumberOut.h"
#include "cli/RecordWriter.h"
#include "cli/TextColumns.h"
#include "cli/TubeLength.h"
#include "sizing/RatingFields.h"
#include "sizing/SolveTexts.h"

namespace {

// Shown where a method gave no flow.
constexpr const char* NoValue = "\u2013";

// The text a field settles on when the value is put into it and read back,
// as the window shows a rated flow in the Mass Flow field's format.
std::string Settled(TDesignField field, double value)
{
    return ShownText(field, ShownValue(field, value));
}

constexpr std::size_t MethodWidth = 12;
constexpr std::size_t FlowWidth = 14;
constexpr std::size_t DutyWidth = 12;

} // namespace

void WriteRatingText(std::ostream& out, const TRatingRun& rating)
{
    const TCaseRun& run = rating.Run;
    out << run.DisplayName << "\n\n";
    WriteCaseLines(out, run, {dfQe, dfMr});
    out << '\n';
    if (run.Results.RefrigEffect)
        out << RefrigEffectText(*run.Results.RefrigEffect) << '\n';
    out << "Rated: " << TubeLengthText(rating.Length) << " m";
    if (run.Prepared)
        out << " of " << ShownText(dfId, run.Case.id.Number()) << " mm bore";
    out << "\n\n";

    out << PadRight("Rated flow", MethodWidth)
        << PadLeft(RatingFields[rfMassFlow].Caption, FlowWidth)
        << PadLeft(RatingFields[rfDuty].Caption, DutyWidth) << '\n';
    for (const TRating& r : rating.Ratings) {
        out << PadRight(MethodName(r.Method), MethodWidth);
        if (r.Rated) {
            out << PadLeft(Settled(dfMr, r.MassFlow) + " kg/s", FlowWidth)
                << PadLeft(Settled(dfQe, r.Duty) + " kW", DutyWidth);
            if (r.Choked)
                out << "  choked";
        } else {
            out << PadLeft(NoValue, FlowWidth) << PadLeft(NoValue, DutyWidth) << "  "
                << RatingFields[rfMessage].Caption << ' ' << OnOneLine(r.Message);
        }
        out << '\n';
    }
}

void WriteRatingJson(std::ostream& out, const TRatingRun& rating)
{
    const TCaseRun& run = rating.Run;
    TJsonObject json(out, 2);
    WriteCaseMembers(json, run, {dfQe, dfMr});
    json.Number("length", rating.Length);
    std::vector<std::string> methods;
    for (const TRating& r : rating.Ratings) {
        TJsonInline method;
        auto number = [&](TRatingField field, double value) {
            method.Member(RatingFields[field].Key,
                          JsonNumber(r.Rated ? std::optional(value) : std::nullopt));
        };
        method.Member("method", JsonString(MethodKey(r.Method)));
        number(rfMassFlow, r.MassFlow);
        number(rfDuty, r.Duty);
        method.Member(RatingFields[rfChoked].Key,
                      JsonFlag(r.Rated ? std::optional(r.Choked) : std::nullopt));
        method.Member(RatingFields[rfMessage].Key, r.Rated ? "null" : JsonString(r.Message));
        methods.push_back(method.Text());
    }
    json.Member("rating", JsonArray(methods, 4));
    json.Member("rated", JsonFlag(rating.AnyRated()));
    const std::string reason = rating.NotRatedReason();
    json.Member("error", reason.empty() ? "null" : JsonString(reason));
    json.End();
    out << '\n';
}
