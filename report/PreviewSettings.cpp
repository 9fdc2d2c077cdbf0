#include "report/PreviewSettings.h"

void LoadPreviewSettings(TPageEngine& engine)
{
    const TReportSettings& settings = ReportSettings();
    engine.MarginCm = settings.Positions;
    engine.ReportFont = settings.Font.Font;
}

void StorePreviewSettings(const TPageEngine& engine)
{
    TReportSettings& settings = ReportSettings();
    settings.Positions = engine.MarginCm;
    settings.Font.Font = engine.ReportFont;
}
