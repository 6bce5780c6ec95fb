#include "view/chart_layout.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace tarvinel {

namespace {

using namespace chart_look;

bool isNaN(double v) noexcept { return v != v; }

PointOrder orderOf(const Series& s) noexcept { return s.ordered() ? PointOrder::Ascending : PointOrder::Any; }

void appendUtf8(std::string& out, char32_t c)
{
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (u < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (u >> 18)));
        out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

}  // namespace

// --- Mapping ------------------------------------------------------------------

AxisMapping::AxisMapping(double minimum, double maximum, int startPx, int lengthPx, bool upward) noexcept
    : minimum_(minimum), maximum_(maximum), start_(startPx)
{
    const double range = maximum - minimum;
    if (range > 0 && std::isfinite(range)) {
        scale_ = static_cast<double>(lengthPx) / range;
        if (upward) scale_ = -scale_;
    }
}

double AxisMapping::value(double px) const noexcept
{
    if (scale_ == 0) return minimum_;
    return minimum_ + (px - start_) / scale_;
}

// --- Margins and the plot rectangle --------------------------------------------

// Left of the plot's edge column: the line's second column, the major
// ticks, the gap and the labels.
int leftAxisRoom(int widestLabelPx) noexcept
{
    return (kAxisLineWidth - 1) + kMajorTickLength + kLabelGap + std::max(widestLabelPx, 0);
}

// Below the plot's edge row, for the horizontal axis standing on that edge:
// the same parts, the labels hanging below the ticks.
int bottomAxisRoom(int labelHeightPx) noexcept
{
    return (kAxisLineWidth - 1) + kMajorTickLength + kLabelGap + std::max(labelHeightPx, 0);
}

PixelRect plotRect(int chartWidth, int chartHeight, int leftRoomPx, int bottomRoomPx) noexcept
{
    // Integer shares of the chart's size.
    const int side = chartWidth * kMarginSidePercent / 100;
    const int end = chartHeight * kMarginEndPercent / 100;
    const int left = side + leftRoomPx;
    const int right = chartWidth - side - 1;
    const int top = end;
    const int bottom = chartHeight - end - 1 - bottomRoomPx;
    return PixelRect{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

PixelRect seriesClip(PixelRect plot) noexcept
{
    return PixelRect{plot.left, plot.top - 1, plot.width + 1, plot.height + 3};
}

int horizontalAxisRow(PixelRect plot, double positionPercent) noexcept
{
    return wholePixel(plot.bottom() - positionPercent / 100 * plot.height);
}

int verticalAxisColumn(PixelRect plot, double positionPercent) noexcept
{
    return wholePixel(plot.left + positionPercent / 100 * plot.width);
}

// --- Labels -----------------------------------------------------------------------

int labelsThatFit(int axisLengthPx, int largestLabelPx) noexcept
{
    const double size = std::max(largestLabelPx, 1);
    return static_cast<int>(std::round(std::max(axisLengthPx, 0) / (size + size * kLabelSeparation)));
}

double labelStep(double range, int labelsFit) noexcept
{
    static constexpr std::array<double, 3> kMantissas{1, 2, 5};
    double decade = 1;
    std::size_t m = 0;
    double step = 1;
    // A step of infinity ends the loop for any finite range.
    while (std::round(range / step) > labelsFit && std::isfinite(step)) {
        if (++m == kMantissas.size()) {
            m = 0;
            decade *= 10;
        }
        step = kMantissas[m] * decade;
    }
    return step;
}

std::string formatAxisLabel(double value, const NumberFormat& format)
{
    if (isNaN(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    // The value's 15 significant digits d0 d1 ... d14 and its decimal
    // exponent: value = d0.d1...d14 x 10^exponent.
    std::array<char, 32> sci{};
    const auto [end, ec] =
        std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value), std::chars_format::scientific, 14);
    (void)ec;  // 32 characters always hold "d.ddddddddddddddde+ddd"
    std::array<char, 15> digits{};
    digits[0] = sci[0];
    std::copy(sci.data() + 2, sci.data() + 16, digits.data() + 1);
    // The exponent after "e": a sign, then digits (from_chars takes no "+").
    const char* exponentText = sci.data() + 17;
    if (*exponentText == '+') ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, end, exponent);

    // The value in thousandths, as a string of decimal digits: the digits
    // up to the third decimal, rounded half up on the next one.
    const int kept = exponent + 1 + 3;
    std::string thousandths;
    for (int i = 0; i < kept; ++i) thousandths.push_back(i < 15 ? digits[static_cast<std::size_t>(i)] : '0');
    if (kept >= 0 && kept < 15 && digits[static_cast<std::size_t>(kept)] >= '5') {
        int i = static_cast<int>(thousandths.size()) - 1;
        while (i >= 0 && thousandths[static_cast<std::size_t>(i)] == '9') thousandths[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++thousandths[static_cast<std::size_t>(i)];
        else
            thousandths.insert(thousandths.begin(), '1');
    }
    if (thousandths.size() < 4) thousandths.insert(0, 4 - thousandths.size(), '0');

    const std::size_t firstNonZero = thousandths.find_first_not_of('0');
    if (firstNonZero == std::string::npos) return "0";

    const std::size_t intDigits = thousandths.size() - 3;
    std::size_t intStart = std::min(firstNonZero, intDigits - 1);  // keep one "0"
    std::string out;
    if (value < 0) out.push_back('-');
    for (std::size_t i = intStart; i < intDigits; ++i) {
        if (i > intStart && (intDigits - i) % 3 == 0 && format.ThousandSeparator != 0)
            appendUtf8(out, format.ThousandSeparator);
        out.push_back(thousandths[i]);
    }
    std::size_t fracEnd = thousandths.size();
    while (fracEnd > intDigits && thousandths[fracEnd - 1] == '0') --fracEnd;
    if (fracEnd > intDigits) {
        appendUtf8(out, format.DecimalSeparator);
        out.append(thousandths, intDigits, fracEnd - intDigits);
    }
    return out;
}

std::string formatAxisLabel(double value) { return formatAxisLabel(value, numberFormat()); }

// --- Bars ---------------------------------------------------------------------------

BarWidth barWidth(int plotWidthPx, std::size_t slotCount) noexcept
{
    BarWidth w;
    w.slotCount = std::max<std::size_t>(slotCount, 1);
    w.slotWidth = static_cast<int>(static_cast<std::size_t>(std::max(plotWidthPx, 0)) / w.slotCount);
    // 70 % of D in integers, so that a tie is a tie: round half to even.
    const int tenths = w.slotWidth * kBarWidthPercent / 10;
    int width = tenths / 10;
    const int rest = tenths % 10;
    if (rest > 5 || (rest == 5 && width % 2 != 0)) ++width;
    if (width % 2 != 0) ++width;
    w.width = width;
    return w;
}

std::size_t barSlots(const Chart& chart) noexcept
{
    std::size_t slotCount = 1;
    for (const Series* s : chart.series()) {
        const std::size_t n = s->style() == SeriesStyle::Bars ? s->Count() + 1 : s->Count();
        slotCount = std::max(slotCount, n);
    }
    return slotCount;
}

// --- Reduction ------------------------------------------------------------------------

namespace {

// The searches below rely on the columns of the points never falling along
// the list: x ascending (PointOrder::Ascending) and a mapping that grows to
// the right, whose whole pixel is then monotonic in x as well.
bool searchable(PointOrder order, const AxisMapping& x, const AxisMapping& y) noexcept
{
    // A y axis of no width maps an infinite y onto NaN rather than onto
    // its start, which is not monotonic: such an axis takes the point-by-
    // point way.
    return order == PointOrder::Ascending && x.scale() > 0 && y.scale() != 0;
}

// The first point whose column is `column` or to the right of it.
std::size_t firstFromColumn(std::span<const ChartPoint> points, const AxisMapping& x, int column) noexcept
{
    const auto at = std::partition_point(points.begin(), points.end(),
                                         [&](const ChartPoint& p) { return x.pixel(p.x) < column; });
    return static_cast<std::size_t>(at - points.begin());
}

// One past the last point of the stretch in `column` that starts at `from`,
// searched first at `from + expected`: the stretch is expected to be as
// long as the one before it. On evenly spaced x that guess is right or one
// off, and the search reads two or three neighbouring points where the
// next stretch begins. Reaching across the stretch would instead read a
// far point that is not yet in the cache for every step: on long series
// that costs as much as reading the stretch itself. A wrong guess gallops
// away from it and then bisects, at most about 2 log2 n mappings for a
// stretch of n points.
std::size_t endOfColumn(std::span<const ChartPoint> points, const AxisMapping& x, std::size_t from,
                        int column, std::size_t expected) noexcept
{
    const std::size_t n = points.size();
    const auto inColumn = [&](std::size_t i) { return x.pixel(points[i].x) <= column; };
    std::size_t in = from;  // known to lie in the column
    std::size_t beyond = from + std::clamp<std::size_t>(expected, 1, n - from);  // n, or to be found out
    if (beyond < n && inColumn(beyond)) {
        // Longer than expected: gallop on.
        std::size_t step = 1;
        do {
            in = beyond;
            step *= 2;
            beyond = in + std::min(step, n - in);
        } while (beyond < n && inColumn(beyond));
    } else {
        // As long or shorter: gallop back from the guess.
        std::size_t step = 1;
        while (beyond - in > 1) {
            const std::size_t probe = beyond - std::min(step, beyond - in - 1);
            if (inColumn(probe)) {
                in = probe;
                break;
            }
            beyond = probe;
            step *= 2;
        }
    }
    // Now `in` lies in the column and `beyond` is n or right of it.
    while (beyond - in > 1) {
        const std::size_t mid = in + (beyond - in) / 2;
        if (inColumn(mid))
            in = mid;
        else
            beyond = mid;
    }
    return beyond;
}

struct ValueRange {
    double least;
    double greatest;
};

// The least and greatest y of `count` points (at least one), none of them
// NaN. This loop is where a long series spends its time: it calls nothing
// and tests nothing but the comparisons, on two chains of them so that
// they overlap.
ValueRange yRange(const ChartPoint* p, std::size_t count) noexcept
{
    double least0 = p[0].y, greatest0 = p[0].y;
    double least1 = least0, greatest1 = greatest0;
    std::size_t k = 1;
    for (; k + 1 < count; k += 2) {
        const double a = p[k].y;
        const double b = p[k + 1].y;
        least0 = a < least0 ? a : least0;
        greatest0 = a > greatest0 ? a : greatest0;
        least1 = b < least1 ? b : least1;
        greatest1 = b > greatest1 ? b : greatest1;
    }
    if (k < count) {
        const double a = p[k].y;
        least0 = a < least0 ? a : least0;
        greatest0 = a > greatest0 ? a : greatest0;
    }
    return {std::min(least0, least1), std::max(greatest0, greatest1)};
}

}  // namespace

void BarReducer::cover(int centre, int rowA, int rowB)
{
    const int from = centre - barWidth_ / 2;
    const int l = std::max(from, clip_.left);
    const int r = std::min(from + barWidth_, clip_.right());
    if (l >= r) return;
    // Every bar reaches from the ground row to its own, so the bars of a
    // column together reach from the higher of the ground and their highest
    // row to the lower of the ground and their lowest. A bar of no height
    // adds nothing; if all are such, a == b and the column stays empty.
    const int a = std::min(ground_, std::min(rowA, rowB));
    const int b = std::max(ground_, std::max(rowA, rowB));
    if (a == b) return;
    for (int c = l; c < r; ++c) {
        const auto i = static_cast<std::size_t>(c - clip_.left);
        top_[i] = std::min(top_[i], a);
        bottom_[i] = std::max(bottom_[i], b);
    }
}

void BarReducer::reduce(std::span<const ChartPoint> points, const AxisMapping& x, const AxisMapping& y,
                        int barWidthPx, PixelRect clip, std::vector<PixelRect>& out, PointOrder order)
{
    out.clear();
    if (clip.width <= 0 || clip.height <= 0) return;
    const auto columns = static_cast<std::size_t>(clip.width);
    top_.assign(columns, INT_MAX);
    bottom_.assign(columns, INT_MIN);
    clip_ = clip;
    barWidth_ = barWidthPx;

    const int rowLo = clip.top;
    const int rowHi = clip.bottom();
    const auto row = [&](double value) { return std::clamp(y.pixel(value), rowLo, rowHi); };
    ground_ = row(0.0);
    const int half = barWidthPx / 2;

    if (searchable(order, x, y)) {
        // The bars of one centre column cover the same columns, and the
        // mapping is monotonic: their extreme rows are the rows of their
        // least and greatest y. Only centres whose bars reach into the clip
        // are visited; the points of the others are never touched.
        const int firstCentre = clip.left + half - barWidthPx + 1;
        const int lastCentre = clip.right() + half - 1;
        std::size_t i = firstFromColumn(points, x, firstCentre);
        std::size_t expected = 1;
        while (i < points.size()) {
            const int centre = x.pixel(points[i].x);
            if (centre > lastCentre) break;
            const std::size_t end = endOfColumn(points, x, i, centre, expected);
            const ValueRange v = yRange(points.data() + i, end - i);
            cover(centre, row(v.least), row(v.greatest));
            expected = end - i;
            i = end;
        }
    } else {
        for (const ChartPoint& p : points) {
            if (isNaN(p.x) || isNaN(p.y)) continue;
            const double cx = x.position(p.x);
            // Far beyond the clip no bar shows; this also keeps the
            // arithmetic of `cover` well inside int.
            if (cx < clip.left - barWidthPx - 1.0 || cx > clip.right() + barWidthPx + 1.0) continue;
            const int r = row(p.y);
            cover(wholePixel(cx), r, r);
        }
    }

    for (std::size_t i = 0; i < columns; ++i) {
        if (top_[i] >= bottom_[i]) continue;
        const int c = clip.left + static_cast<int>(i);
        if (!out.empty()) {
            PixelRect& last = out.back();
            if (last.right() == c && last.top == top_[i] && last.bottom() == bottom_[i]) {
                ++last.width;
                continue;
            }
        }
        out.push_back(PixelRect{c, top_[i], 1, bottom_[i] - top_[i]});
    }
}

namespace {

// The box a line is cut to, with inclusive integer edges.
struct GuardBox {
    int left, top, right, bottom;
};

// Liang-Barsky: cuts the segment to the box; false when nothing is left.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, const GuardBox& g) noexcept
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double t0 = 0;
    double t1 = 1;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{x0 - g.left, g.right - x0, y0 - g.top, g.bottom - y0};
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    const double ox = x0;
    const double oy = y0;
    if (t0 > 0) {
        x0 = ox + t0 * dx;
        y0 = oy + t0 * dy;
    }
    if (t1 < 1) {
        x1 = ox + t1 * dx;
        y1 = oy + t1 * dy;
    }
    return true;
}

// The reduction of runs of points in one column to first, extremes, last.
// The order of the two extremes follows from the rows alone, not from
// which came first, so that a stretch of points known only by its first,
// last and extreme rows reduces exactly as its points one by one would.
class ColumnReducer {
public:
    explicit ColumnReducer(std::vector<PixelPoint>& out) : out_(out) {}

    void add(PixelPoint p)
    {
        if (active_ && p.x == first_.x) {
            minY_ = std::min(minY_, p.y);
            maxY_ = std::max(maxY_, p.y);
            last_ = p;
            return;
        }
        flush();
        active_ = true;
        first_ = last_ = p;
        minY_ = maxY_ = p.y;
    }

    // Points in one column from `first` to `last`, whose rows reach from
    // `minY` to `maxY`: the same as adding each of them.
    void addStretch(PixelPoint first, int minY, int maxY, PixelPoint last)
    {
        add(first);
        minY_ = std::min(minY_, minY);
        maxY_ = std::max(maxY_, maxY);
        last_ = last;
    }

    void flush()
    {
        if (!active_) return;
        active_ = false;
        put(first_);
        const PixelPoint lo{first_.x, minY_};
        const PixelPoint hi{first_.x, maxY_};
        // A line that enters the column above where it leaves it goes up
        // to the top first, then down to the bottom; one that enters below
        // goes the other way round. Either covers the same pixels; this is
        // the shorter path.
        if (first_.y <= last_.y) {
            put(lo);
            put(hi);
        } else {
            put(hi);
            put(lo);
        }
        put(last_);
    }

private:
    void put(PixelPoint p)
    {
        if (out_.empty() || !(out_.back() == p)) out_.push_back(p);
    }

    std::vector<PixelPoint>& out_;
    bool active_ = false;
    PixelPoint first_, last_;
    int minY_ = 0, maxY_ = 0;
};

PixelPoint onGuard(double x, double y, const GuardBox& g) noexcept
{
    return PixelPoint{std::clamp(wholePixel(x), g.left, g.right), std::clamp(wholePixel(y), g.top, g.bottom)};
}

// Distance along the guard box's border, clockwise from its top-left corner.
long long borderPosition(PixelPoint p, const GuardBox& g) noexcept
{
    const long long w = g.right - g.left;
    const long long h = g.bottom - g.top;
    if (p.y == g.top) return p.x - g.left;
    if (p.x == g.right) return w + (p.y - g.top);
    if (p.y == g.bottom) return w + h + (g.right - p.x);
    return 2 * w + h + (g.bottom - p.y);
}

// From one point on the border to another along it, the shorter way round,
// so that the path stays out of sight.
void routeAlongBorder(PixelPoint from, PixelPoint to, const GuardBox& g, ColumnReducer& reducer)
{
    const long long w = g.right - g.left;
    const long long h = g.bottom - g.top;
    const long long perimeter = 2 * (w + h);
    if (perimeter == 0) return;
    const std::array<PixelPoint, 4> corners{PixelPoint{g.right, g.top}, PixelPoint{g.right, g.bottom},
                                            PixelPoint{g.left, g.bottom}, PixelPoint{g.left, g.top}};
    const std::array<long long, 4> cornerPos{w, w + h, 2 * w + h, 0};
    const long long a = borderPosition(from, g);
    const long long b = borderPosition(to, g);
    const long long clockwise = ((b - a) % perimeter + perimeter) % perimeter;
    const bool forward = clockwise <= perimeter - clockwise;
    const long long distance = forward ? clockwise : perimeter - clockwise;
    // The corners passed, in order of their distance from `from`.
    std::array<std::pair<long long, std::size_t>, 4> passed{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const long long d = forward ? ((cornerPos[i] - a) % perimeter + perimeter) % perimeter
                                    : ((a - cornerPos[i]) % perimeter + perimeter) % perimeter;
        if (d > 0 && d < distance) passed[n++] = {d, i};
    }
    for (std::size_t i = 1; i < n; ++i)  // at most four: insertion sort
        for (std::size_t j = i; j > 0 && passed[j].first < passed[j - 1].first; --j)
            std::swap(passed[j], passed[j - 1]);
    for (std::size_t i = 0; i < n; ++i) reducer.add(corners[passed[i].second]);
}

// A polyline fed point by point at its exact positions: cuts every segment
// that leaves the guard box and hands the rest to the column reduction.
class LineCutter {
public:
    LineCutter(const GuardBox& g, std::vector<PixelPoint>& out) : g_(g), reducer_(out) {}

    void add(double qx, double qy)
    {
        if (isNaN(qx) || isNaN(qy)) return;
        const bool qInside = qx >= g_.left && qx <= g_.right && qy >= g_.top && qy <= g_.bottom;
        const PixelPoint qPixel = qInside ? PixelPoint{wholePixel(qx), wholePixel(qy)} : PixelPoint{};
        if (havePrev_ && prevInside_ && qInside) {
            // The usual case, a segment within the box, needs no cutting.
            emitPrevious();
            reducer_.add(qPixel);
            lastEmitted_ = qPixel;
        } else if (havePrev_) {
            double ax = px_, ay = py_, bx = qx, by = qy;
            if (clipSegment(ax, ay, bx, by, g_)) {
                const PixelPoint a = onGuard(ax, ay, g_);
                const PixelPoint b = onGuard(bx, by, g_);
                if (!emitted_) {
                    reducer_.add(a);
                    emitted_ = true;
                } else if (!(a == lastEmitted_)) {
                    // The line left the box and comes back here: both ends
                    // lie on its border.
                    routeAlongBorder(lastEmitted_, a, g_, reducer_);
                    reducer_.add(a);
                }
                reducer_.add(b);
                lastEmitted_ = b;
            }
        }
        px_ = qx;
        py_ = qy;
        prevPixel_ = qPixel;
        prevInside_ = qInside;
        havePrev_ = true;
    }

    // Whether the next segment starts inside the box.
    [[nodiscard]] bool fromInside() const noexcept { return havePrev_ && prevInside_; }

    // The next points, all inside the box and in one column, when the
    // point before them is inside too (`fromInside`): the first and last
    // of them and the extremes of their rows, with the last one's exact
    // position. The same as adding each of them, which would find every
    // segment inside the box.
    void addInsideStretch(PixelPoint first, int minY, int maxY, PixelPoint last, double lastX, double lastY)
    {
        emitPrevious();
        reducer_.addStretch(first, minY, maxY, last);
        lastEmitted_ = last;
        px_ = lastX;
        py_ = lastY;
        prevPixel_ = last;
    }

    // Whether the rows from `top` down to `bottom` lie inside the box.
    [[nodiscard]] bool rowsInside(double top, double bottom) const noexcept
    {
        return top >= g_.top && bottom <= g_.bottom;
    }

    void finish() { reducer_.flush(); }

private:
    void emitPrevious()
    {
        if (emitted_) return;
        reducer_.add(prevPixel_);
        emitted_ = true;
    }

    GuardBox g_;
    ColumnReducer reducer_;
    bool havePrev_ = false;
    bool prevInside_ = false;
    bool emitted_ = false;
    double px_ = 0, py_ = 0;
    PixelPoint prevPixel_;
    PixelPoint lastEmitted_;
};

}  // namespace

void reducePolyline(std::span<const ChartPoint> points, const AxisMapping& x, const AxisMapping& y,
                    PixelRect clip, std::vector<PixelPoint>& out, PointOrder order)
{
    out.clear();
    const GuardBox g{clip.left - kLineGuard, clip.top - kLineGuard, clip.right() - 1 + kLineGuard,
                     clip.bottom() - 1 + kLineGuard};
    LineCutter line(g, out);
    const auto addPoint = [&](const ChartPoint& p) { line.add(x.position(p.x), y.position(p.y)); };

    std::size_t i = 0;
    if (searchable(order, x, y)) {
        // A point whose column lies strictly between the box's sides lies
        // inside the box across. A stretch of such points in one column
        // whose least and greatest y map inside the box lies wholly inside
        // it (the mapping is monotonic), and if the line comes into the
        // stretch from inside, none of its segments needs cutting: its
        // first, last and extreme rows are all the reduction keeps. Every
        // other point goes through the cutter one by one.
        const int innerLeft = g.left + 1;
        const int innerRight = g.right - 1;
        for (const std::size_t start = firstFromColumn(points, x, innerLeft); i < start; ++i) addPoint(points[i]);
        std::size_t expected = 1;
        while (i < points.size()) {
            const int column = x.pixel(points[i].x);
            if (column > innerRight) break;
            const std::size_t end = endOfColumn(points, x, i, column, expected);
            expected = end - i;
            if (!line.fromInside()) {
                addPoint(points[i]);
                if (++i == end) continue;
            }
            const ValueRange v = yRange(points.data() + i, end - i);
            const double a = y.position(v.least);
            const double b = y.position(v.greatest);
            if (line.fromInside() && line.rowsInside(std::min(a, b), std::max(a, b))) {
                const ChartPoint& last = points[end - 1];
                const double lastY = y.position(last.y);
                const int rowA = wholePixel(a);
                const int rowB = wholePixel(b);
                line.addInsideStretch(PixelPoint{column, wholePixel(y.position(points[i].y))}, std::min(rowA, rowB),
                                      std::max(rowA, rowB), PixelPoint{column, wholePixel(lastY)},
                                      x.position(last.x), lastY);
                i = end;
            } else {
                for (; i < end; ++i) addPoint(points[i]);
            }
        }
    }
    for (; i < points.size(); ++i) addPoint(points[i]);
    line.finish();
}

// --- The whole layout -----------------------------------------------------------------

void ChartLayout::labelAxis(AxisGeometry& axis, const Axis& source, const AxisMapping& map, int lengthPx,
                            int largestLabelPx, const TextMetrics& metrics)
{
    const double minimum = source.Minimum();
    const double maximum = source.Maximum();
    axis.step = labelStep(maximum - minimum, labelsThatFit(lengthPx, largestLabelPx));
    axis.labels.clear();
    const double step = axis.step;
    if (!std::isfinite(step) || !(maximum >= minimum)) return;
    const double first = std::ceil(minimum / step);
    const double last = std::floor(maximum / step);
    // A label count beyond what any axis shows means the multiples no
    // longer differ (a huge range end): stop there.
    constexpr double kMaxLabels = 1000;
    const double count = std::min(last - first + 1, kMaxLabels);
    const int textHeight = metrics.textHeight();
    for (double i = 0; i < count; ++i) {
        AxisLabel& label = axis.labels.emplace_back();
        label.value = (first + i) * step;
        label.position = map.pixel(label.value);
        label.text = formatAxisLabel(label.value);
        label.box = PixelRect{0, 0, metrics.textWidth(label.text), textHeight};
    }
}

void ChartLayout::placeAxis(AxisGeometry& axis, bool horizontal)
{
    const ChartFrame& f = frame_;
    const AxisMapping& map = horizontal ? f.x : f.y;
    axis.majorTicks.clear();
    axis.minorTicks.clear();
    // The ticks start just outside the 2-pixel line: below the horizontal
    // axis, left of the vertical one.
    if (horizontal) {
        axis.line = PixelRect{f.plot.left - 1, f.axisRow, f.plot.width + 2, kAxisLineWidth};
        const int tickTop = f.axisRow + kAxisLineWidth;
        for (AxisLabel& l : axis.labels) {
            l.box.left = l.position - l.box.width / 2;
            l.box.top = tickTop + kMajorTickLength + kLabelGap;
            axis.majorTicks.push_back(PixelRect{l.position, tickTop, 1, kMajorTickLength});
        }
        for (std::size_t i = 1; i < axis.labels.size(); ++i) {
            const int mid = map.pixel((axis.labels[i - 1].value + axis.labels[i].value) / 2);
            axis.minorTicks.push_back(PixelRect{mid, tickTop, 1, kMinorTickLength});
        }
    } else {
        axis.line = PixelRect{f.axisColumn - 1, f.plot.top, kAxisLineWidth, f.plot.height + 2};
        const int tickRight = f.axisColumn - 1;  // one past the ticks' last column
        for (AxisLabel& l : axis.labels) {
            l.box.left = tickRight - kMajorTickLength - kLabelGap - l.box.width;
            l.box.top = l.position - l.box.height / 2;
            axis.majorTicks.push_back(PixelRect{tickRight - kMajorTickLength, l.position, kMajorTickLength, 1});
        }
        for (std::size_t i = 1; i < axis.labels.size(); ++i) {
            const int mid = map.pixel((axis.labels[i - 1].value + axis.labels[i].value) / 2);
            axis.minorTicks.push_back(PixelRect{tickRight - kMinorTickLength, mid, kMinorTickLength, 1});
        }
    }
}

void ChartLayout::layoutLegend(const Chart& chart, const TextMetrics& metrics)
{
    const int h = metrics.textHeight();
    frame_.legend.clear();
    int x = kLegendLeft + kLegendPadding;
    const int y = kLegendTop + kLegendPadding;
    for (const Series* s : chart.series()) {
        if (!frame_.legend.empty()) x += kLegendEntryGap;
        LegendEntry& e = frame_.legend.emplace_back();
        e.series = s;
        e.symbol = PixelRect{x, y, kLegendSymbolWidth, h};
        e.text = PixelRect{e.symbol.right() + kLegendSymbolGap, y, metrics.textWidth(s->title()), h};
        x = e.text.right();
    }
    frame_.legendBox = PixelRect{kLegendLeft, kLegendTop, x + kLegendPadding - kLegendLeft, h + 2 * kLegendPadding};
}

void ChartLayout::updateFrame(const Chart& chart, int width, int height, const TextMetrics& metrics)
{
    ChartFrame& f = frame_;
    f.width = width;
    f.height = height;
    const int bottomRoom = bottomAxisRoom(metrics.textHeight());

    // The plot's height does not depend on the room at the left, so the
    // vertical axis is labelled first and its widest label sets that room.
    f.plot = plotRect(width, height, 0, bottomRoom);
    f.y = AxisMapping(chart.LeftAxis.Minimum(), chart.LeftAxis.Maximum(), f.plot.bottom(), f.plot.height, true);
    labelAxis(f.leftAxis, chart.LeftAxis, f.y, f.plot.height, metrics.textHeight(), metrics);
    int widest = 0;
    for (const AxisLabel& l : f.leftAxis.labels) widest = std::max(widest, l.box.width);

    f.plot = plotRect(width, height, leftAxisRoom(widest), bottomRoom);
    f.clip = seriesClip(f.plot);
    f.x = AxisMapping(chart.BottomAxis.Minimum(), chart.BottomAxis.Maximum(), f.plot.left, f.plot.width, false);
    f.axisRow = horizontalAxisRow(f.plot, chart.BottomAxis.PositionPercent());
    f.axisColumn = verticalAxisColumn(f.plot, chart.LeftAxis.PositionPercent());
    placeAxis(f.leftAxis, false);

    // The horizontal labels' widths set their own step: the largest is
    // taken from the two ends of the range, the widest texts of a range of
    // whole numbers.
    const int largest = std::max(metrics.textWidth(formatAxisLabel(chart.BottomAxis.Minimum())),
                                 metrics.textWidth(formatAxisLabel(chart.BottomAxis.Maximum())));
    labelAxis(f.bottomAxis, chart.BottomAxis, f.x, f.plot.width, largest, metrics);
    placeAxis(f.bottomAxis, true);

    f.bars = barWidth(f.plot.width, barSlots(chart));
    layoutLegend(chart, metrics);
}

void ChartLayout::update(const Chart& chart, int width, int height, const TextMetrics& metrics)
{
    updateFrame(chart, width, height, metrics);
    const ChartFrame& f = frame_;
    const auto all = chart.series();
    series_.resize(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Series& s = *all[i];
        SeriesGeometry& g = series_[i];
        g.series = &s;
        g.bars.clear();
        g.line.clear();
        g.discs.clear();
        switch (s.style()) {
        case SeriesStyle::Bars:
            // With more slots than pixels the rule gives no width at all;
            // each bar then still shows as one column.
            barReducer_.reduce(s.points(), f.x, f.y, std::max(f.bars.width, 1), f.clip, g.bars, orderOf(s));
            break;
        case SeriesStyle::Line:
        case SeriesStyle::Dotted:
            reducePolyline(s.points(), f.x, f.y, f.clip, g.line, orderOf(s));
            break;
        case SeriesStyle::Marker:
            reducePolyline(s.points(), f.x, f.y, f.clip, g.line, orderOf(s));
            for (const ChartPoint& p : s.points()) {
                // A marker left of the horizontal axis's start is not drawn
                // at all, not even the part of its disc that would reach in.
                if (!(p.x >= chart.BottomAxis.Minimum()) || isNaN(p.y)) continue;
                const PixelPoint c{f.x.pixel(p.x), f.y.pixel(p.y)};
                if (c.x < f.clip.left - kMarkerRadius || c.x > f.clip.right() + kMarkerRadius ||
                    c.y < f.clip.top - kMarkerRadius || c.y > f.clip.bottom() + kMarkerRadius)
                    continue;
                if (!g.discs.empty() && g.discs.back() == c) continue;
                g.discs.push_back(c);
            }
            break;
        }
    }
}

}  // namespace tarvinel
