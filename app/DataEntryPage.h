#pragma once

#include "sizing/DesignFields.h"
#include "units/NqFmtEdit.h"

#include <array>
#include <QWidget>

class TMethodResultsBox;
class TSpinButton;

// The Data Entry page: the design case's fields on a grid, each at the row
// and column of its layout with its caption, unit label and tab stop; the
// spin arrows beside the tube bore; and below, the lengths the sizing
// methods found.
class TDataEntryPage : public QWidget {
    Q_OBJECT

public:
    explicit TDataEntryPage(QWidget* parent = nullptr);

    // By TDesignField; null for a field on another page.
    std::array<TFmtEdit*, DesignFieldCount> Edits{};
    // Steps the tube bore up and down by 1 %.
    TSpinButton* SpinButton1;
    TMethodResultsBox* ResultsBox;
};
