#include "cli/Options.h"

const char* const UsageText =
    R"(Usage: vellox-solve [options]
Sizes the capillary tube of one design case (or a batch of cases) by the
correlations of Wolf et al and Cho et al and by a stepwise simulation after
Stoecker, as the Vellox window does.

Design case (defaults in brackets; each value is taken at the precision the
window shows it):
  --library FILE       refrigerant library file [the suite's Common Files/RefLib8.rdf;
                       without one, the built-in R22 only]
  --refrigerant NAME   refrigerant section of the library [R22]
  --tc C               condensing temperature, °C [40]
  --te C               evaporating temperature, °C [5]
  --pc KPA             condensing pressure, kPa [dew pressure at tc]
  --pe KPA             evaporating pressure, kPa [dew pressure at te]
  --sc K               liquid sub-cooling, 0 to 20 K [5]
  --sh K               suction superheat, 0 to 20 K [7.5]
  --mr KGS             refrigerant mass flow, kg/s [0.01]
  --duty KW            circuit duty, kW; the mass flow is then duty ÷ effect
  --dpl KPA            pressure drop of the fittings ahead of the tube, 0 to 500 kPa [30]
  --dpe KPA            pressure drop of the evaporator coil, 0 to 500 kPa [140]
  --id MM              measured inside diameter of the tube, 0.5 to 50 mm [1.63]

Output:
  (default)            what the window shows, with the simulation steps
  --json               one JSON object, numbers in full precision
  --batch FILE|-       solve every row of a CSV file (or standard input) whose
                       header names any of refrigerant,tc,te,pc,pe,sc,sh,mr,duty,
                       dpl,dpe,id; writes one CSV row per case
  --report FILE        also write the report of the solved case, as the window
                       prints it: FILE.pdf (A4, text) or FILE.gif (all pages)
  --report-dir DIR     with --batch: the report of each solved case as
                       DIR/case-N.pdf, N counting the cases from 1
  --help, --version

Exit status: 0 solved, 1 not solved (an arithmetic fault; the reason is
reported), 2 bad usage or bad input.
)";

namespace {

bool TakesValue(const std::string& name)
{
    return name == "library" || name == "batch" || name == "report" || name == "report-dir" ||
           FindCaseKey(name).has_value();
}

} // namespace

TOptions ParseOptions(const std::vector<std::string>& args)
{
    TOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0)
            throw EBadInput("unexpected argument '" + arg + "'");
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "help" || name == "json" || name == "version") {
            if (value)
                throw EBadInput("--" + name + " takes no value");
            (name == "help"   ? options.Help
             : name == "json" ? options.Json
                              : options.Version) = true;
            continue;
        }
        if (!TakesValue(name))
            throw EBadInput("unknown option '--" + name + "'");
        if (!value) {
            if (i + 1 >= args.size())
                throw EBadInput("--" + name + " needs a value");
            value = args[++i];
        }
        if (name == "library")
            options.Library = *value;
        else if (name == "batch")
            options.Batch = *value;
        else if (name == "report")
            options.Report = *value;
        else if (name == "report-dir")
            options.ReportDir = *value;
        else
            options.Case[*FindCaseKey(name)] = *value;
    }
    if (options.Json && options.Batch)
        throw EBadInput("--json and --batch cannot be combined");
    if (options.Report && options.Batch)
        throw EBadInput("--report writes one case; with --batch give --report-dir");
    if (options.ReportDir && !options.Batch)
        throw EBadInput("--report-dir goes with --batch; for one case give --report");
    if (options.Batch) {
        for (const auto& value : options.Case.Values)
            if (value)
                throw EBadInput("--batch takes the design cases from its file; "
                                "give no design-case options");
    }
    return options;
}
