#include "app/RefPropsSheet.h"

#include "common/Extended.h"
#include "common/Format.h"
#include "common/Text.h"
#include "refrig/RefrigLib.h"

#include <string_view>

namespace {

// Library texts go into the page as text, never as markup.
std::string EscapeHtml(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string TextLine(std::string_view format, const std::string& text)
{
    return Format(format, {EscapeHtml(text)});
}

std::string NumberLine(std::string_view format, Extended value)
{
    return Format(format, {value});
}

// The head with the page's style sheet, and the opening of the body.
constexpr const char* HeadLines[] = {
    "<html>",
    "<head>",
    "<style>",
    "body {font-family:\"trebuchet ms\"; font-size:10pt; text:\"#cecece\"; "
    "background:\"#4f6f6f\"}",
    ".comment {color:#bebebe}",
    ".name {color:#b2dfee}",
    ".keyword {color:#ffa500}",
    ".string {color:#00cd00}",
    ".type {color:#98fb98}",
    "</style>",
    "</head>",
    "<body>",
};

// One row of the property table: name, value with three decimals, unit.
std::string Row(std::string_view name, Extended value, std::string_view unit)
{
    std::string row = "<tr><td>";
    row += name;
    row += "</td><td>";
    row += Format("%0.3f", {value});
    row += "</td><td>";
    row += unit;
    row += "</td></tr>";
    return row;
}

} // namespace

void BuildRefPropsLines(const TRefrigLib& lib, std::vector<std::string>& lines)
{
    // Every temperature-dependent property of the sheet is taken at the
    // normal boiling point.
    const double Tb = lib.BoilingPoint();

    lines.clear();
    for (const char* line : HeadLines)
        lines.emplace_back(line);

    // Each line is added as soon as its value is known, so that a property
    // that fails leaves the lines before it in place.
    const TRefrigData& data = lib.Data();
    lines.push_back(TextLine(R"(<h2 class="name">%s</h2>)", lib.GetRNumber()));
    lines.emplace_back("<hr>");
    lines.push_back(TextLine(R"(<p class="string">FullName: %s<br>)", lib.GetDisplayName()));
    lines.push_back(TextLine("FileName: %s<br>", data.SourceFile));
    lines.push_back(TextLine("ChemName: %s<br>", lib.GetChemicalName()));
    lines.push_back(TextLine("Formula: %s<br>", lib.GetFormula()));
    lines.push_back(TextLine("FluidType: %s<br>", data.FluidType));
    lines.push_back(TextLine("Ref state: %s<br>", data.RefState));
    lines.push_back(NumberLine("MolWt: %0.3f</p>", lib.MolarMass()));
    lines.emplace_back(R"(<div class="keyword">)");
    lines.emplace_back("<table>");
    lines.emplace_back(
        R"(<tr><th width="100"></th><th width="100"></th><th width="50"></th></tr>)");

    lines.push_back(Row("TCK", lib.CriticalTemperature(), "&deg;C"));
    lines.push_back(Row("PCK", lib.CriticalPressure() * 0.001L, "kPa"));
    lines.push_back(Row("DCK", lib.CriticalDensity(), "kg/m3"));
    lines.push_back(Row("Glide", lib.TemperatureGlide(lib.BoilingPressure()), "&deg;C"));
    lines.push_back(Row("TBP", Tb, "&deg;C"));
    lines.push_back(Row("PBP", lib.BoilingPressure() * 0.001L, "kPa"));
    lines.push_back(Row("Trip", lib.TriplePoint(), "&deg;C"));
    lines.push_back(Row("TMax", lib.MaxTemperature(), "&deg;C"));
    lines.push_back(Row("TMin", lib.MinTemperature(), "&deg;C"));
    lines.push_back(Row("MuBub", lib.LiquidViscosity(Tb) * 1000000.0L, "&mu;Pa-s"));
    lines.push_back(Row("MuDew", lib.VapourViscosity(Tb) * 1000000.0L, "&mu;Pa-s"));
    lines.push_back(Row("CondBub", lib.LiquidConductivity(Tb) * 1000.0L, "mW/m-K"));
    lines.push_back(Row("CondDew", lib.VapourConductivity(Tb) * 1000.0L, "mW/m-K"));
    lines.push_back(Row("CpBub", lib.LiquidSpecificHeat(Tb) * 0.001L, "kJ/kg-K"));
    lines.push_back(Row("CpDew", lib.VapourSpecificHeat(Tb) * 0.001L, "kJ/kg-K"));
    lines.push_back(Row("Latent", lib.LatentHeat(Tb) * 0.001L, "kJ/kg"));
    lines.push_back(Row("Sigma", lib.SurfaceTension(Tb) * 1000.0L, "mN/m"));
    // The liquid enthalpy at the boiling point, and the temperature the
    // inverse correlation gives back for it: close to TBP for a consistent
    // coefficient set.
    const double h = lib.LiquidEnthalpy(Tb);
    lines.push_back(Row("H(bpt)", h * 0.001L, "kJ/kg"));
    lines.push_back(Row("t(hbpt)", lib.LiquidTemperature(h), "&deg;C"));

    lines.emplace_back("</table>");
    lines.emplace_back("<p></p>");
    lines.emplace_back("<hr>");
    lines.push_back(TextLine("%s</p>", lib.LibraryFileDate()));
    lines.emplace_back("</div>");
    lines.emplace_back("</body>");
    lines.emplace_back("</html>");
}

namespace {

// One declaration of the body rule in the form the rich-text view reads:
// "text" (meant as the text colour, like the body attribute of that name)
// becomes "color", colour values lose their quotes, and the font family gets
// a sans-serif fallback for systems without the preferred face.
std::string ViewDeclaration(std::string_view declaration)
{
    const auto colon = declaration.find(':');
    if (colon == std::string_view::npos)
        return std::string(declaration);
    std::string name = Trim(declaration.substr(0, colon));
    std::string value = Trim(declaration.substr(colon + 1));
    if (SameText(name, "text"))
        name = "color";
    const bool colour = SameText(name, "color") || SameText(name, "background") ||
                        SameText(name, "background-color");
    if (colour && value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (SameText(name, "font-family") && value.find("sans-serif") == std::string::npos)
        value += R"(, "DejaVu Sans", sans-serif)";
    return name + ":" + value;
}

std::string ViewBodyRule(std::string_view declarations)
{
    std::string result;
    std::size_t start = 0;
    for (;;) {
        const auto semicolon = declarations.find(';', start);
        const auto declaration =
            declarations.substr(start, semicolon == std::string_view::npos ? std::string_view::npos
                                                                           : semicolon - start);
        if (!Trim(declaration).empty()) {
            if (!result.empty())
                result += "; ";
            result += ViewDeclaration(declaration);
        }
        if (semicolon == std::string_view::npos)
            break;
        start = semicolon + 1;
    }
    return result;
}

// The style sheet with its "body" rules rewritten; other rules stay as they are.
std::string ViewStyleSheet(std::string_view style)
{
    std::string result;
    std::size_t at = 0;
    for (;;) {
        const auto open = style.find('{', at);
        const auto close = open == std::string_view::npos ? open : style.find('}', open);
        if (close == std::string_view::npos) {
            result += style.substr(at);
            return result;
        }
        const auto selector = style.substr(at, open - at);
        const auto block = style.substr(open + 1, close - open - 1);
        result += selector;
        result += '{';
        result += SameText(Trim(selector), "body") ? ViewBodyRule(block) : std::string(block);
        result += '}';
        at = close + 1;
    }
}

} // namespace

std::string RefPropsViewDocument(const std::vector<std::string>& lines)
{
    std::string document;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            document += '\n';
        document += lines[i];
    }
    // Only the first style block of the head is the sheet's own style sheet;
    // the body text is never touched. Table cells do not wrap: the unit column
    // is narrower than units such as "kJ/kg-K" in most sans-serif faces.
    const auto styleOpen = document.find("<style>");
    if (styleOpen == std::string::npos)
        return document;
    const auto from = styleOpen + std::string_view("<style>").size();
    const auto to = document.find("</style>", from);
    if (to == std::string::npos)
        return document;
    return document.substr(0, from) +
           ViewStyleSheet(std::string_view(document).substr(from, to - from)) +
           "td {white-space:nowrap}\n" + document.substr(to);
}
