#pragma once

#include "sizing/SizingMethod.h"

#include <array>
#include <QGroupBox>

class QLabel;

// The "Capillary length" box of the Data Entry page: one label per sizing
// method, in the methods' shown order, each named and first worded as its
// entry says.
class TMethodResultsBox : public QGroupBox {
    Q_OBJECT

public:
    explicit TMethodResultsBox(QWidget* parent = nullptr);

    // The method's label of a length it found.
    void ShowLength(TSizingMethod method, double length);
    // Every label back to its first words: no length is shown.
    void ShowNone();

    // By TSizingMethod.
    std::array<QLabel*, SizingMethodCount> Labels{};
};
