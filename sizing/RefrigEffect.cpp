#include "sizing/RefrigEffect.h"

#include "common/CheckedMath.h"
#include "common/UnitConversions.h"

double RefrigeratingEffect(const TRefrigLib& lib, const TDesignCase& designCase)
{
    const double te = designCase.te.Number();
    const double sh = designCase.sh.Number();
    const double tc = designCase.tc.Number();
    const double sc = designCase.sc.Number();
    const Extended vapour = lib.SuperheatEnthalpy(te, te + sh);
    const Extended liquid = lib.LiquidEnthalpy(tc - sc);
    return Checked::ToDouble(JoulesToKilojoules(vapour - liquid));
}
