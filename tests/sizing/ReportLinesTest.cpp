// The lines of the capillary tube report: their order, captions, formats and
// the lines that depend on the results.
#include "sizing/ReportLines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TReportInput WorkedExample()
{
    TReportInput in;
    in.RNumber = "R22";
    in.Formula = "CHClF2";
    in.ChemicalName = "chlorodifluoromethane";
    in.Results.RefrigEffect = 169.2963;
    in.Results.Method(smStoecker) = {2.99649, 11.19, false};
    in.Results.Method(smWolf).Length = 3.1994;
    in.Results.Method(smChoi).Length = 3.39251;
    const char* texts[] = {"40.0",  "5.0",    "1540.346", "586.201", "5.0",   "7.5",
                           "1.693", "0.0100", "30.000",   "140.000", "1.6300"};
    const char* units[] = {"°C", "°C", "kPa", "kPa", "K", "K", "kW", "kg/s", "kPa", "kPa", "mm"};
    for (std::size_t i = 0; i < in.Fields.size(); ++i)
        in.Fields[i] = {texts[i], units[i]};
    return in;
}

std::string Joined(const std::vector<TReportLine>& lines)
{
    std::string out;
    for (const auto& l : lines) {
        const char* kind = l.Kind == TReportLineKind::Heading ? "#"
                           : l.Kind == TReportLineKind::Blank ? "-"
                                                              : "";
        out += kind + l.Caption + (l.Value.empty() ? "" : "=" + l.Value) +
               (l.Unit.empty() ? "" : " " + l.Unit) + "|";
    }
    return out;
}

const std::string Head =
    "#Refrigerant|R Number=R22|Formula=CHClF2|Chemical Name=chlorodifluoromethane|"
    "Refrigerating Effect=169.3 kJ/kg|-|"
    "#Circuit|Duty=1.693 kW|Mass flow=0.0100 kg/s|-|"
    "#Condensing|Temperature=40.0 °C|Pressure=1540.346 kPa|Sub-cooling=5.0 K|-|"
    "#Evaporating|Temperature=5.0 °C|Pressure=586.201 kPa|Superheating=7.5 K|-|"
    "#Pressure Drops|Fittings=30.000 kPa|Evaporator=140.000 kPa|-|"
    "#Capillary tube|Inside diameter=1.6300 mm|";

TEST(ReportLines, ResultLinesFollowTheSimulation)
{
    const struct {
        const char* Name;
        double Stoecker;
        bool Choked;
        std::string Tail;
        std::size_t Count;
    } cases[] = {
        {"Solved", 2.99649, false,
         "Stoecker length=2.996 m|Leaving temp=11.2 °C|Wolf length=3.199 m|Choi length=3.393 m|-|",
         31},
        {"Choked", 0.484, true,
         "Stoecker length=0.484 m|Leaving temp=11.2 °C|Choked flow|Wolf length=3.199 m|"
         "Choi length=3.393 m|-|",
         32},
        {"NoLength", -0.2, true,
         "Leaving temp=11.2 °C|Choked flow|Wolf length=3.199 m|Choi length=3.393 m|-|", 31},
        {"ZeroLength", 0, false, "Leaving temp=11.2 °C|Wolf length=3.199 m|Choi length=3.393 m|-|",
         30},
    };
    for (const auto& c : cases) {
        TReportInput in = WorkedExample();
        in.Results.Method(smStoecker).Length = c.Stoecker;
        in.Results.Method(smStoecker).Choked = c.Choked;
        const auto lines = CapillaryReportLines(in);
        EXPECT_EQ(Joined(lines), Head + c.Tail) << c.Name;
        EXPECT_EQ(lines.size(), c.Count) << c.Name;
    }
}

} // namespace
