// The coupling of related fields: leaving a changed field sets off what its
// layout says (a pressure follows its temperature or the other way round, the
// refrigerating effect is found again, the duty follows the mass flow or the
// mass flow the duty).
#include "app/FieldEdit.h"
#include "app/MainForm.h"
#include "services/UserFeedback.h"
#include "sizing/CaseRules.h"
#include "sizing/RefrigEffect.h"
#include "sizing/SolveTexts.h"

#include <QLabel>
#include <stdexcept>

namespace {

// The duty: the one field whose change moves the mass flow, its partner.
const TDesignFieldLayout& DutyLayout()
{
    static const TDesignFieldLayout& duty = []() -> const TDesignFieldLayout& {
        for (const TDesignFieldLayout& layout : DesignFieldLayouts)
            if (layout.Coupling == TFieldCoupling::MassFlowOfDuty)
                return layout;
        throw std::logic_error("no design field couples the mass flow to the duty");
    }();
    return duty;
}

} // namespace

void TMainForm::ConnectExits()
{
    for (const TDesignFieldLayout& layout : DesignFieldLayouts) {
        if (layout.Coupling == TFieldCoupling::None)
            continue;
        const TDesignField field = layout.Field;
        connect(Edits[field], &NqCustomEdit::Exited, this, [this, field] {
            if (!Closed_)
                Guarded(this, [this, field] { FieldExit(field); });
        });
    }
}

void TMainForm::FieldExit(TDesignField field)
{
    if (!Edits[field]->Modified())
        return;
    const TDesignFieldLayout& layout = DesignFieldLayout(field);
    switch (layout.Coupling) {
    case TFieldCoupling::None:
        return;
    case TFieldCoupling::Effect:
        UpdateRefrigEffect();
        return;
    case TFieldCoupling::SaturationPressure:
        PressureFromTemperature(layout.Partner, field);
        break;
    case TFieldCoupling::SaturationTemperature:
        TemperatureFromPressure(layout.Partner, field);
        break;
    case TFieldCoupling::EffectAndDuty:
        break;
    case TFieldCoupling::MassFlowOfDuty:
        UpdateRefrigEffect();
        MassFlowFromDuty();
        return;
    }
    UpdateRefrigEffect();
    DutyFromMassFlow();
}

double TMainForm::Number(TDesignField field) const
{
    return EditCaseValue(Edits[field]).Number();
}

double TMainForm::Effect() const
{
    return Results.RefrigEffect.value_or(0);
}

void TMainForm::PressureFromTemperature(TDesignField pressure, TDesignField temperature)
{
    Edits[pressure]->SetValue(PressureOfTemperature(Lib_, Number(temperature)));
}

void TMainForm::TemperatureFromPressure(TDesignField temperature, TDesignField pressure)
{
    Edits[temperature]->SetValue(TemperatureOfPressure(Lib_, Number(pressure)));
}

void TMainForm::PressuresFromTemperatures()
{
    for (const TDesignFieldLayout& layout : DesignFieldLayouts)
        if (layout.Coupling == TFieldCoupling::SaturationPressure)
            PressureFromTemperature(layout.Partner, layout.Field);
}

void TMainForm::DutyFromMassFlow()
{
    const TDesignFieldLayout& duty = DutyLayout();
    Edits[duty.Field]->SetValue(DutyOfMassFlow(Number(duty.Partner), Effect()));
}

void TMainForm::MassFlowFromDuty()
{
    const TDesignFieldLayout& duty = DutyLayout();
    Edits[duty.Partner]->SetValue(MassFlowOfDuty(Number(duty.Field), Effect()));
}

void TMainForm::UpdateRefrigEffect()
{
    Results.RefrigEffect = RefrigeratingEffect(Lib_, DesignCase());
    EffectLabel->setText(QString::fromStdString(RefrigEffectText(*Results.RefrigEffect)));
    SetSolved(false);
}
