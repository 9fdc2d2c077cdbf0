#include "common/Errors.h"

EZeroDivide::EZeroDivide() : EMathError("Floating point division by zero") {}

EInvalidOp::EInvalidOp() : EMathError("Invalid floating point operation") {}

EOverflow::EOverflow() : EMathError("Floating point overflow") {}

EListError EListError::IndexOutOfBounds(long long index)
{
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}
