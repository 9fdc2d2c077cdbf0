#pragma once

#include "cli/CaseRun.h"

#include <ostream>

// The case and its results as one JSON object, numbers in full precision.
void WriteJsonReport(std::ostream& out, const TCaseRun& run);
