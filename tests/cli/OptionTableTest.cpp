// The command line's options come from one table: every option it reads is
// in the usage text with its value, range and default, and every design
// field of the case has an option that lands in that field.
#include "cli/OptionTable.h"

#include "common/Format.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The usage line of an option: the line starting with "  --name".
std::string UsageLine(const std::string& usage, const std::string& name)
{
    const std::string lead = "\n  --" + name + " ";
    const auto at = usage.find(lead);
    if (at == std::string::npos)
        return {};
    return usage.substr(at + 1, usage.find('\n', at + 1) - at - 1);
}

TEST(OptionTable, EveryFieldHasItsOptionWithRangeAndDefault)
{
    const std::string usage = UsageText();
    for (const TDesignField field : OutputOrder()) {
        const TDesignFieldLayout& layout = DesignFieldLayout(field);
        const std::string line = UsageLine(usage, layout.Key);
        ASSERT_FALSE(line.empty()) << layout.Key;
        EXPECT_NE(line.find(std::string("--") + layout.Key + " " + layout.ValueName + " "),
                  std::string::npos)
            << line;
        // The range where the field has one, else the unit.
        const bool ranged = layout.RangeLo != 0 || layout.RangeHi != 0;
        EXPECT_NE(line.find(ranged ? FieldRangeText(field) : std::string(layout.Unit)),
                  std::string::npos)
            << line;
        if (layout.DefaultFor == nullptr) {
            EXPECT_NE(line.find(Format("[%g]", {InitialValue(field)})), std::string::npos) << line;
        }

        // --key VALUE and --key=VALUE both give the field its text.
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{std::string("--") + layout.Key, "12.5"},
              std::vector<std::string>{std::string("--") + layout.Key + "=12.5"}}) {
            const TOptions options = ParseOptions(args);
            EXPECT_EQ(options.Case[field], "12.5") << layout.Key;
            for (const TDesignField other : OutputOrder()) {
                if (other != field) {
                    EXPECT_FALSE(options.Case[other]) << layout.Key << " set " << other;
                }
            }
        }
    }
}

TEST(OptionTable, EveryOptionIsListedAndReadAsItsKindSays)
{
    const std::string usage = UsageText();
    std::size_t options = 0;
    for (const TOptionEntry& entry : OptionTable()) {
        const std::string name = OptionName(entry);
        if (name.empty())
            continue;
        ++options;
        EXPECT_NE(usage.find("  --" + name + (TakesValue(entry) ? " " : "")), std::string::npos)
            << name;
        if (TakesValue(entry)) {
            EXPECT_THROW(ParseOptions({"--" + name}), EBadInput) << name << " without its value";
        } else {
            EXPECT_THROW(ParseOptions({"--" + name + "=1"}), EBadInput) << name << " with a value";
        }
    }
    // The refrigerant, the library, the rated length, the outputs and the
    // fields of the case.
    EXPECT_EQ(options, 11 + CaseFieldCount);
    EXPECT_THROW(ParseOptions({"--nonsense"}), EBadInput);
}

TEST(OptionTable, UsageLinesKeepTheirColumn)
{
    // Each option's help starts in one column, its further lines under it.
    std::size_t lines = 0;
    for (const TOptionEntry& entry : OptionTable()) {
        if (OptionName(entry).empty())
            continue;
        std::string text = UsageLines(entry);
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            EXPECT_GT(line.size(), 24U) << line;
            EXPECT_NE(line[23], ' ') << line;
            EXPECT_EQ(line[22], ' ') << line;
            start = end + 1;
            ++lines;
        }
    }
    EXPECT_GT(lines, 20U);
}

} // namespace
