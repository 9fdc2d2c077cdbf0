#pragma once

#include "report/PageEngine.h"

// The run's report settings copied into the page engine before a layout or a
// printed copy, and back when the user changed them in the preview.
void LoadPreviewSettings(TPageEngine& engine);
void StorePreviewSettings(const TPageEngine& engine);
