#include "cli/Options.h"

#include "cli/OptionTable.h"

#include <algorithm>

namespace {

const char* const UsageIntro = R"(Usage: vellox-solve [options]
Sizes the capillary tube of one design case (or a batch of cases) by the
correlations of Wolf et al and Cho et al and by a stepwise simulation after
Stoecker, as the Vellox window does; or rates a tube of a given length, or
lists each method's length for the standard bores.

)";

const char* const ExitStatusText = R"(
Exit status: 0 solved (a rating: rated by at least one method; the bores
table: at least one length found), 1 not solved (an arithmetic fault, a case
no method can size such as te above tc or tc above the refrigerant's range,
or no method could rate the tube or size any bore; the reason is reported), 2
bad usage or bad input (checked before any work, also of --report and
--report-dir).
)";

const TOptionEntry* FindOption(const std::string& name)
{
    const auto& table = OptionTable();
    const auto found = std::find_if(table.begin(), table.end(), [&](const TOptionEntry& entry) {
        return !std::holds_alternative<TUsageText>(entry) && OptionName(entry) == name;
    });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

std::string UsageText()
{
    std::string text = UsageIntro;
    for (const TOptionEntry& entry : OptionTable())
        text += UsageLines(entry);
    return text + ExitStatusText;
}

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
        const TOptionEntry* option = FindOption(name);
        if (option == nullptr)
            throw EBadInput("unknown option '--" + name + "'");
        if (!TakesValue(*option)) {
            if (value)
                throw EBadInput("--" + name + " takes no value");
        } else if (!value) {
            if (i + 1 >= args.size())
                throw EBadInput("--" + name + " needs a value");
            value = args[++i];
        }
        ApplyOption(*option, options, value);
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
        if (options.Case.Refrigerant || options.Case.AnyField())
            throw EBadInput("--batch takes the design cases from its file; "
                            "give no design-case options");
    }
    return options;
}
