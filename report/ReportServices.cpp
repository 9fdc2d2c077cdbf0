#include "report/ReportServices.h"

TPageEngine& ReportEngine()
{
    static const TSystemPageMetrics metrics;
    static TPageEngine engine(metrics);
    return engine;
}

TStdReport& StdReport()
{
    static TStdReport report(ReportEngine());
    return report;
}

QPrinter& ReportPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
