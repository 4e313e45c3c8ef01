#include "ui/point_plot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <array>
#include <cmath>

#include "desk/window_words.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

// Room for the X axis's labels below the plot; the Y axis's take what their widest needs.
constexpr double kBottomMargin = 22;
constexpr double kLabelGap = 6;
constexpr double kFitMargin = 20;
// Points are drawn as squares of this side; one of a kind is drawn per cell of the same size.
constexpr double kPointSize = 4;
constexpr double kHoverRadius = 6;
// One step of a mouse wheel (120 units) zooms by this factor.
constexpr double kWheelZoom = 1.25;

}  // namespace

PointPlot::PointPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("previewPlot"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::OpenHandCursor);
}

QSize PointPlot::minimumSizeHint() const {
  return {160, 120};
}

QColor PointPlot::kindColor(int kind) {
  // Twelve colours that stay apart from one another on white, one per entity kind.
  static const std::array<QColor, kEntityKindCount> kColors = {
      QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
      QColor(0x94, 0x67, 0xbd), QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
      QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf), QColor(0x7f, 0x7f, 0x7f),
      QColor(0xbc, 0xbd, 0x22), QColor(0x00, 0x3f, 0x7f), QColor(0x00, 0x00, 0x00)};
  return kind >= 0 && kind < kEntityKindCount ? kColors[static_cast<std::size_t>(kind)]
                                              : QColor(Qt::gray);
}

void PointPlot::setPreview(std::shared_ptr<const PreviewResult> preview, bool fit) {
  preview_ = std::move(preview);
  hovered_.reset();
  drawnValid_ = false;
  if (fit) {
    this->fit();
  } else {
    update();
  }
}

void PointPlot::fit() {
  fitted_ = true;
  const QRectF area = plotArea();
  const std::span<const PreviewPoint> points =
      preview_ ? std::span<const PreviewPoint>(preview_->points) : std::span<const PreviewPoint>();
  setView(FitView(points, area.width(), area.height(), kFitMargin));
}

QString PointPlot::hoveredLine() const {
  if (!preview_ || !hovered_) return {};
  return ToQString(preview_->LineOf(preview_->points[*hovered_]));
}

AxisTicks PointPlot::yTicks(double area_height) const {
  const int count = std::max(2, static_cast<int>(area_height / (3 * fontMetrics().height())));
  return TicksFor(view_.DrawingY(area_height), view_.DrawingY(0), count);
}

QRectF PointPlot::plotArea() const {
  const double area_height = std::max(1.0, height() - kBottomMargin);
  const AxisTicks ticks = yTicks(area_height);
  const QFontMetricsF metrics(font());
  double labels = 0;
  for (const double y : ticks.values)
    labels = std::max(labels, metrics.horizontalAdvance(ToQString(TickLabel(y, ticks.step))));
  const double left = std::max(24.0, labels + 2 * kLabelGap);
  return QRectF(left, 0, std::max(1.0, width() - left - 1), area_height);
}

void PointPlot::setView(const PlotView& view) {
  view_ = view;
  drawnValid_ = false;
  update();
}

void PointPlot::selectDrawn() {
  if (drawnValid_) return;
  drawn_.clear();
  if (preview_) drawn_ = decimator_.Select(preview_->points, view_, kPointSize);
  drawnValid_ = true;
}

void PointPlot::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A view that the user has not moved shows all points at every size; otherwise the centre
  // and the scale stay.
  if (fitted_) fit();
}

void PointPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const QRectF area = plotArea();
  if (area.width() != view_.width || area.height() != view_.height) {
    view_.width = area.width();
    view_.height = area.height();
    drawnValid_ = false;
  }
  paintAxes(painter, area);
  selectDrawn();
  if (preview_) {
    // Kind by kind, so that each is one call; the painter's transform puts the plot area's
    // corner at the origin of the view's pixels.
    std::array<QList<QRectF>, kEntityKindCount> squares;
    for (const std::uint32_t index : drawn_) {
      const PreviewPoint& point = preview_->points[index];
      const PlotPixel pixel = view_.ToPixel(point.x, point.y);
      squares[static_cast<std::size_t>(point.kind)].append(
          QRectF(pixel.x - kPointSize / 2, pixel.y - kPointSize / 2, kPointSize, kPointSize));
    }
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.setPen(Qt::NoPen);
    for (int kind = 0; kind < kEntityKindCount; ++kind) {
      painter.setBrush(kindColor(kind));
      painter.drawRects(squares[static_cast<std::size_t>(kind)]);
    }
    if (hovered_) {
      const PreviewPoint& point = preview_->points[*hovered_];
      const PlotPixel pixel = view_.ToPixel(point.x, point.y);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(palette().text().color(), 1.5));
      painter.drawEllipse(QPointF(pixel.x, pixel.y), kHoverRadius, kHoverRadius);
    }
    painter.restore();
    paintLegend(painter, area);
  }
  painter.setPen(palette().mid().color());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
}

void PointPlot::paintAxes(QPainter& painter, const QRectF& area) const {
  const QFontMetricsF metrics(font());
  const QColor grid = palette().mid().color().lighter(130);
  const QColor text = palette().text().color();
  // Labels no closer than their own width.
  const int x_count =
      std::max(2, static_cast<int>(area.width() /
                                   (metrics.horizontalAdvance(QStringLiteral("0000000.0")) + 16)));
  const AxisTicks x_ticks = TicksFor(view_.DrawingX(0), view_.DrawingX(area.width()), x_count);
  const AxisTicks y_ticks = yTicks(area.height());
  for (const double x : x_ticks.values) {
    const double at = area.left() + view_.ToPixel(x, 0).x;
    painter.setPen(grid);
    painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
    painter.setPen(text);
    const QString label = ToQString(TickLabel(x, x_ticks.step));
    const double half = metrics.horizontalAdvance(label) / 2;
    painter.drawText(QPointF(std::clamp(at - half, 0.0, width() - 2 * half),
                             area.bottom() + metrics.ascent() + 3),
                     label);
  }
  for (const double y : y_ticks.values) {
    const double at = area.top() + view_.ToPixel(0, y).y;
    painter.setPen(grid);
    painter.drawLine(QPointF(area.left(), at), QPointF(area.right(), at));
    painter.setPen(text);
    const QString label = ToQString(TickLabel(y, y_ticks.step));
    const QRectF box(0, at - metrics.height() / 2, area.left() - kLabelGap, metrics.height());
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
  }
}

void PointPlot::paintLegend(QPainter& painter, const QRectF& area) const {
  QStringList lines;
  std::vector<int> kinds;
  for (int kind = 0; kind < kEntityKindCount; ++kind) {
    const std::int64_t count = preview_->points_per_kind[static_cast<std::size_t>(kind)];
    if (count == 0) continue;
    kinds.push_back(kind);
    lines.append(ToQString(LegendText(EntityKindNames[static_cast<std::size_t>(kind)], count)));
  }
  if (kinds.empty()) return;
  const QFontMetricsF metrics(font());
  double text_width = 0;
  for (const QString& line : lines)
    text_width = std::max(text_width, metrics.horizontalAdvance(line));
  const double row = metrics.height() + 2;
  const double swatch = metrics.ascent() * 0.7;
  const QRectF box(area.right() - text_width - swatch - 20, area.top() + 6,
                   text_width + swatch + 14, row * static_cast<double>(lines.size()) + 8);
  QColor back = palette().base().color();
  back.setAlpha(190);
  painter.setPen(palette().mid().color());
  painter.setBrush(back);
  painter.drawRect(box);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const double top = box.top() + 4 + row * static_cast<double>(i);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kindColor(kinds[i]));
    painter.drawRect(QRectF(box.left() + 6, top + (row - swatch) / 2, swatch, swatch));
    painter.setPen(palette().text().color());
    painter.drawText(QPointF(box.left() + 10 + swatch, top + metrics.ascent() + 1),
                     lines[static_cast<qsizetype>(i)]);
  }
}

void PointPlot::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const QPointF at = event->position() - plotArea().topLeft();
  fitted_ = false;
  setView(ZoomedView(view_, std::pow(kWheelZoom, steps), {at.x(), at.y()}));
  event->accept();
}

void PointPlot::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void PointPlot::mouseMoveEvent(QMouseEvent* event) {
  if (dragFrom_) {
    const QPointF moved = event->position() - *dragFrom_;
    dragFrom_ = event->position();
    fitted_ = false;
    setView(PannedView(view_, moved.x(), moved.y()));
    return;
  }
  hover(event->position(), event->globalPosition().toPoint());
}

void PointPlot::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragFrom_.reset();
  setCursor(Qt::OpenHandCursor);
}

void PointPlot::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (hovered_) {
    hovered_.reset();
    update();
  }
}

void PointPlot::hover(QPointF position, QPoint global) {
  selectDrawn();
  const QPointF at = position - plotArea().topLeft();
  std::optional<std::uint32_t> nearest;
  if (preview_ && plotArea().contains(position))
    nearest = NearestPoint(preview_->points, drawn_, view_, {at.x(), at.y()}, kHoverRadius);
  if (nearest == hovered_) return;
  hovered_ = nearest;
  update();
  if (hovered_) {
    QToolTip::showText(global, hoveredLine(), this);
  } else {
    QToolTip::hideText();
  }
}

}  // namespace quorvex::ui
