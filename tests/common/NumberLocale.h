#pragma once

#include <clocale>
#include <gtest/gtest.h>
#include <locale>
#include <string>

// Number text must never follow the user's locale. Tests derived from this
// fixture run once under "C" and once under a decimal-comma locale, where the C
// library and the standard library would write and read "1,5".
class TNumberLocaleTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        const std::string name = GetParam();
        ASSERT_NE(std::setlocale(LC_ALL, name.c_str()), nullptr)
            << "locale " << name << " is not installed (the set-up script generates it)";
        std::locale::global(std::locale(name));
        if (name != "C") {
            ASSERT_STREQ(std::localeconv()->decimal_point, ",")
                << "locale " << name << " does not use a decimal comma";
        }
    }

    void TearDown() override
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
};

inline std::string NumberLocaleName(const ::testing::TestParamInfo<std::string>& info)
{
    return info.param == "C" ? "C" : "DecimalComma";
}

#define VELLOX_NUMBER_LOCALES(Suite)                                                               \
    INSTANTIATE_TEST_SUITE_P(Locales, Suite, ::testing::Values("C", "de_DE.UTF-8"),                \
                             NumberLocaleName)
