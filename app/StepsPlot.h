#pragma once

#include "sizing/Stoecker.h"

#include <QWidget>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QValueAxis;

// The stepwise simulation drawn along the tube: saturation temperature and
// pressure against length on one chart (two y axes), quality and velocity
// against length on a second. One point per row of the steps table, at the
// tube length after that step. A note above the charts says why they are
// empty, or what to know about the curves (choked flow, a fault part way).
class TStepsPlot : public QWidget {
    Q_OBJECT

public:
    explicit TStepsPlot(QWidget* parent = nullptr);

    // Draws the steps; an empty note hides the note line.
    void ShowSteps(const std::vector<TStoeckerStep>& steps, const QString& note = QString());
    // No curves; the note says why.
    void ShowEmpty(const QString& note);
    QString Note() const;

    QChartView* StateView;
    QChartView* FlowView;
    QLineSeries* TemperatureSeries;
    QLineSeries* PressureSeries;
    QLineSeries* QualitySeries;
    QLineSeries* VelocitySeries;
    QValueAxis* StateLengthAxis;
    QValueAxis* TemperatureAxis;
    QValueAxis* PressureAxis;
    QValueAxis* FlowLengthAxis;
    QValueAxis* QualityAxis;
    QValueAxis* VelocityAxis;
    QLabel* NoteLabel;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Theme, fonts and curve colours from the palette.
    void ApplyPalette();
    void ShowAxisNumbers();
    void SetNote(const QString& note);

    QChart* StateChart_;
    QChart* FlowChart_;
    bool Empty_ = true; // no curves: the axes show no numbers
};
