#include "view/chart.hpp"

#include <cmath>
#include <utility>

#include "numeric/errors.hpp"

namespace tarvinel {

Series::Series(Chart& chart, std::string title, SeriesStyle style, Rgb colour, int penWidth)
    : chart_(chart), title_(std::move(title)), style_(style), colour_(colour), penWidth_(penWidth)
{
}

std::size_t Series::AddXY(double x, double y)
{
    std::size_t at = points_.size();
    while (at > 0 && points_[at - 1].x > x) --at;
    points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(at), ChartPoint{x, y});
    // The search leaves a number x between its neighbours; a NaN x has no
    // place in the order (every comparison with it fails).
    if (std::isnan(x) || std::isnan(y)) ordered_ = false;
    chart_.markChanged();
    return at;
}

void Series::Clear()
{
    points_.clear();
    ordered_ = true;
    chart_.markChanged();
}

void Series::setXValue(std::size_t i, double x)
{
    points_.at(i).x = x;
    const bool afterPrevious = i == 0 || points_[i - 1].x <= x;
    const bool beforeNext = i + 1 == points_.size() || x <= points_[i + 1].x;
    if (std::isnan(x) || !afterPrevious || !beforeNext) ordered_ = false;
    chart_.markChanged();
}

void Series::setYValue(std::size_t i, double y)
{
    points_.at(i).y = y;
    if (std::isnan(y)) ordered_ = false;
    chart_.markChanged();
}

Axis::Axis(Chart& chart, double minimum, double maximum, double positionPercent)
    : chart_(chart), minimum_(minimum), maximum_(maximum), positionPercent_(positionPercent)
{
}

void Axis::setMaximum(double v)
{
    if (v == maximum_) return;
    if (v < minimum_) throw Error(ErrorKind::AxisException, "Axis Maximum Value must be >= Minimum");
    maximum_ = v;
    chart_.markChanged();
}

void Axis::setMinimum(double v)
{
    if (v == minimum_) return;
    if (v > maximum_) throw Error(ErrorKind::AxisException, "Axis Minimum Value must be <= Maximum");
    minimum_ = v;
    chart_.markChanged();
}

void Axis::setPositionPercent(double p)
{
    if (p == positionPercent_) return;
    positionPercent_ = p;
    chart_.markChanged();
}

void Axis::setRange(double minimum, double maximum)
{
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == minimum_ && maximum == maximum_) return;
    minimum_ = minimum;
    maximum_ = maximum;
    chart_.markChanged();
}

// The chart palette's first two colours for the bars and the depth line.
Chart::Chart()
    : Series1(*this, "água no sulco", SeriesStyle::Bars, Rgb{68, 102, 163}, 0),
      Series2(*this, "água infiltrada", SeriesStyle::Line, Rgb{243, 156, 53}, 3),
      Series3(*this, "lâmina requerida", SeriesStyle::Dotted, Rgb{0, 128, 0}, 3),
      Series4(*this, "irrigação", SeriesStyle::Marker, Rgb{0, 64, 128}, 1),
      BottomAxis(*this, 0.0, 24.0, 50.0),
      LeftAxis(*this, -45.0, 5.0, 0.0),
      all_{&Series1, &Series2, &Series3, &Series4},
      allConst_{&Series1, &Series2, &Series3, &Series4}
{
}

void Chart::markChanged()
{
    if (needsRepaint_) return;
    needsRepaint_ = true;
    if (listener_) listener_();
}

}  // namespace tarvinel
