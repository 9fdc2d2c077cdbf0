#pragma once

#include "report/PageEngine.h"
#include "report/StdReport.h"

#include <QPrinter>

// The program's one page engine on the real screen and printer, its report
// composer and the printer its reports go to; all live from first use to the
// end of the run.
TPageEngine& ReportEngine();
TStdReport& StdReport();
QPrinter& ReportPrinter();
