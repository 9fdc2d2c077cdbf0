#pragma once

#include "cli/Options.h"
#include "sizing/DesignFields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The command line's options, each one typed object that knows its name,
// reads its value into TOptions and prints its own usage line. A design
// field's option takes its words, range and default from the field table.

// A switch without a value: --json.
struct TFlagOption {
    const char* Name;
    bool TOptions::*Target;
    const char* Help;
};

// An option with a text value: --library FILE.
struct TTextOption {
    const char* Name;
    const char* ValueName;
    std::optional<std::string> TOptions::*Target;
    const char* Help;
};

// The refrigerant of the case: --refrigerant NAME.
struct TRefrigerantOption {
    const char* Help;
};

// A field of the design case: --tc C, --duty KW.
struct TFieldOption {
    TDesignField Field;
};

// The tube length to rate: --rate M, its range from the field table.
struct TLengthOption {
    const char* Name;
    const char* Help; // "%s" stands for the range
};

// A heading or a line of text between the options of the usage text.
struct TUsageText {
    const char* Text;
};

using TOptionEntry = std::variant<TFlagOption, TTextOption, TRefrigerantOption, TFieldOption,
                                  TLengthOption, TUsageText>;

// The option's name without "--"; empty for a usage text.
std::string OptionName(const TOptionEntry& entry);
// Whether the option takes a value.
bool TakesValue(const TOptionEntry& entry);
// Puts the option's value (none for a switch) into the options; raises
// EBadInput for a value it refuses.
void ApplyOption(const TOptionEntry& entry, TOptions& options,
                 const std::optional<std::string>& value);
// Its lines of the usage text, each ending with a line end.
std::string UsageLines(const TOptionEntry& entry);

// Every option, in the order the usage text lists them.
const std::vector<TOptionEntry>& OptionTable();
