// The chart's layout as numbers: the plot rectangle, the value-to-pixel
// mapping, the label step and texts, the bar width, the row of the
// horizontal axis and, for every series, the pixel geometry to fill or
// stroke. The painter only draws what this computes, so every rule of the
// chart's look is a function of numbers that the tests call directly.
//
// Pixel coordinates are whole pixels, x to the right and y downward, with
// (0, 0) at the chart's top-left corner. A `PixelRect` is half-open: it
// covers the columns left .. left + width - 1 and the rows top .. top +
// height - 1.
//
// The plot rectangle is the exception that the mapping dictates: an axis
// maps its Minimum onto one edge and its Maximum onto the other, and both
// edges are pixels that the series reach. So the plot's left edge is column
// `left`, its right edge column `left + width`; its top edge row `top`, its
// bottom edge row `top + height`. `width` and `height` are the axis lengths
// in pixels (an 880-pixel-wide plot spans 881 columns).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "view/chart.hpp"
#include "view/number_format.hpp"

namespace tarvinel {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] constexpr int right() const noexcept { return left + width; }    // one past
    [[nodiscard]] constexpr int bottom() const noexcept { return top + height; }  // one past
    [[nodiscard]] constexpr bool contains(int x, int y) const noexcept
    {
        return x >= left && x < right() && y >= top && y < bottom();
    }
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

// The fixed look of the chart, in pixels unless said otherwise.
namespace chart_look {
inline constexpr int kMarginSidePercent = 3;  // of the chart's width, left and right
inline constexpr int kMarginEndPercent = 4;   // of the chart's height, top and bottom
inline constexpr int kAxisLineWidth = 2;
inline constexpr int kMajorTickLength = 5;  // outward, at every label
inline constexpr int kMinorTickLength = 1;  // one, midway between two labels
inline constexpr int kLabelGap = 2;         // between a tick's end and its label
inline constexpr double kLabelSeparation = 0.10;  // room kept between labels, share of a label
inline constexpr int kBarWidthPercent = 70;       // of a bar's slot
inline constexpr int kMarkerRadius = 8;           // the inflow marker: a disc 16 across
inline constexpr int kLegendLeft = 325;
inline constexpr int kLegendTop = 1;
inline constexpr int kLegendPadding = 3;
inline constexpr int kLegendSymbolWidth = 20;
inline constexpr int kLegendSymbolGap = 4;    // symbol to title
inline constexpr int kLegendEntryGap = 10;    // title to the next symbol
// How far beyond the clip rectangle a line may run before it is cut: more
// than half the widest pen, so that no cut end ever shows.
inline constexpr int kLineGuard = 4;
}  // namespace chart_look

// The sizes of text in the painter's font, measured by the painting side.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    [[nodiscard]] virtual int textWidth(std::string_view utf8) const = 0;
    [[nodiscard]] virtual int textHeight() const = 0;
};

// The linear map of one axis onto a row or column of pixels: Minimum onto
// `startPx`, Maximum onto `startPx + lengthPx` (or `startPx - lengthPx` for
// an upward axis, whose pixels grow downward). A range of zero width maps
// every value onto the start.
class AxisMapping {
public:
    static constexpr double kFarPixels = 1e9;  // far beyond any screen, far inside int

    AxisMapping() = default;
    AxisMapping(double minimum, double maximum, int startPx, int lengthPx, bool upward) noexcept;

    // The exact position, limited to a billion pixels either way so that no
    // later step overflows; NaN stays NaN. Inline: it runs for every point.
    [[nodiscard]] double position(double value) const noexcept
    {
        const double p = start_ + (value - minimum_) * scale_;
        if (p < -kFarPixels) return -kFarPixels;
        if (p > kFarPixels) return kFarPixels;
        return p;
    }
    // The whole pixel of a value (nearest, halves away from zero).
    [[nodiscard]] int pixel(double value) const noexcept;
    // The value shown at a pixel: the inverse, for the mouse.
    [[nodiscard]] double value(double px) const noexcept;

    [[nodiscard]] double minimum() const noexcept { return minimum_; }
    [[nodiscard]] double maximum() const noexcept { return maximum_; }
    // Pixels per unit: positive for an axis growing right, negative for an
    // upward one, zero for a range of no width.
    [[nodiscard]] double scale() const noexcept { return scale_; }

private:
    double minimum_ = 0;
    double maximum_ = 1;
    double start_ = 0;
    double scale_ = 0;  // pixels per unit, negative for an upward axis
};

// A position in pixels rounded to the nearest whole pixel, halves away
// from zero, and kept well inside the range of int; NaN gives the far left.
// std::round without its library call: this runs for every point of a long
// series. The fraction p - trunc(p) is exact for any double.
[[nodiscard]] inline int wholePixel(double position) noexcept
{
    constexpr double far = AxisMapping::kFarPixels;
    if (!(position > -far)) return static_cast<int>(-far);
    if (!(position < far)) return static_cast<int>(far);
    int whole = static_cast<int>(position);
    const double fraction = position - whole;
    if (fraction >= 0.5)
        ++whole;
    else if (fraction <= -0.5)
        --whole;
    return whole;
}

inline int AxisMapping::pixel(double value) const noexcept { return wholePixel(position(value)); }

// --- Margins and the plot rectangle --------------------------------------

// The room that an axis's line, ticks and labels take outside the plot:
// at the left, for labels `widestLabelPx` wide; at the bottom, for labels
// `labelHeightPx` high.
[[nodiscard]] int leftAxisRoom(int widestLabelPx) noexcept;
[[nodiscard]] int bottomAxisRoom(int labelHeightPx) noexcept;

// The chart less its margins (3 % of the width at each side, 4 % of the
// height at top and bottom) and less the room of the axes.
[[nodiscard]] PixelRect plotRect(int chartWidth, int chartHeight, int leftRoomPx, int bottomRoomPx) noexcept;

// The rectangle the series are clipped to: the plot, both edges included,
// widened by one pixel above and below.
[[nodiscard]] PixelRect seriesClip(PixelRect plot) noexcept;

// The row of the horizontal axis's line: `PositionPercent` of the plot's
// height up from its bottom edge, rounded to a pixel.
[[nodiscard]] int horizontalAxisRow(PixelRect plot, double positionPercent) noexcept;
// The column of the vertical axis's line, the same share of the width to
// the right of the plot's left edge.
[[nodiscard]] int verticalAxisColumn(PixelRect plot, double positionPercent) noexcept;

// --- Labels ----------------------------------------------------------------

// How many labels fit along an axis `axisLengthPx` long when the largest is
// `largestLabelPx` in the axis's direction (its width on the horizontal
// axis, its height on the vertical one), each kept 10 % of its size apart.
[[nodiscard]] int labelsThatFit(int axisLengthPx, int largestLabelPx) noexcept;

// The step between labels: from the axis Increment 1 up through 2, 5, 10,
// 20, 50, ... until the range divided by the step, rounded, is no more than
// the number that fit.
[[nodiscard]] double labelStep(double range, int labelsFit) noexcept;

// The label text of a value, "#,##0.###": thousands grouped with the
// ThousandSeparator, at most three decimals after the DecimalSeparator
// (halves rounded away from zero on the value's 15 significant digits),
// trailing zeros dropped, no "-" on a value that rounds to zero. UTF-8.
[[nodiscard]] std::string formatAxisLabel(double value, const NumberFormat& format);
// The same with the process-wide number format, read at this call.
[[nodiscard]] std::string formatAxisLabel(double value);

struct AxisLabel {
    double value = 0;
    int position = 0;  // the pixel along the axis: a column, or a row
    PixelRect box;     // where the text goes
    std::string text;
};

// One shown axis: its line, the labels with their major ticks, the minor
// ticks between them.
struct AxisGeometry {
    PixelRect line;
    double step = 1;
    std::vector<AxisLabel> labels;
    std::vector<PixelRect> majorTicks;
    std::vector<PixelRect> minorTicks;
};

// --- Bars ------------------------------------------------------------------

// The shared width of the bars. `slotCount` is N: the larger of the bar
// series's point count plus one and every line series's point count;
// `slotWidth` is D, the plot's width divided by N without remainder; `width`
// is W, 70 % of D rounded with ties to even and raised by one when odd.
struct BarWidth {
    std::size_t slotCount = 1;
    int slotWidth = 0;
    int width = 0;
    friend constexpr bool operator==(BarWidth, BarWidth) = default;
};

[[nodiscard]] BarWidth barWidth(int plotWidthPx, std::size_t slotCount) noexcept;
[[nodiscard]] std::size_t barSlots(const Chart& chart) noexcept;

// --- Reduction of long series to what the pixels can show ----------------

// What the caller knows of the order of a series's points. `Ascending`
// promises what `Series::ordered()` tells: x never falls from one point to
// the next and no coordinate is NaN. With a mapping that grows to the
// right, the points of one pixel column are then one stretch of the list,
// which a search finds; the reductions read the other points' y only for
// the least and greatest of the stretch and map just those two, which is
// exact because the mapping is monotonic. `Any` maps every point. Both
// give the same output.
enum class PointOrder { Any, Ascending };

// The bars of a series as filled rectangles. Every bar reaches from the
// row of y = 0 to the row of its y (the upper row included, the lower one
// not) and is `barWidthPx` wide, centred on the column of its x. All bars
// share one colour and every one touches the ground row, so in each column
// their union is one run of rows: the reduction keeps, per column, the top
// and bottom of that run, and merges neighbouring columns with equal runs
// into one rectangle. The output is exact and never holds more rectangles
// than the clip rectangle has columns, however many bars there are.
class BarReducer {
public:
    void reduce(std::span<const ChartPoint> points, const AxisMapping& x, const AxisMapping& y,
                int barWidthPx, PixelRect clip, std::vector<PixelRect>& out, PointOrder order = PointOrder::Any);

private:
    // Bars centred on column `centre`, each reaching from the ground row to
    // its own, whose rows reach from `rowA` to `rowB` (in either order).
    void cover(int centre, int rowA, int rowB);

    PixelRect clip_;
    int ground_ = 0;
    int barWidth_ = 1;
    std::vector<int> top_;
    std::vector<int> bottom_;
};

// The polyline of a line series, in list order, in whole pixels, clipped
// and reduced. Segments are first cut to the clip rectangle widened by
// `kLineGuard` (a stretch entirely outside it is replaced by a path along
// its border, out of sight), then every run of consecutive points in one
// column is reduced to its first point, its top and bottom rows and its
// last point; the top comes first when the first row is not below the last
// one, the bottom otherwise. Inside a column those points are joined by
// vertical segments, so the reduced line covers the same pixels, and it
// holds at most four points per column. Points with a NaN coordinate are
// skipped.
void reducePolyline(std::span<const ChartPoint> points, const AxisMapping& x, const AxisMapping& y,
                    PixelRect clip, std::vector<PixelPoint>& out, PointOrder order = PointOrder::Any);

// --- The whole layout -------------------------------------------------------

// What to draw of one series.
struct SeriesGeometry {
    const Series* series = nullptr;
    std::vector<PixelRect> bars;     // filled, without outline
    std::vector<PixelPoint> line;    // one polyline with the series's pen
    std::vector<PixelPoint> discs;   // centres of the marker discs
};

struct LegendEntry {
    const Series* series = nullptr;
    PixelRect symbol;
    PixelRect text;
};

// The chart's frame: everything but the series.
struct ChartFrame {
    int width = 0;   // the chart's size
    int height = 0;
    PixelRect plot;  // see the top of this header for its edges
    PixelRect clip;
    AxisMapping x;
    AxisMapping y;
    int axisRow = 0;     // row of the horizontal axis's line
    int axisColumn = 0;  // column of the vertical axis's line
    AxisGeometry bottomAxis;
    AxisGeometry leftAxis;
    BarWidth bars;
    PixelRect legendBox;
    std::vector<LegendEntry> legend;
};

// The layout of one chart, recomputed before every paint. It keeps its
// buffers from one paint to the next, so that a paint allocates nothing
// once the series have reached their usual length.
class ChartLayout {
public:
    // The frame alone: enough for the mouse, which needs the mapping.
    void updateFrame(const Chart& chart, int width, int height, const TextMetrics& metrics);
    // The frame and every series.
    void update(const Chart& chart, int width, int height, const TextMetrics& metrics);

    [[nodiscard]] const ChartFrame& frame() const noexcept { return frame_; }
    [[nodiscard]] std::span<const SeriesGeometry> series() const noexcept { return series_; }

private:
    void labelAxis(AxisGeometry& axis, const Axis& source, const AxisMapping& map, int lengthPx, int largestLabelPx,
                   const TextMetrics& metrics);
    void placeAxis(AxisGeometry& axis, bool horizontal);
    void layoutLegend(const Chart& chart, const TextMetrics& metrics);

    ChartFrame frame_;
    std::vector<SeriesGeometry> series_;
    BarReducer barReducer_;
};

}  // namespace tarvinel
