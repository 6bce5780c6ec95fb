#include "view/number_format.hpp"

namespace tarvinel {

NumberFormat& numberFormat() noexcept
{
    static NumberFormat format;
    return format;
}

}  // namespace tarvinel
