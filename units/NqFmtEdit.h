#pragma once

#include "units/NqCustomEdit.h"

// The numeric edit as windows use it, with its settings as properties in the
// order a window description sets them (the text last).
class TFmtEdit : public NqCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString FormatStr READ FormatStr WRITE SetFormatStr)
    Q_PROPERTY(int FormatType READ FormatTypeValue WRITE SetFormatTypeValue)
    Q_PROPERTY(int SigDigs READ SigDigs WRITE SetSigDigs)
    Q_PROPERTY(int UnitsType READ UnitsTypeValue WRITE SetUnitsTypeValue)
    Q_PROPERTY(int UnitsBase READ UnitsBase WRITE SetUnitsBase)
    Q_PROPERTY(QLabel* UnitsLabel READ UnitsLabel WRITE SetUnitsLabel)
    Q_PROPERTY(int UnitsValue READ UnitsValue WRITE SetUnitsValue)
    Q_PROPERTY(double RangeHi READ RangeHi WRITE SetRangeHi)
    Q_PROPERTY(double RangeLo READ RangeLo WRITE SetRangeLo)
    Q_PROPERTY(QString Text READ text WRITE SetText)

public:
    using NqCustomEdit::NqCustomEdit;

    // Everything a window description gives an edit.
    struct TSetup {
        QString FormatStr = "%0.1f";
        TFormatType FormatType = ft_Fixed;
        int SigDigs = 5;
        TUnitsType UnitsType = utNone;
        int UnitsBase = 0;
        QLabel* UnitsLabel = nullptr;
        int UnitsValue = 0;
        double RangeHi = 0;
        double RangeLo = 0;
        QString Text;
    };
    // Sets the properties in their declared order, as loading a window does.
    void Load(const TSetup& setup);

private:
    int FormatTypeValue() const { return FormatType(); }
    void SetFormatTypeValue(int type) { SetFormatType(static_cast<TFormatType>(type)); }
    int UnitsTypeValue() const { return UnitsType(); }
    void SetUnitsTypeValue(int kind) { SetUnitsType(static_cast<TUnitsType>(kind)); }
};
