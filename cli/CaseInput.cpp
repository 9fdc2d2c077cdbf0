#include "cli/CaseInput.h"

namespace {

constexpr const char* Names[CaseKeyCount] = {"refrigerant", "tc", "te",   "pc",  "pe",  "sc",
                                             "sh",          "mr", "duty", "dpl", "dpe", "id"};

} // namespace

const char* CaseKeyName(TCaseKey key)
{
    return Names[key];
}

std::optional<TCaseKey> FindCaseKey(const std::string& name)
{
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        if (name == Names[i])
            return static_cast<TCaseKey>(i);
    return std::nullopt;
}
