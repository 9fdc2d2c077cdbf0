#pragma once

#include <stdexcept>
#include <string>

// Every error the program raises derives from EVelloxError and carries the
// message that is shown to the user.
class EVelloxError : public std::runtime_error {
public:
    explicit EVelloxError(const std::string& message) : std::runtime_error(message) {}
};

// Arithmetic faults, raised at the operation that faults.
class EMathError : public EVelloxError {
public:
    using EVelloxError::EVelloxError;
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

class EOverflow : public EMathError {
public:
    EOverflow();
};

// A text that is not a number (or not an integer).
class EConvertError : public EVelloxError {
public:
    using EVelloxError::EVelloxError;
};

// A list read at a position it does not have.
class EListError : public EVelloxError {
public:
    using EVelloxError::EVelloxError;
    static EListError IndexOutOfBounds(long long index);
};
