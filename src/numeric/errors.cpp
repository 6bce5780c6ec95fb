#include "numeric/errors.hpp"

namespace tarvinel {

std::string_view kindName(ErrorKind kind) noexcept
{
    switch (kind) {
    case ErrorKind::EConvertError: return "EConvertError";
    case ErrorKind::EInvalidOp: return "EInvalidOp";
    case ErrorKind::EZeroDivide: return "EZeroDivide";
    case ErrorKind::EOverflow: return "EOverflow";
    case ErrorKind::AxisException: return "AxisException";
    case ErrorKind::EOutOfResources: return "EOutOfResources";
    case ErrorKind::ELimitExceeded: return "ELimitExceeded";
    }
    return "Error";
}

void raiseInvalidOp() { throw Error(ErrorKind::EInvalidOp, std::string(kInvalidOpMessage)); }
void raiseZeroDivide() { throw Error(ErrorKind::EZeroDivide, std::string(kZeroDivideMessage)); }
void raiseOverflow() { throw Error(ErrorKind::EOverflow, std::string(kOverflowMessage)); }

}  // namespace tarvinel
