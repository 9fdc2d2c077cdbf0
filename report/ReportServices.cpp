#include "report/ReportServices.h"

TPageEngine& ReportEngine()
{
    static const TSystemPageMetrics metrics(&ReportPrinter);
    static TPageEngine engine(metrics);
    return engine;
}

TStdReport& StdReport()
{
    static TStdReport& report = []() -> TStdReport& {
        static TStdReport composer(ReportEngine());
        composer.Printer = [] { return &ReportPrinter(); };
        return composer;
    }();
    return report;
}

QPrinter& ReportPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
