#pragma once

#include <QColor>

class QLabel;
class QPalette;

// Secondary texts (column headings, notes) are drawn in a grey between the
// text and the window colour, but never so light that the contrast to the
// window falls below 4.5 : 1, the least for text that must stay readable.
QColor MutedTextColor(const QPalette& palette);
void SetMutedText(QLabel* label);

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) of their
// relative luminances, from 1 (same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
