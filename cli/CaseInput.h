#pragma once

#include "sizing/DesignFields.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

// The inputs of one design case as given on the command line or in a batch
// row: the refrigerant's name and each field of the case, each one optional,
// as text.
struct TCaseInput {
    std::optional<std::string> Refrigerant;
    std::array<std::optional<std::string>, CaseFieldCount> Values; // by TDesignField

    std::optional<std::string>& operator[](TDesignField field) { return Values[field]; }
    const std::optional<std::string>& operator[](TDesignField field) const { return Values[field]; }
    bool AnyField() const;
};

// The name of the refrigerant's option and batch column.
inline constexpr const char* RefrigerantKey = "refrigerant";

// The case field an option or batch column names by its key ("tc", "duty").
std::optional<TDesignField> FindCaseField(const std::string& key);

// Input the tool refuses: a value that is not a number, outside its field's
// range, an unknown refrigerant, or options that contradict each other.
class EBadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
