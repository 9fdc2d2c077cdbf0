#include "report/ReportSettings.h"

#include "common/Format.h"
#include "common/TextToNumber.h"

#include <algorithm>
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
    font.Font.setPointSize(8);
    return font;
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

void LoadReportSettings(const TSettingsStore& store)
{
    TReportSettings& settings = ReportSettings();
    for (std::size_t i = 0; i < PositionCount; ++i) {
        const QString text = store.ReadString(
            Section, PositionKeys[i], QString::fromStdString(PositionText(DefaultMargins()[i])));
        settings.Positions[i] = TextToDouble(text.toStdString());
    }
    settings.Zoom = static_cast<std::uint8_t>(store.ReadInteger(Section, "Zoom", 0));
    LoadFont(settings.Font, Section, store);
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
