#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "desk/plot_view.h"
#include "desk/preview.h"

namespace quorvex::ui {

/// The preview's plot: the exported points in X and Y, each entity kind in its own colour, with
/// axes in drawing units and a legend of the points per kind. The wheel zooms about the pointer,
/// a drag pans, and the pointer over a point shows its data line. Only a decimated set is drawn
/// (at most one point of a kind per pixel cell), so a million points zoom smoothly.
class PointPlot final : public QWidget {
  Q_OBJECT
 public:
  explicit PointPlot(QWidget* parent = nullptr);

  /// Shows the points of `preview`; `fit` shows them all, otherwise the view stays where it was.
  void setPreview(std::shared_ptr<const PreviewResult> preview, bool fit);
  /// Shows every point.
  void fit();

  /// The colour of entity kind `kind`.
  static QColor kindColor(int kind);
  /// The data line of the point under the pointer, empty when there is none.
  QString hoveredLine() const;
  const PlotView& view() const { return view_; }

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRectF plotArea() const;
  AxisTicks yTicks(double area_height) const;
  void setView(const PlotView& view);
  void selectDrawn();
  void paintAxes(QPainter& painter, const QRectF& area) const;
  void paintLegend(QPainter& painter, const QRectF& area) const;
  void hover(QPointF position, QPoint global);

  std::shared_ptr<const PreviewResult> preview_;
  PlotView view_;
  PointDecimator decimator_;
  std::vector<std::uint32_t> drawn_;
  bool drawnValid_ = false;
  bool fitted_ = true;
  std::optional<QPointF> dragFrom_;
  std::optional<std::uint32_t> hovered_;
};

}  // namespace quorvex::ui
