#include "cli/TubeLength.h"

#include "cli/CaseInput.h"
#include "common/TextToNumber.h"
#include "sizing/DesignFields.h"

#include <cmath>

double ReadTubeLength(const std::string& name, const std::string& text)
{
    const std::string range = FieldRangeText(dfLength);
    const auto value = TryTextToFloat(text);
    if (!value || !std::isfinite(static_cast<double>(*value)))
        throw EBadInput(name + ": '" + text + "' is not a number (a tube length of " + range + ")");
    const double length = static_cast<double>(*value);
    if (!InFieldRange(dfLength, length))
        throw EBadInput(name + ": " + text + " is outside the range " + range);
    // The value the field gives back after showing it.
    return ShownValue(dfLength, length);
}

std::string TubeLengthText(double length)
{
    return ShownText(dfLength, length);
}
