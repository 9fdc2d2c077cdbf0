#include "sizing/RatingFields.h"

// Mass flow, duty and bore are shown as their design-case fields show them;
// lengths as the window shows a sized length, to the millimetre.
const std::array<TResultField, 4> RatingFields = {{
    {"massFlow", "Mass Flow", utMassFlow, "%0.3f", ft_AutoOverride, 5},
    {"duty", "Duty", utDutyPrim, "%0.3f", ft_AutoOverride, 7},
    {"choked", "Choked", utNone, "%s", ft_Fixed, 0},
    {"message", "Not rated because", utNone, "%s", ft_Fixed, 0},
}};

const std::array<TResultField, 3> SelectionFields = {{
    {"bore", "Bore", utLengthSmall, "%0.4f", ft_Fixed, 5},
    {"length", "Length", utLengthPrim, "%0.3f", ft_Fixed, 5},
    {"spread", "Spread", utNone, "%0.3f", ft_Fixed, 3},
}};
