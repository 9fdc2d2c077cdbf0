#include "cli/OptionTable.h"

#include "cli/CaseInput.h"
#include "cli/TubeLength.h"
#include "common/Format.h"

#include <type_traits>

namespace {

template <class... Ts>
struct TOverloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
TOverloaded(Ts...) -> TOverloaded<Ts...>;

// The column the help of an option starts in.
constexpr std::size_t HelpColumn = 23;

// "  --name VALUE" and the help beside it, its further lines under its first.
std::string OptionLines(const std::string& name, const std::string& help)
{
    std::string lead = "  " + name;
    lead += lead.size() < HelpColumn ? std::string(HelpColumn - lead.size(), ' ') : "  ";
    std::string text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = help.find('\n', start);
        text += lead + help.substr(start, end - start) + '\n';
        if (end == std::string::npos)
            return text;
        lead.assign(HelpColumn, ' ');
        start = end + 1;
    }
}

// "condensing temperature, °C [40]": the field's words, its range or unit, a
// note and its default.
std::string FieldHelp(TDesignField field)
{
    const TDesignFieldLayout& layout = DesignFieldLayout(field);
    std::string help = std::string(layout.Meaning) + ", ";
    help += layout.RangeLo == 0 && layout.RangeHi == 0 ? std::string(layout.Unit)
                                                       : FieldRangeText(field);
    if (layout.UsageNote != nullptr)
        help += std::string("; ") + layout.UsageNote;
    if (layout.DefaultFor == nullptr)
        help += Format(" [%g]", {InitialValue(field)});
    else if (*layout.DefaultFor != 0)
        help += std::string(" [") + layout.DefaultFor + "]";
    return help;
}

std::string Replaced(std::string text, const std::string& value)
{
    const auto at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, value);
}

} // namespace

std::string OptionName(const TOptionEntry& entry)
{
    return std::visit(
        TOverloaded{
            [](const TFlagOption& o) { return std::string(o.Name); },
            [](const TTextOption& o) { return std::string(o.Name); },
            [](const TRefrigerantOption&) { return std::string(RefrigerantKey); },
            [](const TFieldOption& o) { return std::string(DesignFieldLayout(o.Field).Key); },
            [](const TLengthOption& o) { return std::string(o.Name); },
            [](const TUsageText&) { return std::string(); },
        },
        entry);
}

bool TakesValue(const TOptionEntry& entry)
{
    return !std::holds_alternative<TFlagOption>(entry) &&
           !std::holds_alternative<TUsageText>(entry);
}

void ApplyOption(const TOptionEntry& entry, TOptions& options,
                 const std::optional<std::string>& value)
{
    std::visit(TOverloaded{
                   [&](const TFlagOption& o) { options.*o.Target = true; },
                   [&](const TTextOption& o) { options.*o.Target = *value; },
                   [&](const TRefrigerantOption&) { options.Case.Refrigerant = *value; },
                   [&](const TFieldOption& o) { options.Case[o.Field] = *value; },
                   [&](const TLengthOption& o) { options.Rate = ReadTubeLength(o.Name, *value); },
                   [](const TUsageText&) {},
               },
               entry);
}

std::string UsageLines(const TOptionEntry& entry)
{
    return std::visit(
        TOverloaded{
            [](const TFlagOption& o) { return OptionLines(std::string("--") + o.Name, o.Help); },
            [](const TTextOption& o) {
                return OptionLines(std::string("--") + o.Name + " " + o.ValueName, o.Help);
            },
            [](const TRefrigerantOption& o) {
                return OptionLines(std::string("--") + RefrigerantKey + " NAME", o.Help);
            },
            [](const TFieldOption& o) {
                const TDesignFieldLayout& layout = DesignFieldLayout(o.Field);
                return OptionLines(std::string("--") + layout.Key + " " + layout.ValueName,
                                   FieldHelp(o.Field));
            },
            [](const TLengthOption& o) {
                return OptionLines(std::string("--") + o.Name + " " +
                                       DesignFieldLayout(dfLength).ValueName,
                                   Replaced(o.Help, FieldRangeText(dfLength)));
            },
            [](const TUsageText& t) { return std::string(t.Text); },
        },
        entry);
}

namespace {

// "refrigerant,tc,...,id,length": the columns a batch file may name.
std::string BatchColumns()
{
    std::string columns = RefrigerantKey;
    for (const TDesignField field : OutputOrder())
        columns += std::string(",") + DesignFieldLayout(field).Key;
    return columns + "," + DesignFieldLayout(dfLength).Key;
}

} // namespace

const std::vector<TOptionEntry>& OptionTable()
{
    static const std::vector<TOptionEntry> table = [] {
        std::vector<TOptionEntry> t;
        t.push_back(TUsageText{
            "Design case (defaults in brackets; each value is taken at the precision the\n"
            "window shows it):\n"});
        t.push_back(TTextOption{"library", "FILE", &TOptions::Library,
                                "refrigerant library file [the suite's Common Files/RefLib8.rdf;\n"
                                "without one, the built-in R22 only]"});
        t.push_back(TRefrigerantOption{"refrigerant section of the library [R22]"});
        for (const TDesignField field : OutputOrder())
            t.push_back(TFieldOption{field});
        t.push_back(TUsageText{"\nWhat to do (sizing when neither is given):\n"});
        t.push_back(TLengthOption{"rate",
                                  "rate a tube of M metres, %s, of the case's bore:\n"
                                  "the mass flow and duty each method gives it (the case's\n"
                                  "mass flow or duty only starts the search)"});
        t.push_back(TFlagOption{"select", &TOptions::Select,
                                "each method's length at the case's mass flow for every\n"
                                "standard bore (0.5 to 2.5 mm, 0.026 to 0.080 in)"});
        t.push_back(TUsageText{"\nOutput:\n"
                               "  (default)            what the window shows, with the simulation "
                               "steps\n"});
        t.push_back(
            TFlagOption{"json", &TOptions::Json, "one JSON object, numbers in full precision"});
        t.push_back(
            TFlagOption{"csv", &TOptions::Csv, "with --select: the table as CSV, a line per bore"});
        static const std::string batchHelp =
            "solve every row of a CSV file (or standard input) whose\n"
            "header names any of the columns\n" +
            BatchColumns() +
            ";\n"
            "writes one CSV row per case; a row with a length (m) rates\n"
            "that tube instead of sizing it";
        t.push_back(TTextOption{"batch", "FILE|-", &TOptions::Batch, batchHelp.c_str()});
        t.push_back(TTextOption{"report", "FILE", &TOptions::Report,
                                "also write the report of the solved case, as the window\n"
                                "prints it: FILE.pdf (A4, text) or FILE.gif (all pages);\n"
                                "never over something that is no regular file"});
        t.push_back(TTextOption{"report-dir", "DIR", &TOptions::ReportDir,
                                "with --batch: the report of each solved case as\n"
                                "DIR/case-N.pdf, N counting the cases from 1"});
        t.push_back(TFlagOption{"help", &TOptions::Help, "this text"});
        t.push_back(TFlagOption{"version", &TOptions::Version, "the program's version"});
        return t;
    }();
    return table;
}
