// The painted chart: a side view of the field run drawn from the chart's
// data (view/chart.hpp) with the layout of view/chart_layout.hpp.
//
// Painting only draws what the layout computed, through a painter that can
// target any QPaintDevice, so that a test can render the chart into a
// QImage and look at single pixels. The widget adds the mouse: a left drag
// of more than 16 pixels both across and up or down zooms to the dragged
// rectangle when it goes to the right and undoes the zoom when it goes to
// the left; a right drag scrolls both axes.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <optional>
#include <span>
#include <vector>

#include "view/chart.hpp"
#include "view/chart_layout.hpp"

class QColor;
class QPainter;

namespace tarvinel {

// Draws a chart onto any painter, keeping its buffers between paints: once
// the series have reached their usual length, a paint allocates nothing
// per point. The order is the chart's: background and border, legend, axes
// with ticks and labels, then Series1 to Series4, each over the ones
// before it, clipped to the plot rectangle widened by a pixel above and
// below.
class ChartPainter {
public:
    void paint(QPainter& painter, const Chart& chart, QSize size);
    // The layout of the last paint.
    [[nodiscard]] const ChartLayout& layout() const noexcept { return layout_; }

private:
    ChartLayout layout_;
    std::vector<QPoint> points_;
};

// One paint with a painter of its own; for a single image.
void paintChart(QPainter& painter, const Chart& chart, QSize size);

// Strokes a solid polyline `width` pixels thick as a width x width square
// swept along its one-pixel path: the one-pixel path drawn once for every
// offset of the square. A wide QPen would round the ends and joins, but its
// stroker grows costly on the dense zigzag of a long reduced series; this
// costs `width` squared cheap passes at any density.
void drawThickPolyline(QPainter& painter, std::span<const QPoint> points, int width, const QColor& colour);

class ChartWidget : public QWidget {
    Q_OBJECT

public:
    // Drag distance, across and up or down, beyond which a left drag zooms
    // or undoes the zoom.
    static constexpr int kZoomThreshold = 16;

    // The widget draws `chart`, which must outlive it, and asks for a
    // repaint whenever the chart is marked as changed.
    explicit ChartWidget(Chart& chart, QWidget* parent = nullptr);
    ~ChartWidget() override;

    [[nodiscard]] QSize sizeHint() const override { return {951, 390}; }

    // The layout for the widget's current size and font.
    [[nodiscard]] const ChartFrame& currentFrame();
    // Whether a zoom or scroll is in force that a left drag to the left undoes.
    [[nodiscard]] bool isZoomed() const noexcept { return saved_.has_value(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Ranges {
        double bottomMin, bottomMax, leftMin, leftMax;
    };
    enum class Drag { None, Zoom, Scroll };

    void saveRanges();
    void zoomTo(QPoint from, QPoint to);
    void undoZoom();
    void scrollBy(QPoint from, QPoint to);

    Chart& chart_;
    ChartPainter painter_;
    ChartLayout mouseLayout_;
    Drag drag_ = Drag::None;
    QPoint dragStart_;
    QPoint dragNow_;
    // The axis ranges before the first zoom or scroll since the last undo.
    std::optional<Ranges> saved_;
};

}  // namespace tarvinel
