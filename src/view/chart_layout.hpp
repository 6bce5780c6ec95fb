// The chart's layout as numbers: plot rectangle, value-to-pixel mapping,
// label step, bar width, row of the horizontal axis.
#pragma once
