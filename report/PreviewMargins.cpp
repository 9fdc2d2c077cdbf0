// The margin and tab-stop lines of the preview: drawn as dashed lines that
// invert what is under them on the picture on show (never on the pages, so
// drawing a line twice takes it away again), hit and dragged with the mouse
// within limits that keep the page usable, and turned back into centimetres
// when the mouse is released.
#include "common/Format.h"
#include "common/Rounding.h"
#include "report/PageImage.h"
#include "report/PreviewForm.h"

#include <cstdlib>
#include <QPainter>

namespace {

// Lines within this many image pixels of the mouse are hit; a line dragged
// onto or past a limit is parked this far inside it.
constexpr int Reach = 5;

constexpr std::size_t FirstTab = 4;
constexpr std::size_t LastTab = PositionCount - 1;

bool IsHorizontal(std::size_t index)
{
    return index == 2 || index == 3;
}

int Truncated(double x)
{
    return static_cast<int>(Trunc(x));
}

} // namespace

void TPreviewForm::DrawMarginLines()
{
    for (std::size_t i = 0; i < PositionCount; ++i)
        DrawMarginLine(i);
}

void TPreviewForm::DrawMarginLine(std::size_t index)
{
    if (!Engine().MarginLineVisible[index])
        return;
    QImage& picture = RepImage->Picture();
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine, Qt::FlatCap));
    const int at = Engine().MarginPx[index];
    if (IsHorizontal(index)) {
        const int y = Truncated(at * ScaleY);
        painter.drawLine(0, y, picture.width() - 1, y);
        RepImage->update(0, y, picture.width(), 1);
    } else {
        const int x = Truncated(at * ScaleX);
        painter.drawLine(x, 0, x, picture.height() - 1);
        RepImage->update(x, 0, 1, picture.height());
    }
}

void TPreviewForm::HideMargins()
{
    if (!MarginsShown)
        return;
    MarginsShown = false;
    MarginsBtn->setChecked(false);
    DrawMarginLines();
    Dragging.fill(false);
}

void TPreviewForm::MarginsBtnClick()
{
    MarginsShown = !MarginsShown;
    MarginsBtn->setChecked(MarginsShown);
    DrawMarginLines();
    Dragging.fill(false);
}

int TPreviewForm::HitMarginLine(QPoint position) const
{
    const auto& px = Engine().MarginPx;
    for (std::size_t i = 0; i < PositionCount; ++i) {
        if (!Engine().MarginLineVisible[i])
            break;
        const bool horizontal = IsHorizontal(i);
        const int line = Truncated(px[i] * (horizontal ? ScaleY : ScaleX));
        const int mouse = horizontal ? position.y() : position.x();
        if (std::abs(mouse - line) <= Reach)
            return static_cast<int>(i);
    }
    return -1;
}

std::pair<int, int> TPreviewForm::DragLimits(std::size_t index) const
{
    const auto& px = Engine().MarginPx;
    const auto& visible = Engine().MarginLineVisible;
    const QImage& picture = RepImage->Picture();
    const auto across = [&](std::size_t i) { return Truncated(px[i] * ScaleX); };
    switch (index) {
    case 0:
        return {0, visible[5] ? across(5) : across(1)};
    case 1:
        return {Truncated(MaxTabPx * ScaleX), picture.width()};
    case 2:
        return {0, Truncated(picture.height() / 2.0)};
    case 3:
        return {Truncated(picture.height() / 2.0), picture.height()};
    case FirstTab:
        return {0, across(5)};
    default: {
        const bool nextShown = index < LastTab && visible[index + 1];
        return {across(index - 1), nextShown ? across(index + 1) : across(1)};
    }
    }
}

void TPreviewForm::ImageMouseDown(Qt::MouseButton button, QPoint position)
{
    if (!MarginsShown || button != Qt::LeftButton)
        return;
    MaxTabPx = 0;
    for (std::size_t i = FirstTab; i <= LastTab; ++i) {
        if (Engine().MarginLineVisible[i])
            MaxTabPx = std::max(MaxTabPx, Engine().MarginPx[i]);
    }
    const int hit = HitMarginLine(position);
    if (hit >= 0)
        Dragging[static_cast<std::size_t>(hit)] = true;
}

void TPreviewForm::ImageMouseMove(Qt::MouseButtons buttons, QPoint position)
{
    if (!MarginsShown)
        return;
    if (!(buttons & Qt::LeftButton)) {
        const int hit = HitMarginLine(position);
        if (hit < 0)
            SetScreenCursor(SavedCursor);
        else
            SetScreenCursor(IsHorizontal(static_cast<std::size_t>(hit)) ? Qt::SplitVCursor
                                                                        : Qt::SplitHCursor);
        return;
    }
    for (std::size_t i = 0; i < PositionCount; ++i) {
        if (!Dragging[i])
            continue;
        const auto [lower, upper] = DragLimits(i);
        if (IsHorizontal(i))
            DragMarginLine(i, position.y(), lower, upper, ScaleY);
        else
            DragMarginLine(i, position.x(), lower, upper, ScaleX);
        return;
    }
}

void TPreviewForm::DragMarginLine(std::size_t index, int position, int lower, int upper,
                                  double scale)
{
    if (position >= upper) {
        position = upper - Reach;
        SetScreenCursor(SavedCursor);
    } else if (position < lower) {
        position = lower + Reach;
        SetScreenCursor(SavedCursor);
    }
    DrawMarginLine(index);
    Engine().MarginPx[index] = Truncated(position / scale);
    DrawMarginLine(index);
}

void TPreviewForm::ImageMouseUp(Qt::MouseButton button, QPoint)
{
    if (!MarginsShown || button != Qt::LeftButton)
        return;
    for (std::size_t i = 0; i < PositionCount; ++i) {
        if (!Dragging[i])
            continue;
        Dragging[i] = false;
        // Back to centimetres through whole pixels and the whole-pixel scale.
        TPageEngine& engine = Engine();
        const int px = engine.MarginPx[i];
        double cm = 0;
        if (i == 1)
            cm = static_cast<double>(engine.PageWidthPx - px) / engine.PxPerCmX;
        else if (i == 3)
            cm = static_cast<double>(engine.PageHeightPx - px) / engine.PxPerCmY;
        else
            cm = static_cast<double>(px) / (IsHorizontal(i) ? engine.PxPerCmY : engine.PxPerCmX);
        engine.MarginCm[i] = cm;
        SetScreenCursor(SavedCursor);
        DoReport();
        ShowStatus(0, QString::fromStdString(Format("%0.1f", {cm})));
        return;
    }
}

void TPreviewForm::MouseMoveRestoreCursor()
{
    SetScreenCursor(SavedCursor);
}
