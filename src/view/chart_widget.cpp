#include "view/chart_widget.hpp"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cstdlib>

namespace tarvinel {

namespace {

using namespace chart_look;

class QtTextMetrics final : public TextMetrics {
public:
    explicit QtTextMetrics(const QFont& font) : metrics_(font) {}
    [[nodiscard]] int textWidth(std::string_view utf8) const override
    {
        return metrics_.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    [[nodiscard]] int textHeight() const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

QRect toQRect(PixelRect r) { return QRect(r.left, r.top, r.width, r.height); }
QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
QString toQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The pen of a line series, for the legend's short stretch and for the
// dotted line: flat ends, so that the dots stay square.
QPen linePen(const Series& s)
{
    const bool dotted = s.style() == SeriesStyle::Dotted;
    return QPen(toQColor(s.colour()), std::max(s.penWidth(), 1), dotted ? Qt::DotLine : Qt::SolidLine,
                Qt::FlatCap, Qt::MiterJoin);
}

void drawAxis(QPainter& p, const AxisGeometry& axis)
{
    p.fillRect(toQRect(axis.line), Qt::black);
    for (const PixelRect& t : axis.majorTicks) p.fillRect(toQRect(t), Qt::black);
    for (const PixelRect& t : axis.minorTicks) p.fillRect(toQRect(t), Qt::black);
    p.setPen(Qt::black);
    for (const AxisLabel& l : axis.labels)
        p.drawText(toQRect(l.box), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, toQString(l.text));
}

void drawLegend(QPainter& p, const ChartFrame& f)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const PixelRect box = f.legendBox;
    p.drawRect(box.left, box.top, box.width - 1, box.height - 1);
    p.setBrush(Qt::NoBrush);
    for (const LegendEntry& e : f.legend) {
        const Series& s = *e.series;
        const QRect sym = toQRect(e.symbol);
        const int midY = sym.top() + sym.height() / 2;
        switch (s.style()) {
        case SeriesStyle::Bars:
            p.fillRect(sym.adjusted(3, 2, -3, -2), toQColor(s.colour()));
            break;
        case SeriesStyle::Line:
        case SeriesStyle::Dotted:
            p.setPen(linePen(s));
            p.drawLine(sym.left(), midY, sym.right(), midY);
            break;
        case SeriesStyle::Marker:
            p.setPen(linePen(s));
            p.drawLine(sym.left(), midY, sym.right(), midY);
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(s.colour()));
            p.drawEllipse(QPoint(sym.left() + sym.width() / 2, midY), 4, 4);
            p.setBrush(Qt::NoBrush);
            break;
        }
        p.setPen(Qt::black);
        p.drawText(toQRect(e.text), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, toQString(s.title()));
    }
}

}  // namespace

void ChartPainter::paint(QPainter& p, const Chart& chart, QSize size)
{
    layout_.update(chart, size.width(), size.height(), QtTextMetrics(p.font()));
    const ChartFrame& f = layout_.frame();

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, f.width, f.height), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, f.width - 1, f.height - 1);

    drawLegend(p, f);
    drawAxis(p, f.bottomAxis);
    drawAxis(p, f.leftAxis);

    p.setClipRect(toQRect(f.clip), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    for (const SeriesGeometry& g : layout_.series()) {
        const Series& s = *g.series;
        const QColor colour = toQColor(s.colour());
        for (const PixelRect& r : g.bars) p.fillRect(toQRect(r), colour);
        if (g.line.size() > 1) {
            points_.clear();
            for (const PixelPoint& q : g.line) points_.emplace_back(q.x, q.y);
            if (s.style() == SeriesStyle::Dotted) {
                p.setPen(linePen(s));
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(points_.data(), static_cast<int>(points_.size()));
            } else {
                drawThickPolyline(p, points_, std::max(s.penWidth(), 1), colour);
            }
        }
        if (!g.discs.empty()) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            for (const PixelPoint& c : g.discs) p.drawEllipse(QPoint(c.x, c.y), kMarkerRadius, kMarkerRadius);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.restore();
}

void drawThickPolyline(QPainter& painter, std::span<const QPoint> points, int width, const QColor& colour)
{
    if (points.size() < 2 || width < 1) return;
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QTransform base = painter.transform();
    const int from = -(width - 1) / 2;
    for (int dx = from; dx < from + width; ++dx) {
        for (int dy = from; dy < from + width; ++dy) {
            painter.setTransform(QTransform(base).translate(dx, dy));
            painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        }
    }
    painter.setTransform(base);
}

void paintChart(QPainter& painter, const Chart& chart, QSize size)
{
    ChartPainter once;
    once.paint(painter, chart, size);
}

ChartWidget::ChartWidget(Chart& chart, QWidget* parent) : QWidget(parent), chart_(chart)
{
    setObjectName(QStringLiteral("Chart1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    chart_.setRepaintListener([this] { update(); });
    update();
}

ChartWidget::~ChartWidget() { chart_.setRepaintListener(nullptr); }

const ChartFrame& ChartWidget::currentFrame()
{
    mouseLayout_.updateFrame(chart_, width(), height(), QtTextMetrics(font()));
    return mouseLayout_.frame();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    painter_.paint(p, chart_, size());
    if (drag_ == Drag::Zoom) {
        // The rectangle being dragged.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(dragStart_, dragNow_).normalized());
    }
    chart_.repainted();
}

void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (drag_ != Drag::None) return;
    if (event->button() == Qt::LeftButton)
        drag_ = Drag::Zoom;
    else if (event->button() == Qt::RightButton)
        drag_ = Drag::Scroll;
    else
        return;
    dragStart_ = dragNow_ = event->position().toPoint();
    event->accept();
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Zoom) {
        dragNow_ = at;
        update();
    } else if (drag_ == Drag::Scroll) {
        scrollBy(dragNow_, at);
        dragNow_ = at;
    }
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Zoom && event->button() == Qt::LeftButton) {
        drag_ = Drag::None;
        const int dx = at.x() - dragStart_.x();
        const int dy = at.y() - dragStart_.y();
        if (std::abs(dx) > kZoomThreshold && std::abs(dy) > kZoomThreshold) {
            if (dx > 0)
                zoomTo(dragStart_, at);
            else
                undoZoom();
        }
        update();
    } else if (drag_ == Drag::Scroll && event->button() == Qt::RightButton) {
        scrollBy(dragNow_, at);
        drag_ = Drag::None;
    }
}

void ChartWidget::saveRanges()
{
    if (saved_) return;
    saved_ = Ranges{chart_.BottomAxis.Minimum(), chart_.BottomAxis.Maximum(), chart_.LeftAxis.Minimum(),
                    chart_.LeftAxis.Maximum()};
}

void ChartWidget::zoomTo(QPoint from, QPoint to)
{
    const ChartFrame& f = currentFrame();
    // Both mappings are read before either axis changes.
    const double x0 = f.x.value(std::min(from.x(), to.x()));
    const double x1 = f.x.value(std::max(from.x(), to.x()));
    const double y0 = f.y.value(std::max(from.y(), to.y()));  // rows grow downward
    const double y1 = f.y.value(std::min(from.y(), to.y()));
    saveRanges();
    chart_.BottomAxis.setRange(x0, x1);
    chart_.LeftAxis.setRange(y0, y1);
}

void ChartWidget::undoZoom()
{
    if (!saved_) return;
    const Ranges r = *saved_;
    saved_.reset();
    chart_.BottomAxis.setRange(r.bottomMin, r.bottomMax);
    chart_.LeftAxis.setRange(r.leftMin, r.leftMax);
}

// The chart follows the mouse: the values under the pointer move with it.
void ChartWidget::scrollBy(QPoint from, QPoint to)
{
    if (from == to) return;
    const ChartFrame& f = currentFrame();
    const double dx = f.x.value(from.x()) - f.x.value(to.x());
    const double dy = f.y.value(from.y()) - f.y.value(to.y());
    saveRanges();
    chart_.BottomAxis.setRange(chart_.BottomAxis.Minimum() + dx, chart_.BottomAxis.Maximum() + dx);
    chart_.LeftAxis.setRange(chart_.LeftAxis.Minimum() + dy, chart_.LeftAxis.Maximum() + dy);
}

}  // namespace tarvinel
