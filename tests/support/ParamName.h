#pragma once

#include <gtest/gtest.h>
#include <string>

// Names the cases of a parameterised table after their Name member.
struct TParamName {
    template <typename T>
    std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.Name;
    }
};
