#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "desk/dxf_browser.h"
#include "desk/settings_store.h"
#include "ui/models/file_list_model.h"
#include "ui_models_test.h"

namespace quorvex::ui {
namespace {

using Tester = QAbstractItemModelTester;

// Hands the browser's reports to the list model, as the DXF Files page does.
class ListRouter final : public DxfBrowserObserver {
 public:
  explicit ListRouter(FileListModel& model) : model_(model) {}
  void RowsAboutToChange() override { model_.rowsAboutToChange(); }
  void RowsChanged() override { model_.rowsChanged(); }
  void StatusChanged() override { model_.shadingChanged(); }

 private:
  FileListModel& model_;
};

// The browser with the list model on it, under a tester for the whole test.
struct Browser {
  Browser() { browser.SetObserver(&router); }
  ~Browser() { browser.SetObserver(nullptr); }

  MemorySettings settings;
  DxfBrowser browser{settings, DateTimeSeparators{}};
  FileListModel model{browser};
  ListRouter router{model};
  Tester tester{&model, Tester::FailureReportingMode::Fatal};
};

const QDateTime kWritten(QDate(2020, 3, 5), QTime(14, 7));

bool WriteFile(const QTemporaryDir& dir, const QString& name, qint64 size) {
  QFile file(dir.filePath(name));
  return file.open(QIODevice::ReadWrite) && file.resize(size) &&
         file.setFileTime(kWritten, QFileDevice::FileModificationTime);
}

// A folder of three DXF files (0, 2048 and 5000 bytes) beside a text file.
bool MakeFolder(const QTemporaryDir& dir) {
  return dir.isValid() && WriteFile(dir, "b.dxf", 2048) && WriteFile(dir, "a.dxf", 0) &&
         WriteFile(dir, "plan.rev2.dxf", 5000) && WriteFile(dir, "notes.txt", 10);
}

QStringList Row(const QAbstractItemModel& model, int row) {
  QStringList cells;
  for (int column = 0; column < model.columnCount(); ++column)
    cells.append(model.index(row, column).data().toString());
  return cells;
}

QStringList Names(const QAbstractItemModel& model) {
  QStringList names;
  for (int row = 0; row < model.rowCount(); ++row)
    names.append(model.index(row, 0).data().toString());
  return names;
}

const QVariant kRightAligned = (Qt::AlignRight | Qt::AlignVCenter).toInt();

}  // namespace

void UiModelsTest::fileListShowsTheBrowsersRows() {
  QTemporaryDir dir;
  QVERIFY(MakeFolder(dir));
  Browser list;
  QSignalSpy resets(&list.model, &QAbstractItemModel::modelReset);

  list.browser.FolderChanged(dir.path().toStdString());
  QVERIFY(resets.count() > 0);
  QCOMPARE(list.model.rowCount(), 3);
  QCOMPARE(Row(list.model, 0), QStringList({"a", "03/05/2020 14:07", "1 KB"}));
  QCOMPARE(Row(list.model, 1), QStringList({"b", "03/05/2020 14:07", "3 KB"}));
  QCOMPARE(Row(list.model, 2), QStringList({"plan.rev2", "03/05/2020 14:07", "5 KB"}));

  QVERIFY(WriteFile(dir, "c.dxf", 1024));
  list.browser.Refresh();
  QCOMPARE(Names(list.model), QStringList({"a", "b", "c", "plan.rev2"}));

  list.browser.ClickHeader(SortColumn::kSize);
  QCOMPARE(Names(list.model), QStringList({"plan.rev2", "b", "c", "a"}));
  list.browser.FolderChanged("Desktop");
  QCOMPARE(list.model.rowCount(), 0);
}

void UiModelsTest::fileListRolesAndFlags() {
  QTemporaryDir dir;
  QVERIFY(MakeFolder(dir));
  Browser list;
  const QVariant icon = "icon", shade = "shade";
  list.model.setFileIcon(icon);
  list.model.setShadeBrush(shade);
  list.browser.FolderChanged(dir.path().toStdString());

  const QStringList captions = {"Name", "Modified", "Size"};
  for (int column = 0; column < 3; ++column) {
    QCOMPARE(list.model.headerData(column, Qt::Horizontal).toString(), captions[column]);
    const QVariant alignment = column == 2 ? kRightAligned : QVariant();
    QCOMPARE(list.model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole), alignment);
    QCOMPARE(list.model.index(1, column).data(Qt::TextAlignmentRole), alignment);
    QCOMPARE(list.model.index(1, column).data(Qt::DecorationRole), column == 0 ? icon : QVariant());
    QVERIFY(!list.model.index(1, column).data(Qt::BackgroundRole).isValid());
  }

  QSignalSpy changed(&list.model, &QAbstractItemModel::dataChanged);
  list.browser.ClickHeader(SortColumn::kSize);
  for (int column = 0; column < 3; ++column)
    QCOMPARE(list.model.index(0, column).data(Qt::BackgroundRole),
             column == 2 ? shade : QVariant());
  // The shading moved, so every cell has to be drawn again.
  QVERIFY(!changed.isEmpty());
  const QList<QVariant> last = changed.last();
  QCOMPARE(last.at(0).value<QModelIndex>(), list.model.index(0, 0));
  QCOMPARE(last.at(1).value<QModelIndex>(), list.model.index(2, 2));

  const Qt::ItemFlags cell = list.model.flags(list.model.index(0, 0));
  QVERIFY(cell.testFlag(Qt::ItemIsSelectable) && cell.testFlag(Qt::ItemIsEnabled));
  QVERIFY(!cell.testFlag(Qt::ItemIsEditable) && !cell.testFlag(Qt::ItemIsDropEnabled));
  QVERIFY(list.model.flags({}).testFlag(Qt::ItemIsDropEnabled));
  QCOMPARE(list.model.mimeTypes(), QStringList({"text/uri-list"}));
  QCOMPARE(list.model.supportedDropActions(), Qt::CopyAction);
}

void UiModelsTest::fileListDrops_data() {
  QTest::addColumn<QList<QUrl>>("urls");
  QTest::addColumn<Qt::DropAction>("action");
  QTest::addColumn<QStringList>("paths");
  const QUrl a = QUrl::fromLocalFile("/work/a.dxf"), b = QUrl::fromLocalFile("/work/b c.dxf");
  const QUrl folder = QUrl::fromLocalFile("/work/plans");
  const QUrl remote("https://example.com/a.dxf");
  QTest::newRow("local files") << QList<QUrl>{a, b} << Qt::CopyAction
                               << QStringList{"/work/a.dxf", "/work/b c.dxf"};
  QTest::newRow("a folder") << QList<QUrl>{folder} << Qt::CopyAction << QStringList{"/work/plans"};
  QTest::newRow("remote file left out")
      << QList<QUrl>{remote, a} << Qt::CopyAction << QStringList{"/work/a.dxf"};
  QTest::newRow("remote file only") << QList<QUrl>{remote} << Qt::CopyAction << QStringList{};
  QTest::newRow("no file") << QList<QUrl>{} << Qt::CopyAction << QStringList{};
  QTest::newRow("moved files") << QList<QUrl>{a} << Qt::MoveAction << QStringList{};
}

void UiModelsTest::fileListDrops() {
  QFETCH(QList<QUrl>, urls);
  QFETCH(Qt::DropAction, action);
  QFETCH(QStringList, paths);
  Browser list;
  QSignalSpy dropped(&list.model, &FileListModel::pathsDropped);
  QMimeData mime;
  mime.setUrls(urls);
  const bool accepted = !paths.isEmpty();

  QCOMPARE(list.model.canDropMimeData(&mime, action, -1, -1, {}), accepted);
  QCOMPARE(list.model.dropMimeData(&mime, action, -1, -1, {}), accepted);
  QCOMPARE(dropped.count(), accepted ? 1 : 0);
  if (accepted) QCOMPARE(dropped.at(0).at(0).toStringList(), paths);
}

}  // namespace quorvex::ui
