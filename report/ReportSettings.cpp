#include "report/ReportSettings.h"

#include "common/Errors.h"
#include "common/Format.h"
#include "common/Text.h"
#include "common/TextToNumber.h"
#include "report/ReportSettingRanges.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <QGuiApplication>

namespace {

const QString Section = QStringLiteral("Report");

constexpr const char* PositionKeys[PositionCount] = {
    "Left margin", "Right margin", "Top margin", "Bottom margin", "mX1", "mX2",
    "mX3",         "mX4",          "mX5",        "mX6",           "mX7", "mX8"};

TPositions& Defaults()
{
    static TPositions defaults = {2.5, 2.5, 2.5, 2.5, 3.5, 11, 12, 13, 14, 15, 16, 17};
    return defaults;
}

TStoredFont InterfaceFontAt8Points()
{
    TStoredFont font;
    font.Font = QGuiApplication::font();
    font.Font.setPointSize(DefaultFontSize);
    return font;
}

// The stored text as a message shows it.
std::string Shown(const std::string& text)
{
    return CutCharacters(Trim(text), 60);
}

std::string OutOfRange(const TSettingRange& range, const char* unit)
{
    return "is out of range [" + PositionText(range.Low) + ".." + PositionText(range.High) + "] " +
           unit;
}

std::string Problem(const char* key, const std::string& shown, const std::string& fault,
                    const std::string& used)
{
    return std::string("report setting '") + key + "' = " + shown + " " + fault + "; using " + used;
}

// A stored size outside the sizes the font dialog lists leaves no readable
// report (or none at all): the font takes the default size.
void LoadFontSize(const TSettingsStore& store, TStoredFont& font,
                  std::vector<std::string>& problems)
{
    const QString key = QStringLiteral("Size");
    if (!store.ValueExists(Section, key))
        return;
    const TSettingRange range = FontSizeRange();
    const std::string notWhole = "is not a whole number";
    std::string text;
    std::string shown;
    std::string fault;
    try {
        text = store.ReadString(Section, key, QString()).toStdString();
        if (const std::optional<std::int32_t> size = TryTextToInt(text)) {
            if (range.Holds(*size))
                return;
            shown = Shown(text);
            fault = OutOfRange(range, "pt");
        } else {
            shown = QuotedValue(text);
            fault = notWhole;
        }
    } catch (const EVelloxError&) {
        shown = QuotedValue(text);
        fault = notWhole;
    }
    font.Font.setPointSize(DefaultFontSize);
    problems.push_back(Problem("Size", shown, fault, std::to_string(DefaultFontSize)));
}

} // namespace

TReportSettings& ReportSettings()
{
    static TReportSettings settings = [] {
        TReportSettings initial;
        initial.Positions = Defaults();
        initial.Font = InterfaceFontAt8Points();
        return initial;
    }();
    return settings;
}

const TPositions& DefaultMargins()
{
    return Defaults();
}

void SetDefaultTabs(const std::vector<double>& tabs)
{
    const std::size_t count = std::min<std::size_t>(tabs.size(), 8);
    for (std::size_t k = 0; k < count; ++k)
        Defaults()[4 + k] = tabs[k];
}

const char* PositionKey(std::size_t index)
{
    return PositionKeys[index];
}

std::string PositionText(double centimetres)
{
    return FormatGeneral(centimetres, 15);
}

std::vector<std::string> LoadReportSettings(const TSettingsStore& store, const TPageSizeCm& page)
{
    std::vector<std::string> problems;
    TReportSettings& settings = ReportSettings();
    for (std::size_t i = 0; i < PositionCount; ++i) {
        const double fallback = DefaultMargins()[i];
        const TSettingRange range = PositionRange(i, settings.Positions, page);
        const auto use = [&](const std::string& shown, const std::string& fault) {
            settings.Positions[i] = range.Nearest(fallback);
            problems.push_back(
                Problem(PositionKeys[i], shown, fault, PositionText(settings.Positions[i])));
        };
        std::string text;
        try {
            text = store
                       .ReadString(Section, PositionKeys[i],
                                   QString::fromStdString(PositionText(fallback)))
                       .toStdString();
            const double value = TextToDouble(text);
            if (std::isfinite(value) && range.Holds(value))
                settings.Positions[i] = value;
            else
                use(Shown(text), OutOfRange(range, "cm"));
        } catch (const EOverflow&) {
            use(Shown(text), OutOfRange(range, "cm"));
        } catch (const EVelloxError&) {
            // Not a number, or not a text at all.
            use(QuotedValue(text), "is not a number");
        }
    }
    settings.Zoom = static_cast<std::uint8_t>(store.ReadInteger(Section, "Zoom", 0));
    LoadFont(settings.Font, Section, store);
    LoadFontSize(store, settings.Font, problems);
    return problems;
}

void SaveReportSettings(const TSettingsStore& store)
{
    const TReportSettings& settings = ReportSettings();
    store.EraseSection(Section);
    for (std::size_t i = 0; i < PositionCount; ++i)
        store.WriteString(Section, PositionKeys[i],
                          QString::fromStdString(PositionText(settings.Positions[i])));
    store.WriteInteger(Section, "Zoom", settings.Zoom);
    SaveFont(settings.Font, Section, store);
}
