// The window opens and saves configurations of both forms, as the command line reads them: the
// built quorvex-cli is run on the same files for comparison.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "config/data_nodes.h"
#include "gui_test.h"
#include "support/attributed_points.h"
#include "ui/config_tree_view.h"
#include "ui/models/config_tree_model.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;

constexpr int kRunTimeoutMs = 30000;

// A configuration that only the TOML form holds whole: quoted fields, LF line ends and a BOM.
const QByteArray kSiteToml =
    "extension = \"csv\"\n"
    "separator = \"semicolon\"\n"
    "kinds = [\"points\", \"lines\", \"lines.start\", \"text\", \"blocks\"]\n"
    "quote = true\n"
    "line-ends = \"lf\"\n"
    "bom = true\n"
    "[[fields]]\n"
    "name = \"layer\"\n"
    "export = true\n"
    "[[fields]]\n"
    "name = \"text\"\n"
    "export = true\n"
    "[[fields]]\n"
    "name = \"x\"\n"
    "export = true\n"
    "decimals = 2\n";

// What quorvex-cli printed on its standard output; its exit status must be 0.
QByteArray RunCli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QStringLiteral(QUORVEX_CLI_PATH), arguments);
  if (!cli.waitForFinished(kRunTimeoutMs) || cli.exitCode() != 0) {
    qWarning() << cli.readAllStandardError();
    return QByteArray("quorvex-cli failed");
  }
  return cli.readAllStandardOutput();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A window that loaded "site.toml" (kSiteToml) of the configurations folder with its "Load
// configuration" button, the start-up fallback's prompt answered No; null when it could not.
std::unique_ptr<MainWindow> StartOnSiteToml(testing::WindowFixture& f) {
  const QString site = f.configurations() + "/site.toml";
  if (!QDir().mkpath(f.configurations()) || !WriteFile(site, kSiteToml)) return nullptr;
  auto window = f.startWindow();
  if (!window) return nullptr;
  f.prompts.answers = {Prompts::Answer::kNo};
  f.prompts.files_to_load = {site.toStdString()};
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  if (!Press(Find<QToolButton>(*window, "loadButton"))) return nullptr;
  f.prompts.questions.clear();
  return window;
}

// Processes site_blocks.dxf of the drawings in `window`, and converts it with "quorvex-cli -c
// `config`" into a folder of its own, which it returns; empty when the window's run failed.
QString ProcessSiteBlocks(testing::WindowFixture& f, MainWindow& window, const QString& config) {
  Find<QTabWidget>(window, "tabs")->setCurrentIndex(0);
  if (!testing::ChooseFolder(window, f.drawings())) return {};
  testing::ClickRow(window, 2);
  if (testing::SelectedNames(window) != QStringList{"site_blocks"}) return {};
  QSignalSpy finished(&window, &MainWindow::runFinished);
  if (!Press(Find<QToolButton>(window, "processButton")) || !finished.wait(kRunTimeoutMs) ||
      !f.prompts.errors.empty())
    return {};
  const QString reference = f.makeFolder("reference");
  RunCli({"-q", "-c", config, "-o", reference, "--log", reference + "/log.txt",
          f.drawings() + "/site_blocks.dxf"});
  return reference;
}

QAction* ActionOf(const ConfigTreeView& view, const char* name) {
  return view.findChild<QAction*>(QString::fromLatin1(name));
}

// Types `text` into the "Options" cell of `node`, as a user does: the focus opens its editor.
bool TypeValue(ConfigTreeView& view, int node, const QString& text) {
  auto& model = *qobject_cast<ConfigTreeModel*>(view.model());
  view.setCurrentIndex(model.indexOfNode(node));
  QLineEdit* editor = nullptr;
  if (!QTest::qWaitFor([&] { return (editor = view.viewport()->findChild<QLineEdit*>()); }))
    return false;
  editor->selectAll();
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  const QPointer<QLineEdit> open_editor(editor);
  return QTest::qWaitFor([&] { return !open_editor; });
}

}  // namespace

// A TOML file loaded through the open dialog converts a drawing to the bytes that
// "quorvex-cli -c" gives for the same file.
void GuiTest::tomlLoadedRunsAsTheCommandLine() {
  auto& f = *fixture_;
  auto window = StartOnSiteToml(f);
  QVERIFY(window);
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03 - [site.toml]"));
  QCOMPARE(Find<QLabel>(*window, "statusText")->text(),
           QStringLiteral("Configuration file in use : site.toml"));
  QCOMPARE(StoredSetting(f, "config").toString(), QStringLiteral("site.toml"));

  const QString reference = ProcessSiteBlocks(f, *window, f.configurations() + "/site.toml");
  QVERIFY(!reference.isEmpty());
  const QByteArray data = testing::ReadAll(f.drawings() + "/site_blocks.csv");
  QVERIFY(
      data.startsWith("\xEF\xBB\xBF"
                      "Entity Layer;Text String;"));
  QVERIFY(!data.contains('\r'));
  QCOMPARE(data, testing::ReadAll(reference + "/site_blocks.csv"));
}

// The window's configuration saved as TOML is what "quorvex-cli --print-config" prints of it.
void GuiTest::savedAsTomlPrintsTheSame() {
  auto& f = *fixture_;
  QVERIFY(QDir().mkpath(f.configurations()));
  auto window = f.startWindow();
  QVERIFY(window);
  const QString saved = f.configurations() + "/window.toml";
  f.prompts.files_to_save = {saved.toStdString()};
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03 - [window.toml]"));
  QCOMPARE(StoredSetting(f, "config").toString(), QStringLiteral("window.toml"));
  const QByteArray text = testing::ReadAll(saved);
  QVERIFY(text.startsWith("# Quorvex configuration"));
  QCOMPARE(RunCli({"-c", saved, "--print-config"}), text);
  // The name in use, with its extension, is the configuration the next start loads.
  QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
  f.prompts.information.clear();
  auto next = f.startWindow();
  QVERIFY(next);
  QCOMPARE(next->windowTitle(), QStringLiteral("Quorvex V 4.03 - [window.toml]"));
  QVERIFY(f.prompts.information.empty());
}

// Saving as .qrv a configuration whose settings a .qrv file cannot keep asks first: No writes
// nothing and keeps them, Yes writes the file without them.
void GuiTest::qrvSaveAsksBeforeDroppingSettings() {
  auto& f = *fixture_;
  auto window = StartOnSiteToml(f);
  QVERIFY(window);
  const QString qrv = f.configurations() + "/site.qrv";
  const QString question = QStringLiteral(
      "The .qrv form cannot keep: quote, line-ends, bom. Do you want to save the configuration "
      "without them ?");

  f.prompts.files_to_save = {qrv.toStdString()};
  f.prompts.yes_no_answers = {false};
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  QCOMPARE(testing::Texts(f.prompts.questions), QStringList{question});
  QVERIFY(!QFile::exists(qrv));
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03 - [site.toml]"));
  QCOMPARE(f.prompts.proposed_save_names, std::vector<std::string>{"site.toml"});

  f.prompts.files_to_save = {qrv.toStdString()};
  f.prompts.yes_no_answers = {true};
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  QCOMPARE(testing::ReadAll(qrv).size(), 12749);
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03 - [site.qrv]"));
  QVERIFY(!RunCli({"-c", qrv, "--print-config"}).contains("quote"));
  // What is in use is what the file holds, so Exit does not ask.
  f.prompts.questions.clear();
  QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
  QVERIFY(f.prompts.questions.empty());
  QVERIFY(!window->isVisible());
}

// "Export block contents" is the setting expand-blocks: a click changes it, the TOML form keeps it,
// and a configuration loaded shows it.
void GuiTest::exportBlockContentsBox() {
  auto& f = *fixture_;
  QVERIFY(QDir().mkpath(f.configurations()));
  auto window = f.startWindow();
  QVERIFY(window);
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  auto* box = Find<QCheckBox>(*window, "expandBlocksBox");
  QVERIFY(!box->isChecked());
  box->click();
  const QString saved = f.configurations() + "/blocks.toml";
  f.prompts.files_to_save = {saved.toStdString()};
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  QVERIFY(testing::ReadAll(saved).contains("\nexpand-blocks = true\n"));

  box->click();
  QVERIFY(!box->isChecked());
  f.prompts.answers = {Prompts::Answer::kNo};
  f.prompts.files_to_load = {saved.toStdString()};
  QVERIFY(Press(Find<QToolButton>(*window, "loadButton")));
  QVERIFY(box->isChecked());
}

// A layer filter, plain texts and a code page set through the widgets, saved as TOML, convert a
// drawing to the bytes that "quorvex-cli -c" gives for the saved file.
void GuiTest::layerFilterAndTextsRunAsTheCommandLine() {
  auto& f = *fixture_;
  QVERIFY(QDir().mkpath(f.configurations()));
  auto window = f.startWindow();
  QVERIFY(window);
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  auto* layers = Find<QLineEdit>(*window, "layerNamesEdit");
  QVERIFY(layers && layers->isEnabled());
  QTest::keyClicks(layers, QStringLiteral("veg*, Drain?ge"));
  QVERIFY(Press(Find<QCheckBox>(*window, "textPlainBox")));
  auto* code_page = Find<QComboBox>(*window, "codePageCombo");
  QCOMPARE(code_page->currentText(), QStringLiteral("As the drawing says"));
  code_page->setCurrentIndex(code_page->findText(QStringLiteral("ANSI_1250")));
  const QString saved = f.configurations() + "/layers.toml";
  f.prompts.files_to_save = {saved.toStdString()};
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  const QByteArray toml = testing::ReadAll(saved);
  QVERIFY(
      toml.contains("\nlayers = \"veg*, Drain?ge\"\ncode-page = \"ANSI_1250\"\n"
                    "text-plain = true\n"));

  const QString reference = ProcessSiteBlocks(f, *window, saved);
  QVERIFY(!reference.isEmpty());
  const QByteArray data = testing::ReadAll(f.drawings() + "/site_blocks.txt");
  QVERIFY(data.contains(",VEGETATION\r\n") && data.contains(",DRAINAGE\r\n"));
  QVERIFY(!data.contains(",WATER\r\n") && !data.contains(",BANK\r\n"));
  QCOMPARE(data, testing::ReadAll(reference + "/site_blocks.txt"));
  QVERIFY(testing::ReadAll(f.logFile()).contains("  Layer names : veg*, Drain?ge\r\n"));

  // Loaded again, the file shows its settings in the widgets.
  layers->clear();
  f.prompts.answers = {Prompts::Answer::kNo};
  f.prompts.files_to_load = {saved.toStdString()};
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  QVERIFY(Press(Find<QToolButton>(*window, "loadButton")));
  QCOMPARE(layers->text(), QStringLiteral("veg*, Drain?ge"));
  QVERIFY(Find<QCheckBox>(*window, "textPlainBox")->isChecked());
  QCOMPARE(code_page->currentText(), QStringLiteral("ANSI_1250"));
}

// "Drawing information..." of the file list's pop-up menu shows what --info prints.
void GuiTest::drawingInformation() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  testing::ClickRow(*window, 2);
  auto* action = Find<QAction>(*window, "drawingInfoAction");
  QVERIFY(action);
  action->trigger();
  QDialog* dialog = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QStringLiteral("drawingInfoDialog") && widget->isVisible())
      dialog = qobject_cast<QDialog*>(widget);
  QVERIFY(dialog);
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Drawing information - site_blocks.dxf"));
  const QString text =
      dialog->findChild<QPlainTextEdit*>(QStringLiteral("drawingInfoText"))->toPlainText();
  const QByteArray printed = RunCli({"--info", f.drawings() + "/site_blocks.dxf"});
  QCOMPARE(text, QString::fromUtf8(printed));
  QVERIFY(text.contains(QStringLiteral("\n    TREE : 18\n")));
  dialog->close();
}

// Attribute columns added, captioned, moved and removed through the data tree's pop-up menu and
// editors: the window's run writes the data file that quorvex-cli writes from the configuration
// the window saves as TOML.
void GuiTest::attributeColumnsRunAsTheCommandLine() {
  auto& f = *fixture_;
  const QString survey = f.home() + "/survey";
  QVERIFY(QDir().mkpath(survey) && QDir().mkpath(f.configurations()));
  QVERIFY(WriteFile(survey + "/points.dxf",
                    QByteArray::fromStdString(quorvex::testing::AttributedPointsDxf())));
  auto window = f.startWindow();
  QVERIFY(window);
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  auto& fields = *Find<ConfigTreeView>(*window, "dataTree");
  auto& model = *qobject_cast<ConfigTreeModel*>(fields.model());
  const int pnr = AttributeFieldNode(0), height = AttributeFieldNode(1);

  f.prompts.texts = {"PNR", " h ", std::nullopt, "CODE"};
  for (int i = 0; i < 4; ++i)
    ActionOf(fields, "addAttributeAction")->trigger();
  QCOMPARE(f.prompts.text_dialogs.front(),
           std::string("Add attribute column | Tag of the block attribute :"));
  QCOMPARE(model.rowCount(), 15);
  QCOMPARE(model.indexOfNode(pnr).data().toString(), QStringLiteral("Attribute PNR"));
  QCOMPARE(model.indexOfNode(height).data().toString(), QStringLiteral("Attribute h"));
  QCOMPARE(model.indexOfNode(pnr).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
  QCOMPARE(model.nodeAt(fields.currentIndex()), AttributeFieldNode(2));
  // "Remove attribute column" shows on an attribute column only.
  QAction* remove = ActionOf(fields, "removeAttributeAction");
  emit qobject_cast<QMenu*>(remove->parent())->aboutToShow();
  QVERIFY(remove->isVisible());
  remove->trigger();
  QCOMPARE(model.rowCount(), 14);
  fields.setCurrentIndex(model.indexOfNode(field_node::kX));
  emit qobject_cast<QMenu*>(remove->parent())->aboutToShow();
  QVERIFY(!remove->isVisible());

  ActionOf(fields, "expandAllAction")->trigger();
  QVERIFY(TypeValue(fields, CaptionNodeOf(pnr), QStringLiteral("Point")));
  QVERIFY(TypeValue(fields, CaptionNodeOf(field_node::kX), QStringLiteral("E")));
  fields.setCurrentIndex(model.indexOfNode(pnr));
  for (int i = 0; i < 9; ++i)
    QVERIFY(Press(Find<QToolButton>(*window, "moveUpButton")));
  QCOMPARE(model.index(3, 0).data().toString(), QStringLiteral("Attribute PNR"));

  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(0);
  QVERIFY(testing::ChooseFolder(*window, survey));
  testing::ClickRow(*window, 0);
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));
  QVERIFY(finished.wait(kRunTimeoutMs));
  QVERIFY(f.prompts.errors.empty());
  const QStringList lines = testing::ReadLines(survey + "/points.txt");
  QCOMPARE(lines.mid(0, 2),
           (QStringList{"E,Y (North) coordinate,Point,Z (Elevation) coordinate,Entity Type,"
                        "Entity Layer,h",
                        "2600001.500,1200001.250,101,0.000,INSERT,POINTS,412.30"}));

  const QString saved = f.configurations() + "/survey.toml";
  f.prompts.files_to_save = {saved.toStdString()};
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  QVERIFY(Press(Find<QToolButton>(*window, "saveButton")));
  const QString reference = f.makeFolder("reference");
  RunCli({"-q", "-c", saved, "-o", reference, "--log", reference + "/log.txt",
          survey + "/points.dxf"});
  QCOMPARE(testing::ReadAll(survey + "/points.txt"), testing::ReadAll(reference + "/points.txt"));
}

}  // namespace quorvex::ui
