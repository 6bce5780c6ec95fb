// The user's number format: the one process-wide record of the two
// separators that matter. The conversions and the chart's axis labels read
// it at every call; nothing keeps a copy. The program start fills it from
// the user's regional settings and fills it again when they change.
#pragma once

namespace tarvinel {

struct NumberFormat {
    char32_t DecimalSeparator = U'.';   // the only decimal mark read and written
    char32_t ThousandSeparator = U',';  // grouping in the axis labels only
};

// The process-wide record.
NumberFormat& numberFormat() noexcept;

}  // namespace tarvinel
