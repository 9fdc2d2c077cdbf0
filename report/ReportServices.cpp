#include "report/ReportServices.h"

TPageEngine& ReportEngine()
{
    static const TSystemPageMetrics metrics(&ReportPrinter());
    static TPageEngine engine(metrics);
    return engine;
}

TStdReport& StdReport()
{
    static TStdReport report(ReportEngine());
    report.Printer = &ReportPrinter();
    return report;
}

QPrinter& ReportPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
