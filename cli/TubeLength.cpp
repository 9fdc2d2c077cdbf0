#include "cli/TubeLength.h"

#include "cli/CaseInput.h"
#include "common/Format.h"
#include "common/TextToNumber.h"
#include "units/NumberText.h"

#include <cmath>

double ReadTubeLength(const std::string& name, const std::string& text)
{
    const std::string range = Format("%g to %g m", {TubeLengthLo, TubeLengthHi});
    const auto value = TryTextToFloat(text);
    if (!value || !std::isfinite(static_cast<double>(*value)))
        throw EBadInput(name + ": '" + text + "' is not a number (a tube length of " + range + ")");
    const double length = static_cast<double>(*value);
    if (!(length >= TubeLengthLo && length <= TubeLengthHi))
        throw EBadInput(name + ": " + text + " is outside the range " + range);
    // The value the field gives back after showing it.
    return TextToDouble(TubeLengthText(length));
}

std::string TubeLengthText(double length)
{
    return FormatByType(length, "%0.3f", ft_Fixed, 5, 3);
}
