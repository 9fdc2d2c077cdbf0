#include "units/NqFmtEdit.h"

void TFmtEdit::Load(const TSetup& setup)
{
    SetFormatStr(setup.FormatStr);
    SetFormatType(setup.FormatType);
    SetSigDigs(setup.SigDigs);
    SetUnitsType(setup.UnitsType);
    SetUnitsBase(setup.UnitsBase);
    SetUnitsLabel(setup.UnitsLabel);
    SetUnitsValue(setup.UnitsValue);
    SetRangeHi(setup.RangeHi);
    SetRangeLo(setup.RangeLo);
    SetText(setup.Text);
}
