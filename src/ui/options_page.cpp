#include "ui/options_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "ui/desktop_launcher.h"
#include "ui/icons.h"

namespace quorvex::ui {
namespace {

QLabel* Picture(QWidget* parent, const QString& icon, int size) {
  auto* picture = new QLabel(parent);
  picture->setPixmap(Icon(icon).pixmap(size, size));
  picture->setFixedSize(size, size);
  return picture;
}

}  // namespace

OptionsPage::OptionsPage(Preferences& preferences, DesktopLauncher& launcher, HelpLinks links,
                         QWidget* parent)
    : QWidget(parent), preferences_(preferences), launcher_(launcher), links_(std::move(links)) {
  setObjectName(QStringLiteral("optionsPage"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(6);
  layout->addWidget(buildOptionsGroup());
  layout->addWidget(buildSupportGroup());
  layout->addWidget(buildWebSiteGroup());
  layout->addStretch();
  showPreferences();
}

QWidget* OptionsPage::buildOptionsGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Options / Help "), this);
  group->setObjectName(QStringLiteral("optionsHelpGroup"));
  group->setMinimumHeight(99);
  alwaysReport_ = new QRadioButton(QStringLiteral("Always show Report."), group);
  alwaysReport_->setObjectName(QStringLiteral("alwaysReportButton"));
  neverReport_ = new QRadioButton(QStringLiteral("Never show Report."), group);
  neverReport_->setObjectName(QStringLiteral("neverReportButton"));
  helpTipsBox_ = new QCheckBox(QStringLiteral("Show Help Tips"), group);
  helpTipsBox_->setObjectName(QStringLiteral("helpTipsBox"));
  auto* helpButton =
      new QPushButton(Icon(QStringLiteral("help")), QStringLiteral(" Show Help file"), group);
  helpButton->setObjectName(QStringLiteral("helpButton"));
  helpButton->setIconSize(QSize(20, 20));
  helpButton->setMinimumWidth(137);
  helpButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

  auto* choices = new QVBoxLayout;
  choices->setSpacing(2);
  choices->addWidget(new QLabel(QStringLiteral("After process:"), group));
  choices->addWidget(alwaysReport_);
  choices->addWidget(neverReport_);
  choices->addSpacing(6);
  choices->addWidget(helpTipsBox_);
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(8, 6, 8, 6);
  row->addWidget(Picture(group, QStringLiteral("options"), 32), 0, Qt::AlignTop);
  row->addSpacing(8);
  row->addLayout(choices, 1);
  row->addWidget(helpButton);

  connect(alwaysReport_, &QRadioButton::clicked, this,
          [this] { preferences_.SetShowReport(true); });
  connect(neverReport_, &QRadioButton::clicked, this,
          [this] { preferences_.SetShowReport(false); });
  connect(helpTipsBox_, &QCheckBox::clicked, this, [this](bool on) {
    preferences_.SetShowTips(on);
    emit helpTipsChanged(on);
  });
  connect(helpButton, &QPushButton::clicked, this,
          [this] { launcher_.OpenUrl(QUrl::fromLocalFile(links_.help_file)); });
  return group;
}

QWidget* OptionsPage::buildSupportGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Additional Help and Support  "), this);
  group->setObjectName(QStringLiteral("supportGroup"));
  group->setMinimumHeight(46);
  auto* address = new QLabel(links_.support_email, group);
  address->setObjectName(QStringLiteral("supportLink"));
  address->setCursor(Qt::PointingHandCursor);
  address->setStyleSheet(QStringLiteral("color: navy;"));
  address->installEventFilter(this);
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(8, 4, 8, 6);
  row->addWidget(new QLabel(
      QStringLiteral("For any  help or support, please contact me by e-mail at this adress : "),
      group));
  row->addWidget(address);
  row->addStretch();
  return group;
}

QWidget* OptionsPage::buildWebSiteGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Mentavo Web Site "), this);
  group->setObjectName(QStringLiteral("webSiteGroup"));
  group->setMinimumHeight(80);
  auto* button = new QToolButton(group);
  button->setObjectName(QStringLiteral("webSiteButton"));
  button->setIcon(Icon(QStringLiteral("web-site")));
  button->setIconSize(QSize(48, 48));
  button->setAutoRaise(true);
  button->setCursor(Qt::PointingHandCursor);
  auto* line = new QLabel(
      QStringLiteral("Visit the Mentavo web site for more CAD utilities and AutoCAD add-ons."),
      group);
  line->setWordWrap(true);
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(8, 4, 8, 6);
  row->addWidget(button);
  row->addSpacing(8);
  row->addWidget(line, 1);
  connect(button, &QToolButton::clicked, this, [this] { launcher_.OpenUrl(links_.web_site); });
  return group;
}

void OptionsPage::showPreferences() {
  (preferences_.show_report() ? alwaysReport_ : neverReport_)->setChecked(true);
  helpTipsBox_->setChecked(preferences_.show_tips());
}

bool OptionsPage::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  if (!label) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave: {
      QFont font = label->font();
      font.setUnderline(event->type() == QEvent::Enter);
      label->setFont(font);
      break;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QUrl mail(QStringLiteral("mailto:") + links_.support_email);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Quorvex support request"));
        mail.setQuery(query);
        launcher_.OpenUrl(mail);
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorvex::ui
