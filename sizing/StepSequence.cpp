#include "sizing/StepSequence.h"

#include "sizing/StepFriction.h"

namespace {

// The next step's outlet worked out ahead of its turn; empty when that
// raises, so that the next step raises it in its turn.
std::optional<TStepOutlet> OutletAhead(const TRefrigLib& lib, double G, double D,
                                       const TStepOutlet& inlet)
{
    try {
        return StepOutlet(lib, G, D, inlet.t2, inlet.h2, inlet.V2);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

TStepSequence::TStepSequence(const TRefrigLib& lib, double massFlux, double bore, double tEnd,
                             double t1, double h1, double v1)
    : Lib(lib), G(massFlux), D(bore), TEnd(tEnd), T1(t1), H1(h1), V1(v1)
{
}

TStepAhead TStepSequence::Next()
{
    const TStepOutlet outlet = Ahead ? *Ahead : StepOutlet(Lib, G, D, T1, H1, V1);
    const bool frictionKnown = AheadFrictionKnown;
    const double knownFriction = AheadFriction;
    Ahead.reset();
    AheadFrictionKnown = false;

    double friction;
    if (frictionKnown) {
        friction = knownFriction;
    } else {
        if (!(outlet.t2 < TEnd))
            Ahead = OutletAhead(Lib, G, D, outlet);
        if (Ahead) {
            const auto pair = StepFrictionPair(outlet.Re2, Ahead->Re2, D);
            friction = pair.first;
            AheadFrictionKnown = pair.second.has_value();
            AheadFriction = pair.second.value_or(0.0);
        } else {
            friction = StepFriction(outlet.Re2, D);
        }
    }

    T1 = outlet.t2;
    H1 = outlet.h2;
    V1 = outlet.V2;
    return {outlet, friction};
}
