#pragma once

#include "sizing/DesignFields.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

// The inputs of one design case as given on the command line or in a batch
// row: each one optional, as text.
enum TCaseKey {
    ckRefrigerant,
    ckTc,
    ckTe,
    ckPc,
    ckPe,
    ckSc,
    ckSh,
    ckMr,
    ckDuty,
    ckDpl,
    ckDpe,
    ckId
};

constexpr std::size_t CaseKeyCount = 12;

// "refrigerant", then the keys of the design fields: as used for options
// (with "--") and batch columns.
const char* CaseKeyName(TCaseKey key);
// The design field a key gives (the refrigerant is none).
TDesignField CaseKeyField(TCaseKey key);
std::optional<TCaseKey> FindCaseKey(const std::string& name);

struct TCaseInput {
    std::array<std::optional<std::string>, CaseKeyCount> Values;

    std::optional<std::string>& operator[](TCaseKey key) { return Values[key]; }
    const std::optional<std::string>& operator[](TCaseKey key) const { return Values[key]; }
};

// Input the tool refuses: a value that is not a number, outside its field's
// range, an unknown refrigerant, or options that contradict each other.
class EBadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
