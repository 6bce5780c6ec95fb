// The chart's data: a side view of the field run, four series over two axes.
//
// The model only writes to the chart through the operations below; the
// painted widget reads it. Every change marks the chart for repainting, and
// the marks of one handler lead to one repaint after it returns: the first
// mark after a repaint calls the repaint listener once, the others do
// nothing until the painter calls `repainted()`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tarvinel {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct ChartPoint {
    double x = 0;
    double y = 0;
};

class Chart;

enum class SeriesStyle {
    Bars,    // filled bars from y = 0, without outline
    Line,    // straight segments in list order
    Dotted,  // as Line, with a dotted pen
    Marker,  // a filled disc at each point
};

class Series {
public:
    Series(Chart& chart, std::string title, SeriesStyle style, Rgb colour, int penWidth);
    Series(const Series&) = delete;
    Series& operator=(const Series&) = delete;

    // Adds (x, y) after the last point whose x is less than or equal to x, so
    // that the list stays in ascending x and, among equal x, the newest comes
    // last. Returns the new point's index. An ascending append costs constant
    // time; an x below the last point's searches backward from the end. The
    // storage grows geometrically, never point by point, and `Clear` keeps
    // it, so the refill of every tick allocates nothing.
    std::size_t AddXY(double x, double y);
    // Removes every point; the storage is kept for the next fill.
    void Clear();
    // XValue[i] := x and YValue[i] := y: replace one coordinate of point i in
    // place, without re-sorting. i must name an existing point.
    void setXValue(std::size_t i, double x);
    void setYValue(std::size_t i, double y);

    [[nodiscard]] std::span<const ChartPoint> points() const noexcept { return points_; }
    [[nodiscard]] std::size_t Count() const noexcept { return points_.size(); }
    // Whether, as far as the operations so far tell, x never falls from one
    // point to the next and no coordinate is NaN. `AddXY` keeps this true,
    // a point placed out of order by `setXValue` or a NaN makes it false,
    // and `Clear` makes it true again. The painter relies on it to find the
    // points of each pixel column by search instead of visiting them all.
    [[nodiscard]] bool ordered() const noexcept { return ordered_; }
    [[nodiscard]] const std::string& title() const noexcept { return title_; }
    [[nodiscard]] SeriesStyle style() const noexcept { return style_; }
    [[nodiscard]] Rgb colour() const noexcept { return colour_; }
    [[nodiscard]] int penWidth() const noexcept { return penWidth_; }

private:
    Chart& chart_;
    std::string title_;
    SeriesStyle style_;
    Rgb colour_;
    int penWidth_;
    std::vector<ChartPoint> points_;
    bool ordered_ = true;
};

class Axis {
public:
    Axis(Chart& chart, double minimum, double maximum, double positionPercent);
    Axis(const Axis&) = delete;
    Axis& operator=(const Axis&) = delete;

    // Maximum := v, refused with AxisException when v < Minimum.
    void setMaximum(double v);
    // Minimum := v, refused with AxisException when v > Maximum.
    void setMinimum(double v);
    // Moves a horizontal axis up from the plot's bottom edge by this share of
    // the plot's height, in per cent.
    void setPositionPercent(double p);
    // Both ends at once, unchecked but ordered: the mouse zoom and scroll.
    void setRange(double minimum, double maximum);

    [[nodiscard]] double Minimum() const noexcept { return minimum_; }
    [[nodiscard]] double Maximum() const noexcept { return maximum_; }
    [[nodiscard]] double PositionPercent() const noexcept { return positionPercent_; }

private:
    Chart& chart_;
    double minimum_;
    double maximum_;
    double positionPercent_;
};

class Chart {
public:
    Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    // The legend's order is the drawing order.
    Series Series1;  // surface water along the run, bars
    Series Series2;  // infiltrated depth, below the ground line
    Series Series3;  // required depth, two points
    Series Series4;  // inflow marker, one point

    Axis BottomAxis;  // distance from the head of the run, m
    Axis LeftAxis;    // mm; ground line at 0

    [[nodiscard]] std::span<Series* const> series() noexcept { return all_; }
    [[nodiscard]] std::span<const Series* const> series() const noexcept { return allConst_; }

    // Called once at the first change after a repaint.
    void setRepaintListener(std::function<void()> listener) { listener_ = std::move(listener); }
    [[nodiscard]] bool needsRepaint() const noexcept { return needsRepaint_; }
    // The painter has drawn the current state.
    void repainted() noexcept { needsRepaint_ = false; }

    void markChanged();

private:
    std::function<void()> listener_;
    bool needsRepaint_ = true;  // a new chart has never been painted
    std::vector<Series*> all_;
    std::vector<const Series*> allConst_;
};

}  // namespace tarvinel
