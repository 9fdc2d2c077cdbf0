#pragma once

#include <string>
#include <variant>

// One value of the design case as its edit gives it: a number in the field's
// storage unit, or the text of the field when that text is not a number.
class TCaseValue {
public:
    TCaseValue(double value = 0) : Value(value) {}
    TCaseValue(std::string text) : Value(std::move(text)) {}
    TCaseValue(const char* text) : Value(std::string(text)) {}

    // The number; a text is converted at this moment and raises EConvertError
    // when it is not a number.
    double Number() const;
    bool IsText() const { return std::holds_alternative<std::string>(Value); }
    // Holds the number from now on. Built in place: assigning a whole new
    // value moves a second variant in, on which GCC 12 warns falsely at -O2.
    void SetNumber(double value) { Value.emplace<double>(value); }

private:
    std::variant<double, std::string> Value;
};

// The design case, each field in its storage unit: temperatures °C, sub-cooling
// and superheat K, pressures and pressure drops kPa, duty kW, mass flow kg/s,
// tube bore mm.
struct TDesignCase {
    TCaseValue tc = 40.0;      // condensing temperature
    TCaseValue te = 5.0;       // evaporating temperature
    TCaseValue pc = 1500.0;    // condensing pressure
    TCaseValue pe = 600.0;     // evaporating pressure
    TCaseValue sc = 5.0;       // liquid sub-cooling
    TCaseValue sh = 7.5;       // suction superheat
    TCaseValue Qe = 1.63;      // circuit duty
    TCaseValue mr = 0.01;      // refrigerant mass flow
    TCaseValue dp = 30.0;      // pressure drop of the fittings ahead of the tube
    TCaseValue dpEvap = 140.0; // pressure drop of the evaporator coil
    TCaseValue id = 1.63;      // measured inside diameter of the tube
};
