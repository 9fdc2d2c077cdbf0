#include "app/MutedText.h"

#include <algorithm>
#include <cmath>
#include <QLabel>
#include <QPalette>

namespace {

constexpr double LeastContrast = 4.5;

// Relative luminance of an sRGB colour.
double Luminance(const QColor& colour)
{
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor Mix(const QColor& text, const QColor& window, double windowShare)
{
    auto mix = [windowShare](float t, float w) {
        return static_cast<float>(t + (w - t) * windowShare);
    };
    return QColor::fromRgbF(mix(text.redF(), window.redF()), mix(text.greenF(), window.greenF()),
                            mix(text.blueF(), window.blueF()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor MutedTextColor(const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const QColor window = palette.color(QPalette::Window);
    // As far towards the window colour as the contrast allows, at most 40 %.
    for (double share = 0.4; share > 0; share -= 0.02) {
        const QColor muted = Mix(text, window, share);
        if (ContrastRatio(muted, window) >= LeastContrast)
            return muted;
    }
    return text;
}

void SetMutedText(QLabel* label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, MutedTextColor(palette));
    label->setPalette(palette);
}
