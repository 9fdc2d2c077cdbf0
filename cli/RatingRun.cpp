#include "cli/RatingRun.h"

#include <algorithm>

bool TRatingRun::AnyRated() const
{
    return std::any_of(Ratings.begin(), Ratings.end(), [](const TRating& r) { return r.Rated; });
}

std::string TRatingRun::NotRatedReason() const
{
    if (AnyRated())
        return {};
    if (!Run.Outcome.Error.empty())
        return Run.Outcome.Error;
    const bool allAlike = std::all_of(Ratings.begin(), Ratings.end(), [&](const TRating& r) {
        return r.Message == Ratings.front().Message;
    });
    if (allAlike)
        return Ratings.front().Message;
    std::string reason;
    for (const TRating& r : Ratings)
        reason +=
            (reason.empty() ? "" : "; ") + std::string(MethodName(r.Method)) + ": " + r.Message;
    return reason;
}

TRatingRun RunRating(TRefrigLib& lib, const TCaseInput& input, double length, bool windowTexts)
{
    TRatingRun rating;
    rating.Run = PrepareCase(lib, input, windowTexts);
    rating.Length = length;
    if (rating.Run.Prepared) {
        rating.Ratings = RateTube(lib, rating.Run.Case, length);
    } else {
        for (const TSizingMethod method : SizingMethods) {
            rating.Ratings[method].Method = method;
            rating.Ratings[method].Message =
                "the design case could not be taken: " + rating.Run.Outcome.Error;
        }
    }
    return rating;
}
