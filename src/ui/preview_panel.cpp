#include "ui/preview_panel.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "desk/preview_worker.h"
#include "desk/window_words.h"
#include "engine/text_util.h"
#include "ui/point_plot.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

constexpr int kLookIntervalMs = 100;
constexpr int kRestMs = 200;

// The lines as a text view shows them: without their line ends.
QString ShownLines(std::string_view bytes) {
  QString text = ToQString(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text;
}

}  // namespace

PreviewPanel::PreviewPanel(std::function<PreviewRequest()> source, QWidget* parent)
    : QGroupBox(QStringLiteral(" Preview "), parent),
      source_(std::move(source)),
      lookTimer_(new QTimer(this)),
      restTimer_(new QTimer(this)),
      summary_(new QLabel(this)),
      status_(new QLabel(this)),
      fitButton_(new QToolButton(this)),
      plot_(new PointPlot(this)),
      message_(new QLabel(this)),
      lines_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("previewPanel"));
  setToolTip(QStringLiteral(
      "What the data file of the drawing focused in the file list will hold.\nPlot: the wheel "
      "zooms, a drag moves, the pointer on a point shows its data line."));
  summary_->setObjectName(QStringLiteral("previewSummary"));
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  status_->setObjectName(QStringLiteral("previewStatus"));
  status_->setEnabled(false);
  fitButton_->setObjectName(QStringLiteral("previewFitButton"));
  fitButton_->setText(QStringLiteral("Fit"));
  fitButton_->setToolTip(QStringLiteral("Show all points"));
  connect(fitButton_, &QToolButton::clicked, plot_, &PointPlot::fit);
  message_->setObjectName(QStringLiteral("previewMessage"));
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message_->setStyleSheet(QStringLiteral("color: #b00000;"));
  message_->hide();
  lines_->setObjectName(QStringLiteral("previewLines"));
  lines_->setReadOnly(true);
  lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
  lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  lines_->setToolTip(QStringLiteral("The first data lines, as the data file will hold them"));

  auto* strip = new QHBoxLayout;
  strip->addWidget(summary_, 1);
  strip->addWidget(status_);
  strip->addWidget(fitButton_);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->setObjectName(QStringLiteral("previewSplitter"));
  split->setChildrenCollapsible(false);
  split->addWidget(plot_);
  split->addWidget(lines_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setSizes({300, 200});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addLayout(strip);
  layout->addWidget(message_);
  layout->addWidget(split, 1);

  lookTimer_->setInterval(kLookIntervalMs);
  connect(lookTimer_, &QTimer::timeout, this, &PreviewPanel::look);
  restTimer_->setSingleShot(true);
  restTimer_->setInterval(kRestMs);
  connect(restTimer_, &QTimer::timeout, this, &PreviewPanel::submit);
  worker_ = std::make_unique<PreviewWorker>([this](std::uint64_t number, PreviewResult result) {
    // From the worker's thread to the window's; a panel that is gone drops it.
    auto preview = std::make_shared<const PreviewResult>(std::move(result));
    QMetaObject::invokeMethod(
        this, [this, number, preview] { showPreview(number, preview); }, Qt::QueuedConnection);
  });
}

PreviewPanel::~PreviewPanel() {
  // The worker's thread ends before the widgets that it reports to.
  worker_.reset();
}

QByteArray PreviewPanel::lineBytes() const {
  if (!preview_) return {};
  return QByteArray::fromStdString(preview_->lines);
}

void PreviewPanel::showEvent(QShowEvent* event) {
  QGroupBox::showEvent(event);
  lookTimer_->start();
  look();
}

void PreviewPanel::hideEvent(QHideEvent* event) {
  QGroupBox::hideEvent(event);
  lookTimer_->stop();
}

void PreviewPanel::look() {
  PreviewRequest request = source_();
  if (request == seen_) return;
  seen_ = std::move(request);
  if (seen_ == submitted_) {
    // Back to what is previewed already, or being previewed.
    restTimer_->stop();
    return;
  }
  restTimer_->start();
}

void PreviewPanel::submit() {
  if (!seen_) return;
  submitted_ = seen_;
  latest_ = worker_->Submit(*submitted_);
  computing_ = true;
  status_->setText(ToQString(kPreviewComputing));
  emit previewRequested();
}

void PreviewPanel::showPreview(std::uint64_t number, std::shared_ptr<const PreviewResult> preview) {
  if (number != latest_) return;  // a newer request is under way
  computing_ = false;
  status_->clear();
  // A view is kept while the same drawing is previewed with points in both.
  const bool fit = !preview_ || preview_->dxf_path != preview->dxf_path || preview_->points.empty();
  preview_ = std::move(preview);
  const bool converted =
      !preview_->dxf_path.empty() && (preview_->message.empty() || !preview_->lines.empty());
  summary_->setText(!converted ? QString()
                               : ToQString(PreviewSummaryText(
                                     FileNameOf(preview_->dxf_path),
                                     static_cast<std::int64_t>(preview_->points.size()),
                                     preview_->entities_converted, preview_->entity_total)));
  message_->setText(ToQString(preview_->message));
  message_->setVisible(!preview_->message.empty());
  lines_->setPlainText(ShownLines(preview_->lines));
  plot_->setPreview(preview_, fit);
  emit previewShown();
}

}  // namespace quorvex::ui
