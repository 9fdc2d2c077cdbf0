#pragma once

#include "cli/RatingRun.h"

#include <ostream>

// A rating as the window's Tube Selection page shows it: the design case (its
// mass flow and duty aside, which the rating seeks), the tube rated, and per
// method the rated mass flow and duty, "choked" where the flow chokes, or why
// the method could not rate the tube.
void WriteRatingText(std::ostream& out, const TRatingRun& rating);

// The same as one JSON object, numbers in full precision: the design case's
// members, "length", "rating" with one object per method (method, massFlow,
// duty, choked, message; null where not rated), "rated" (whether any method
// rated the tube) and "error" (why the case could not be taken, or null).
void WriteRatingJson(std::ostream& out, const TRatingRun& rating);
