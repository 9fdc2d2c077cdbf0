#include "cli/CaseInput.h"

#include <algorithm>

bool TCaseInput::AnyField() const
{
    return std::any_of(Values.begin(), Values.end(), [](const auto& v) { return v.has_value(); });
}

std::optional<TDesignField> FindCaseField(const std::string& key)
{
    for (const TDesignField field : OutputOrder())
        if (key == DesignFieldLayout(field).Key)
            return field;
    return std::nullopt;
}
