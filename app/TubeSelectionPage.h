#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/Rating.h"
#include "sizing/SizingMethod.h"
#include "units/NqFmtEdit.h"

#include <array>
#include <QWidget>

class QLabel;
class QPushButton;
class TSelectionTable;

// The Tube Selection page: the flow a tube of a given length passes by each
// method, and the standard bores side by side at the design case's mass flow.
class TTubeSelectionPage : public QWidget {
    Q_OBJECT

public:
    explicit TTubeSelectionPage(QWidget* parent = nullptr);

    // A rating by each method of the tube of `length` (m) with the design
    // case's `bore` (mm, 0 when it is not known), in the units the bore,
    // mass flow and duty edits show.
    void ShowRatings(const std::array<TRating, SizingMethodCount>& ratings, double length,
                     double bore, const TFmtEdit* boreEdit, const TFmtEdit* massFlowEdit,
                     const TFmtEdit* dutyEdit);
    // The standard bores of the design case, its own bore the current row,
    // the mass flow as its edit shows it. Nothing escapes: a fault is said in
    // the caption.
    void ShowSelection(const TRefrigLib& lib, const TDesignCase& designCase,
                       const TFmtEdit* massFlowEdit);

    TFmtEdit* LengthEdit; // the tube to rate, m
    QPushButton* RateButton;
    QLabel* RatingCaption;
    // By TSizingMethod: rated mass flow, duty, and "choked" or why the method
    // could not rate the tube.
    std::array<QLabel*, SizingMethodCount> RatedFlowLabels{};
    std::array<QLabel*, SizingMethodCount> RatedDutyLabels{};
    std::array<QLabel*, SizingMethodCount> RatedNoteLabels{};
    QLabel* SelectionCaption;
    TSelectionTable* SelectionTable1;
};
