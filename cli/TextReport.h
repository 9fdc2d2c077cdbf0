#pragma once

#include "cli/CaseRun.h"

#include <ostream>

// What the main window would show for the case: the refrigerant, the design
// case, the effect, the three method labels, the capillary length, the solved
// state, a refusal if any, the leaving temperature and the steps table.
void WriteTextReport(std::ostream& out, const TCaseRun& run);
