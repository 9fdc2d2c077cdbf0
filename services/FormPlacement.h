#pragma once

#include "services/SettingsStore.h"

#include <QSize>

class QWidget;

// Where a window was and how large it was, kept in the settings store in the
// section named after the window (its object name, "MainForm"):
//   Left, Top, Width, Height  integers: the window's geometry (the area inside
//                             its frame, as QWidget::geometry gives it; the
//                             normal geometry when it is maximised)
//   Visible                   Boolean: stored, never read back
//   WinState                  integer: 0 normal, 1 minimised, 2 maximised

// Keeps a stored window edge on a screen of the given extent (width for a
// left edge, height for a top edge): an edge below 0 becomes 0, one beyond
// the extent minus 100 becomes the extent minus 200.
int KeepEdgeOnScreen(int edge, int screenExtent);

// Restores position, size and state; missing values leave the window as it
// is. The position is kept on the window's screen (its available area).
void LoadFormPlacement(QWidget& window, const TSettingsStore& store = TSettingsStore());

// Stores Left, Top, Width, Height, Visible and WinState, in this order.
void SaveFormPlacement(const QWidget& window, const TSettingsStore& store = TSettingsStore());

// The section that holds a window's placement: its object name, else its
// class name.
QString PlacementSection(const QWidget& window);
