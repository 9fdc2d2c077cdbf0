#include "app/StepsPlot.h"

#include "app/MutedText.h"

#include <algorithm>
#include <cmath>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

// Pressures of the steps are in Pa; the chart shows kPa like the fields.
constexpr double KPaPerPa = 0.001;

QValueAxis* NewAxis(const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, 1);
    return axis;
}

QChart* NewChart()
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    return chart;
}

QLineSeries* NewSeries(QChart* chart, const QString& name, QValueAxis* x, QValueAxis* y)
{
    auto* series = new QLineSeries;
    series->setName(name);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

// Labels with as many decimals as the tick spacing needs, no more.
void SetLabelDecimals(QValueAxis* axis)
{
    const double interval = (axis->max() - axis->min()) / std::max(1, axis->tickCount() - 1);
    int decimals = 0;
    if (interval > 0 && std::isfinite(interval))
        decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(interval) - 1e-9)), 0, 4);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

// The axis spans the values, with round ticks; `fromZero` keeps 0 in view.
void FitAxis(QValueAxis* axis, double lo, double hi, bool fromZero)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) {
        lo = 0;
        hi = 1;
    }
    if (fromZero)
        lo = std::min(lo, 0.0);
    if (hi - lo < 1e-9 * std::max(1.0, std::abs(hi))) {
        const double pad = std::max(std::abs(hi) * 0.05, 0.5);
        lo -= pad;
        hi += pad;
    }
    axis->setRange(lo, hi);
    axis->applyNiceNumbers();
    SetLabelDecimals(axis);
}

template <typename F>
void Fill(QLineSeries* series, QValueAxis* axis, const std::vector<TStoeckerStep>& steps, F value,
          bool fromZero)
{
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(steps.size()));
    double lo = INFINITY;
    double hi = -INFINITY;
    for (const TStoeckerStep& step : steps) {
        const double y = value(step);
        points.append(QPointF(step.L, y));
        lo = std::min(lo, y);
        hi = std::max(hi, y);
    }
    series->replace(points);
    FitAxis(axis, lo, hi, fromZero);
}

// A series colour that reads as text on the chart's background: moved towards
// the text colour until the contrast is at least 4.5 : 1.
QColor Readable(const QColor& colour, const QColor& text, const QColor& background)
{
    for (double share = 0; share <= 1.0; share += 0.05) {
        const QColor mixed = QColor::fromRgbF(
            static_cast<float>(colour.redF() + (text.redF() - colour.redF()) * share),
            static_cast<float>(colour.greenF() + (text.greenF() - colour.greenF()) * share),
            static_cast<float>(colour.blueF() + (text.blueF() - colour.blueF()) * share));
        if (ContrastRatio(mixed, background) >= 4.5)
            return mixed;
    }
    return text;
}

} // namespace

TStepsPlot::TStepsPlot(QWidget* parent) : QWidget(parent)
{
    StateChart_ = NewChart();
    FlowChart_ = NewChart();
    StateLengthAxis = NewAxis(tr("Length, m"));
    TemperatureAxis = NewAxis(tr("Temperature, \u00b0C"));
    PressureAxis = NewAxis(tr("Pressure, kPa"));
    FlowLengthAxis = NewAxis(tr("Length, m"));
    QualityAxis = NewAxis(tr("Quality, kg/kg"));
    VelocityAxis = NewAxis(tr("Velocity, m/s"));
    StateChart_->addAxis(StateLengthAxis, Qt::AlignBottom);
    StateChart_->addAxis(TemperatureAxis, Qt::AlignLeft);
    StateChart_->addAxis(PressureAxis, Qt::AlignRight);
    FlowChart_->addAxis(FlowLengthAxis, Qt::AlignBottom);
    FlowChart_->addAxis(QualityAxis, Qt::AlignLeft);
    FlowChart_->addAxis(VelocityAxis, Qt::AlignRight);
    // The grid follows the left axis only; two grids at different steps
    // would cross the plot twice.
    PressureAxis->setGridLineVisible(false);
    VelocityAxis->setGridLineVisible(false);
    TemperatureSeries =
        NewSeries(StateChart_, tr("Saturation temperature"), StateLengthAxis, TemperatureAxis);
    PressureSeries = NewSeries(StateChart_, tr("Pressure"), StateLengthAxis, PressureAxis);
    QualitySeries = NewSeries(FlowChart_, tr("Quality"), FlowLengthAxis, QualityAxis);
    VelocitySeries = NewSeries(FlowChart_, tr("Velocity"), FlowLengthAxis, VelocityAxis);

    StateView = new QChartView(StateChart_, this);
    FlowView = new QChartView(FlowChart_, this);
    StateView->setObjectName("StateView");
    FlowView->setObjectName("FlowView");
    StateView->setAccessibleName(tr("Saturation temperature and pressure along the tube"));
    FlowView->setAccessibleName(tr("Quality and velocity along the tube"));
    for (QChartView* view : {StateView, FlowView}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(220, 170);
        // The page shows through around the plot area.
        view->setBackgroundBrush(Qt::NoBrush);
        view->setFrameShape(QFrame::NoFrame);
        view->viewport()->setAutoFillBackground(false);
        view->setStyleSheet(QStringLiteral("background: transparent"));
    }

    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName("PlotNote");
    NoteLabel->setTextFormat(Qt::PlainText);
    NoteLabel->setWordWrap(true);
    SetMutedText(NoteLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(NoteLabel);
    auto* charts = new QHBoxLayout;
    charts->setSpacing(4);
    charts->addWidget(StateView, 1);
    charts->addWidget(FlowView, 1);
    layout->addLayout(charts, 1);

    ApplyPalette();
    ShowEmpty(tr("Solve to see the flow along the tube."));
}

void TStepsPlot::ShowSteps(const std::vector<TStoeckerStep>& steps, const QString& note)
{
    Fill(
        TemperatureSeries, TemperatureAxis, steps, [](const TStoeckerStep& s) { return s.t; },
        false);
    Fill(
        PressureSeries, PressureAxis, steps, [](const TStoeckerStep& s) { return s.p * KPaPerPa; },
        false);
    Fill(
        QualitySeries, QualityAxis, steps, [](const TStoeckerStep& s) { return s.x; }, true);
    Fill(
        VelocitySeries, VelocityAxis, steps, [](const TStoeckerStep& s) { return s.V; }, true);
    double lo = 0;
    double hi = 0;
    for (const TStoeckerStep& step : steps) {
        lo = std::min(lo, step.L);
        hi = std::max(hi, step.L);
    }
    FitAxis(StateLengthAxis, lo, hi, true);
    FitAxis(FlowLengthAxis, lo, hi, true);
    if (Empty_) {
        Empty_ = false;
        ShowAxisNumbers();
    }
    SetNote(note);
}

void TStepsPlot::ShowEmpty(const QString& note)
{
    for (QLineSeries* series : {TemperatureSeries, PressureSeries, QualitySeries, VelocitySeries})
        series->clear();
    for (QValueAxis* axis : {StateLengthAxis, TemperatureAxis, PressureAxis, FlowLengthAxis,
                             QualityAxis, VelocityAxis})
        FitAxis(axis, 0, 1, true);
    if (!Empty_) {
        Empty_ = true;
        ShowAxisNumbers();
    }
    SetNote(note);
}

QString TStepsPlot::Note() const
{
    return NoteLabel->isHidden() ? QString() : NoteLabel->text();
}

void TStepsPlot::SetNote(const QString& note)
{
    NoteLabel->setText(note);
    NoteLabel->setHidden(note.isEmpty());
}

void TStepsPlot::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        ApplyPalette();
    QWidget::changeEvent(event);
}

void TStepsPlot::ApplyPalette()
{
    const QPalette colours = palette();
    const QColor window = colours.color(QPalette::Window);
    const QColor text = colours.color(QPalette::WindowText);
    const bool dark = window.lightness() < 128;
    QFont labelFont = font();
    labelFont.setPointSizeF(labelFont.pointSizeF() * 0.85);
    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 0.9);

    for (QChart* chart : {StateChart_, FlowChart_}) {
        // The theme gives grid colours that suit a light or dark window; the
        // page shows through the chart's background.
        chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
        chart->setBackgroundVisible(false);
        chart->legend()->hide();
        for (QAbstractAxis* axis : chart->axes()) {
            axis->setLabelsFont(labelFont);
            axis->setTitleFont(titleFont);
            axis->setTitleBrush(text);
        }
    }
    // Each y axis takes the colour of its curve, so that it is clear which
    // scale a curve is read on.
    const std::pair<QLineSeries*, QValueAxis*> pairs[] = {
        {TemperatureSeries, TemperatureAxis},
        {PressureSeries, PressureAxis},
        {QualitySeries, QualityAxis},
        {VelocitySeries, VelocityAxis},
    };
    const QColor hues[] = {QColor(0xd6, 0x27, 0x28), QColor(0x1f, 0x77, 0xb4),
                           QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd)};
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        const QColor colour = Readable(hues[i], text, window);
        QPen pen(colour);
        pen.setWidthF(2);
        pairs[i].first->setPen(pen);
        pairs[i].second->setTitleBrush(colour);
    }
    ShowAxisNumbers();
}

void TStepsPlot::ShowAxisNumbers()
{
    // Empty charts keep their titled axes, but no numbers to read off: the
    // numbers are drawn clear, so that the axes keep their place.
    const QColor clear(Qt::transparent);
    const QColor text = palette().color(QPalette::WindowText);
    for (QValueAxis* axis : {StateLengthAxis, FlowLengthAxis})
        axis->setLabelsBrush(Empty_ ? clear : text);
    const std::pair<QLineSeries*, QValueAxis*> pairs[] = {
        {TemperatureSeries, TemperatureAxis},
        {PressureSeries, PressureAxis},
        {QualitySeries, QualityAxis},
        {VelocitySeries, VelocityAxis},
    };
    for (const auto& [series, axis] : pairs)
        axis->setLabelsBrush(Empty_ ? clear : series->pen().color());
}
