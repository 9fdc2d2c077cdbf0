#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

// Refrigerating effect in kJ/kg: enthalpy of the vapour leaving the evaporator
// at te + sh less that of the liquid entering the tube at tc − sc.
double RefrigeratingEffect(const TRefrigLib& lib, const TDesignCase& designCase);
