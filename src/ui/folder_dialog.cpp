#include "ui/folder_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/folder_tree.h"
#include "ui/icons.h"
#include "ui/path_label.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

FolderDialog::FolderDialog(QWidget* parent)
    : QDialog(parent),
      tree_(new FolderTree(this)),
      pathLabel_(new PathLabel(this)),
      selectButton_(
          new QPushButton(Icon(QStringLiteral("select")), QStringLiteral("Select "), this)) {
  setObjectName(QStringLiteral("folderDialog"));
  setWindowTitle(QStringLiteral(" Destination Directory for Data Files"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  tree_->setObjectName(QStringLiteral("folderDialogTree"));
  pathLabel_->setObjectName(QStringLiteral("folderDialogPath"));
  pathLabel_->setMinimumHeight(20);
  selectButton_->setObjectName(QStringLiteral("selectButton"));
  auto* cancelButton =
      new QPushButton(Icon(QStringLiteral("cancel")), QStringLiteral("Cancel "), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  for (QPushButton* button : {selectButton_, cancelButton})
    button->setMinimumSize(80, 28);
  selectButton_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(selectButton_);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 6);
  layout->addWidget(tree_, 1);
  layout->addWidget(pathLabel_);
  layout->addLayout(buttons);
  resize(425, 438);

  connect(tree_, &FolderTree::folderSelected, this, &FolderDialog::showPath);
  connect(selectButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  showPath();
}

std::optional<std::string> FolderDialog::ChooseFolder(const std::optional<std::string>& start) {
  if (start) tree_->selectFolder(ToQString(*start));
  if (exec() != QDialog::Accepted) return std::nullopt;
  return ToStdString(tree_->currentFolder());
}

void FolderDialog::showPath() {
  const QString path = tree_->currentFolder();
  pathLabel_->setPath(path);
  // A location without a file-system path cannot be a destination.
  selectButton_->setEnabled(path.contains(QLatin1Char('/')));
}

}  // namespace quorvex::ui
