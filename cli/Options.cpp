#include "cli/Options.h"

#include "cli/TubeLength.h"

const char* const UsageText =
    R"(Usage: vellox-solve [options]
Sizes the capillary tube of one design case (or a batch of cases) by the
correlations of Wolf et al and Cho et al and by a stepwise simulation after
Stoecker, as the Vellox window does; or rates a tube of a given length, or
lists each method's length for the standard bores.

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

What to do (sizing when neither is given):
  --rate M             rate a tube of M metres, 0.05 to 20 m, of the case's bore:
                       the mass flow and duty each method gives it (the case's
                       mass flow or duty only starts the search)
  --select             each method's length at the case's mass flow for every
                       standard bore (0.5 to 2.5 mm, 0.026 to 0.080 in)

Output:
  (default)            what the window shows, with the simulation steps
  --json               one JSON object, numbers in full precision
  --csv                with --select: the table as CSV, a line per bore
  --batch FILE|-       solve every row of a CSV file (or standard input) whose
                       header names any of refrigerant,tc,te,pc,pe,sc,sh,mr,duty,
                       dpl,dpe,id,length; writes one CSV row per case; a row
                       with a length (m) rates that tube instead of sizing it
  --report FILE        also write the report of the solved case, as the window
                       prints it: FILE.pdf (A4, text) or FILE.gif (all pages);
                       never over something that is no regular file
  --report-dir DIR     with --batch: the report of each solved case as
                       DIR/case-N.pdf, N counting the cases from 1
  --help, --version

Exit status: 0 solved (a rating: rated by at least one method; the bores
table: at least one length found), 1 not solved (an arithmetic fault, a case
no method can size such as te above tc or tc above the refrigerant's range,
or no method could rate the tube or size any bore; the reason is reported), 2
bad usage or bad input (checked before any work, also of --report and
--report-dir).
)";
namespace {

bool TakesValue(const std::string& name)
{
    return name == "library" || name == "batch" || name == "report" || name == "report-dir" ||
           name == "rate" || FindCaseKey(name).has_value();
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
        if (name == "help" || name == "json" || name == "version" || name == "select" ||
            name == "csv") {
            if (value)
                throw EBadInput("--" + name + " takes no value");
            (name == "help"     ? options.Help
             : name == "json"   ? options.Json
             : name == "select" ? options.Select
             : name == "csv"    ? options.Csv
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
        else if (name == "rate")
            options.Rate = ReadTubeLength(name, *value);
        else
            options.Case[*FindCaseKey(name)] = *value;
    }
    if (options.Json && options.Batch)
        throw EBadInput("--json and --batch cannot be combined");
    if (options.Rate && options.Select)
        throw EBadInput("--rate and --select cannot be combined");
    if (options.Rate && options.Batch)
        throw EBadInput("--batch takes the tube lengths to rate from its length column; "
                        "give no --rate");
    if (options.Select && options.Batch)
        throw EBadInput("--select and --batch cannot be combined");
    if ((options.Rate || options.Select) && options.Report)
        throw EBadInput("--report writes the sizing of a case; not with --rate or --select");
    if (options.Csv && !options.Select)
        throw EBadInput("--csv goes with --select (a batch always writes CSV)");
    if (options.Csv && options.Json)
        throw EBadInput("--csv and --json cannot be combined");
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
