#include "app/RefPropsSheet.h"

#include "common/Errors.h"
#include "refrig/RefrigLib.h"
#include "support/ParamName.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <sstream>

namespace {

// The sheet of the built-in R22 record. The property values were worked out
// separately from the record's coefficients at the boiling point, -40.8 °C.
const std::vector<std::string> BuiltInR22Sheet = {
    "<html>",
    "<head>",
    "<style>",
    R"(body {font-family:"trebuchet ms"; font-size:10pt; text:"#cecece"; background:"#4f6f6f"})",
    ".comment {color:#bebebe}",
    ".name {color:#b2dfee}",
    ".keyword {color:#ffa500}",
    ".string {color:#00cd00}",
    ".type {color:#98fb98}",
    "</style>",
    "</head>",
    "<body>",
    R"(<h2 class="name">R22</h2>)",
    "<hr>",
    R"(<p class="string">FullName: R22 (chlorodifluoromethane, CHClF2)<br>)",
    "FileName: R22.FLD<br>",
    "ChemName: chlorodifluoromethane<br>",
    "Formula: CHClF2<br>",
    "FluidType: Halocarbon-Methane Series<br>",
    "Ref state: IIR<br>",
    "MolWt: 86.468</p>",
    R"(<div class="keyword">)",
    "<table>",
    R"(<tr><th width="100"></th><th width="100"></th><th width="50"></th></tr>)",
    "<tr><td>TCK</td><td>96.100</td><td>&deg;C</td></tr>",
    "<tr><td>PCK</td><td>4990.000</td><td>kPa</td></tr>",
    "<tr><td>DCK</td><td>523.842</td><td>kg/m3</td></tr>",
    "<tr><td>Glide</td><td>0.000</td><td>&deg;C</td></tr>",
    "<tr><td>TBP</td><td>-40.800</td><td>&deg;C</td></tr>",
    "<tr><td>PBP</td><td>102.569</td><td>kPa</td></tr>",
    "<tr><td>Trip</td><td>-157.420</td><td>&deg;C</td></tr>",
    "<tr><td>TMax</td><td>60.000</td><td>&deg;C</td></tr>",
    "<tr><td>TMin</td><td>-60.000</td><td>&deg;C</td></tr>",
    "<tr><td>MuBub</td><td>343.000</td><td>&mu;Pa-s</td></tr>",
    "<tr><td>MuDew</td><td>9.667</td><td>&mu;Pa-s</td></tr>",
    "<tr><td>CondBub</td><td>113.446</td><td>mW/m-K</td></tr>",
    "<tr><td>CondDew</td><td>6.783</td><td>mW/m-K</td></tr>",
    "<tr><td>CpBub</td><td>1.103</td><td>kJ/kg-K</td></tr>",
    "<tr><td>CpDew</td><td>0.626</td><td>kJ/kg-K</td></tr>",
    "<tr><td>Latent</td><td>234.399</td><td>kJ/kg</td></tr>",
    "<tr><td>Sigma</td><td>18.078</td><td>mN/m</td></tr>",
    "<tr><td>H(bpt)</td><td>153.750</td><td>kJ/kg</td></tr>",
    "<tr><td>t(hbpt)</td><td>-41.013</td><td>&deg;C</td></tr>",
    "</table>",
    "<p></p>",
    "<hr>",
    "</p>",
    "</div>",
    "</body>",
    "</html>",
};

// Line numbers (from 1) of the sheet.
constexpr std::size_t HeadingLine = 13;
constexpr std::size_t FirstRowLine = 25;
constexpr std::size_t TbpLine = 29;
constexpr std::size_t TMinLine = 33;
constexpr std::size_t LastRowLine = 43;
constexpr std::size_t DateLine = 47;

const std::string& Line(const std::vector<std::string>& lines, std::size_t number)
{
    return lines.at(number - 1);
}

std::vector<std::string> SheetOf(const TRefrigLib& lib)
{
    std::vector<std::string> lines;
    BuildRefPropsLines(lib, lines);
    return lines;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(RefPropsSheet, BuiltInR22WithoutLibraryFile)
{
    const TRefrigLib lib;
    std::vector<std::string> lines = {"left from the previous sheet"};
    BuildRefPropsLines(lib, lines);
    EXPECT_EQ(lines, BuiltInR22Sheet);
}

TEST(RefPropsSheet, AnotherRefrigerantReplacesTheSheet)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[R134a]\nRNumber=R134a\nFormula=CH2FCF3\n"
                                            "TBoil=-26.074\nTCrit=12345678.9\nDCrit=0.0000004\n"));
    std::vector<std::string> lines;
    BuildRefPropsLines(lib, lines);
    lib.SelectRefrigerant("R134a");
    BuildRefPropsLines(lib, lines);

    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(Line(lines, HeadingLine), R"(<h2 class="name">R134a</h2>)");
    EXPECT_EQ(Line(lines, TbpLine), "<tr><td>TBP</td><td>-26.074</td><td>&deg;C</td></tr>");
    // However large or small, a number has three decimals and no separators.
    EXPECT_EQ(Line(lines, FirstRowLine),
              "<tr><td>TCK</td><td>12345678.900</td><td>&deg;C</td></tr>");
    EXPECT_EQ(Line(lines, 27), "<tr><td>DCK</td><td>0.000</td><td>kg/m3</td></tr>");
    const QRegularExpression row(QRegularExpression::anchoredPattern(
        R"(<tr><td>[^<]+</td><td>-?[0-9]+\.[0-9]{3}</td><td>[^<]+</td></tr>)"));
    for (std::size_t n = FirstRowLine; n <= LastRowLine; ++n)
        EXPECT_TRUE(row.match(QString::fromStdString(Line(lines, n))).hasMatch()) << Line(lines, n);
    // The library file's date closes the sheet.
    ASSERT_FALSE(lib.LibraryFileDate().empty());
    EXPECT_EQ(Line(lines, DateLine), lib.LibraryFileDate() + "</p>");
}

TEST(RefPropsSheet, LibraryTextsAreEscaped)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[R<b>&x]\nRNumber=R<b>&x\nFormula=<script>\n"
                                            "ChemicalName=say \"hi\"\nSourceFile=a&b.fld\n"
                                            "FluidType=</p><table>\nRefState=<!--\n"));
    lib.SelectRefrigerant("R<b>&x");
    const auto lines = SheetOf(lib);

    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(Line(lines, HeadingLine), R"(<h2 class="name">R&lt;b&gt;&amp;x</h2>)");
    EXPECT_EQ(Line(lines, 15), R"(<p class="string">FullName: R&lt;b&gt;&amp;x )"
                               "(say &quot;hi&quot;, &lt;script&gt;)<br>");
    EXPECT_EQ(Line(lines, 16), "FileName: a&amp;b.fld<br>");
    EXPECT_EQ(Line(lines, 17), "ChemName: say &quot;hi&quot;<br>");
    EXPECT_EQ(Line(lines, 18), "Formula: &lt;script&gt;<br>");
    EXPECT_EQ(Line(lines, 19), "FluidType: &lt;/p&gt;&lt;table&gt;<br>");
    EXPECT_EQ(Line(lines, 20), "Ref state: &lt;!--<br>");
    // Everything else is as for any other refrigerant.
    for (std::size_t n = 21; n <= 50; ++n) {
        if (n == DateLine)
            continue;
        EXPECT_EQ(Line(lines, n), Line(BuiltInR22Sheet, n)) << "line " << n;
    }
}

TEST(RefPropsSheet, MinimumTemperatureNeverBelowAbsoluteZero)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[Cold]\nRNumber=Cold\nTMin=-300\n"));
    lib.SelectRefrigerant("Cold");
    EXPECT_EQ(Line(SheetOf(lib), TMinLine),
              "<tr><td>TMin</td><td>-273.000</td><td>&deg;C</td></tr>");
}

// A property that fails ends the sheet at its line; the lines before it stay.
struct TFailingProperty {
    std::string Name;
    std::string Section;
    std::size_t LinesKept;
    std::string Message;

    friend void PrintTo(const TFailingProperty& c, std::ostream* out) { *out << c.Name; }
};

class RefPropsSheetFailure : public testing::TestWithParam<TFailingProperty> {};

TEST_P(RefPropsSheetFailure, KeepsTheLinesBeforeTheFault)
{
    const auto& c = GetParam();
    TTempDir dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[Odd]\nRNumber=Odd\n" + c.Section + "\n"));
    lib.SelectRefrigerant("Odd");
    std::vector<std::string> lines = {"left from the previous sheet"};
    try {
        BuildRefPropsLines(lib, lines);
        FAIL() << "no error raised";
    } catch (const EVelloxError& error) {
        EXPECT_EQ(error.what(), c.Message);
    }
    ASSERT_EQ(lines.size(), c.LinesKept);
    EXPECT_EQ(Line(lines, HeadingLine), R"(<h2 class="name">Odd</h2>)");
    for (std::size_t n = HeadingLine + 3; n <= c.LinesKept; ++n)
        EXPECT_EQ(Line(lines, n), Line(BuiltInR22Sheet, n)) << "line " << n;
}

INSTANTIATE_TEST_SUITE_P(
    Properties, RefPropsSheetFailure,
    testing::Values(
        // The critical pressure in Pa does not fit a double.
        TFailingProperty{"CriticalPressureOverflows", "PCrit=1e306", 25, EOverflow().what()},
        // The boiling point sits on the pole of the vapour-pressure curve.
        TFailingProperty{"BoilingPointAtThePole", "dp=21.39916,-2103.23,40.8", 27,
                         EZeroDivide().what()},
        // The vapour conductivity at the boiling point does not fit a double.
        TFailingProperty{"VapourConductivityOverflows", "kv=0,0,0,1e308", 36, EOverflow().what()}),
    TParamName());

TEST(RefPropsViewDocument, StyleSheetInTheFormTheViewReads)
{
    const auto view = SplitLines(RefPropsViewDocument(BuiltInR22Sheet));
    // The body style with the text colour the view understands and a font
    // every system has; table cells that do not wrap; everything else as is.
    auto expected = BuiltInR22Sheet;
    expected[3] = R"(body {font-family:"trebuchet ms", "DejaVu Sans", sans-serif; )"
                  "font-size:10pt; color:#cecece; background:#4f6f6f}";
    expected.insert(expected.begin() + 9, "td {white-space:nowrap}");
    EXPECT_EQ(view, expected);
}

TEST(RefPropsViewDocument, StyleLikeTextOutsideTheStyleSheetIsKept)
{
    // Page text that looks like a body rule is not style.
    const std::vector<std::string> lines = {"<html><head><style>", "</style></head><body>",
                                            "body {text:\"#cecece\"}", "</body></html>"};
    EXPECT_EQ(RefPropsViewDocument(lines), "<html><head><style>\ntd {white-space:nowrap}\n"
                                           "</style></head><body>\nbody {text:\"#cecece\"}\n"
                                           "</body></html>");
    // A sheet cut short inside its style sheet is joined unchanged.
    const std::vector<std::string> partial(BuiltInR22Sheet.begin(), BuiltInR22Sheet.begin() + 6);
    EXPECT_EQ(SplitLines(RefPropsViewDocument(partial)), partial);
}

} // namespace
