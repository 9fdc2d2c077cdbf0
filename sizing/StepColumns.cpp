#include "sizing/StepColumns.h"

#include "common/Format.h"
#include "common/UnitConversions.h"

namespace {

// A member as it is, or scaled by a factor to the unit shown.
template <double TStoeckerStep::*Member>
Extended Same(const TStoeckerStep& step)
{
    return step.*Member;
}

template <double TStoeckerStep::*Member>
double SameNumber(const TStoeckerStep& step)
{
    return step.*Member;
}

// A member converted to the unit shown: Pa to kPa, J/kg to kJ/kg.
template <double TStoeckerStep::*Member, Extended (*Convert)(Extended)>
Extended Converted(const TStoeckerStep& step)
{
    return Convert(step.*Member);
}

template <double TStoeckerStep::*Member, double (*Convert)(double)>
double ConvertedNumber(const TStoeckerStep& step)
{
    return Convert(step.*Member);
}

// Characters of a UTF-8 text.
std::size_t Characters(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

using S = TStoeckerStep;

const std::array<TStepColumn, 8> StepColumns = {{
    {"t", "-188", 13, "%0.0f", "Temperature, \u00b0C", Same<&S::t>, SameNumber<&S::t>},
    {"P,kPa", "99999.9", 16, "%0.1f", "Pressure, kPa",
     Converted<&S::p, PascalsToKilopascals<Extended>>,
     ConvertedNumber<&S::p, PascalsToKilopascals<double>>},
    {"x", "0.000", 19, "%0.3f", "Quality, kg/kg", Same<&S::x>, SameNumber<&S::x>},
    {"v,m\u00b3/kg", "0.000000", 16, "%0.6f", nullptr, Same<&S::v>, SameNumber<&S::v>},
    {"h,kJ/kgK", "9999.99", 14, "%0.2f", nullptr, Converted<&S::h, JoulesToKilojoules<Extended>>,
     ConvertedNumber<&S::h, JoulesToKilojoules<double>>},
    {"V,m/s", "999.999", 12, "%0.3f", "Velocity, m/s", Same<&S::V>, SameNumber<&S::V>},
    {"dL,m", "-0.0000", 13, "%0.4f", nullptr, Same<&S::dL>, SameNumber<&S::dL>},
    {"L,m", "-00.000", 0, "%0.3f", "Length, m", Same<&S::L>, SameNumber<&S::L>},
}};

std::string StepsHeaderText()
{
    std::string header;
    for (const TStepColumn& column : StepColumns) {
        const std::string caption = column.Header;
        header += caption;
        const std::size_t shown = Characters(caption);
        if (static_cast<std::size_t>(column.TextWidth) > shown)
            header.append(static_cast<std::size_t>(column.TextWidth) - shown, ' ');
    }
    return header;
}

std::string StepRowText(const TStoeckerStep& step)
{
    std::string row;
    for (const TStepColumn& column : StepColumns) {
        if (!row.empty())
            row += '\t';
        row += Format(column.FormatStr, {column.Shown(step)});
    }
    return row;
}
