#pragma once

#include "sizing/SolveResults.h"

#include <vector>

// The results of a Solve that belong to the case rather than to one method.
extern const TSolveFieldLayout RefrigEffectField; // "refrigEffect", kJ/kg
extern const TSolveFieldLayout SolvedField;       // "solved"
extern const TSolveFieldLayout ErrorField;        // "error"

// Every result of a Solve in the order of the batch columns: the
// refrigerating effect, each method's results, solved and error, then each
// method's status results.
const std::vector<const TSolveFieldLayout*>& SolveColumns();
// The number of the columns up to, not including, the first status result.
std::size_t SolveColumnsBeforeStatus();
