#include "cli/CaseInput.h"

namespace {

// The fields in the order of the options and batch columns, after the
// refrigerant.
constexpr TDesignField Fields[CaseKeyCount - 1] = {dfTc, dfTe, dfPc, dfPe,     dfSc, dfSh,
                                                   dfMr, dfQe, dfDp, dfDpEvap, dfId};

} // namespace

TDesignField CaseKeyField(TCaseKey key)
{
    if (key == ckRefrigerant)
        throw std::logic_error("the refrigerant is no design field");
    return Fields[key - 1];
}

const char* CaseKeyName(TCaseKey key)
{
    return key == ckRefrigerant ? "refrigerant" : DesignFieldLayout(CaseKeyField(key)).Key;
}

std::optional<TCaseKey> FindCaseKey(const std::string& name)
{
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        if (name == CaseKeyName(static_cast<TCaseKey>(i)))
            return static_cast<TCaseKey>(i);
    return std::nullopt;
}
