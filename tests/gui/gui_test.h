#pragma once

#include <QObject>
#include <memory>

namespace quorvex::ui {

namespace testing {
class WindowFixture;
}

/// The real main window driven through its widgets, with the message boxes, file dialogs, the
/// folder dialog and the desktop replaced by recorders, and settings in a temporary file. Every
/// test gets a fresh fixture.
class GuiTest : public QObject {
  Q_OBJECT
 public:
  GuiTest();
  ~GuiTest() override;

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  // Start-up and exit.
  void firstStart_data();
  void firstStart();
  void refusedDefaultConfiguration();
  void savePrompt_data();
  void savePrompt();
  void settingsRestoredAtNextStart();
  void openedWithDrawings_data();
  void openedWithDrawings();

  // Both forms of configuration files.
  void tomlLoadedRunsAsTheCommandLine();
  void savedAsTomlPrintsTheSame();
  void qrvSaveAsksBeforeDroppingSettings();
  void exportBlockContentsBox();
  void layerFilterAndTextsRunAsTheCommandLine();
  void drawingInformation();
  void attributeColumnsRunAsTheCommandLine();

  // Runs.
  void processMatchesTheCore_data();
  void processMatchesTheCore();
  void processRefusals_data();
  void processRefusals();
  void unwritableDestination();
  void stopDuringSecondFile();
  void exitDuringRun();
  void nothingOpensWithoutAnApplication();

  // The "DXF Files" tab.
  void lockUnlockAndTheTree();
  void browse_data();
  void browse();
  void folderDialog_data();
  void folderDialog();
  void headerClicksAndCountLine();
  void fileListNamesTakeTheFreeWidth();
  void extensionBox();
  void autoSelect();

  // The "Configuration" tab.
  void entityCheckRulesAndSelectNone();
  void moveButtonsFollowTheFocus_data();
  void moveButtonsFollowTheFocus();
  void refusedTypedValue_data();
  void refusedTypedValue();
  void keyboardEditsFollowTheCurrentRow_data();
  void keyboardEditsFollowTheCurrentRow();
  void otherSeparator();

  // The preview.
  void previewIsTheDataFileAndFollowsChanges();
  void previewLeavesTheWindowFree();

  // The keyboard.
  void commandButtonsShowTheFocus();
  void mnemonicsAndShortcuts();

  // The "Options / Help" tab.
  void helpTips();
  void helpAndSupportLinks();

 private:
  std::unique_ptr<testing::WindowFixture> fixture_;
};

}  // namespace quorvex::ui
