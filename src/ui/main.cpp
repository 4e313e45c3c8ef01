#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <clocale>
#include <cstdio>

#include "batch/locale_formats.h"
#include "batch/program_paths.h"
#include "desk/window_arguments.h"
#include "desk/window_words.h"
#include "ui/desktop_launcher.h"
#include "ui/main_window.h"
#include "ui/prompts.h"
#include "ui/qsettings_store.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
  using namespace quorvex;
  // Answered before the application exists, so that neither needs a display.
  switch (ReadWindowArguments({argv + 1, argv + argc}).action) {
    case WindowArguments::Action::kHelp:
      std::fwrite(kWindowUsage.data(), 1, kWindowUsage.size(), stdout);
      return 0;
    case WindowArguments::Action::kVersion:
      std::fputs("quorvex " QUORVEX_VERSION "\n", stdout);
      return 0;
    case WindowArguments::Action::kOpen:
      break;
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Mentavo"));
  QApplication::setApplicationName(QStringLiteral("quorvex"));
  // Matches the installed desktop entry, so that the desktop shows the program's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvex"));
  // Qt adopts the user's locale for everything; numbers must keep "." whatever it says, while
  // the report's date and time follow it.
  std::setlocale(LC_NUMERIC, "C");
  AdoptUserTimeFormats();

  ui::DialogPrompts prompts;
  // The same folders as the command-line converter's; the window needs both before it opens.
  const ProgramPaths paths = ChooseProgramPaths(ExecutableDirectory(), CurrentUserEnvironment());
  for (const auto& failure : {PrepareLogFolder(paths), PrepareConfigurationsFolder(paths)}) {
    if (failure) {
      prompts.Error(WindowFailureText(*failure));
      return 1;
    }
  }
  const std::string& program_directory = paths.program_directory;

  SystemClock clock;
  ui::QSettingsStore settings;
  ui::SystemDesktopLauncher launcher;
  // Qt has taken its own options out of these.
  std::vector<std::string> arguments;
  const QStringList given = QApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i)
    arguments.push_back(ui::ToStdString(given[i]));
  const std::string help_file = FindResource(program_directory, "help/index.html")
                                    .value_or(program_directory + "help/index.html");

  const ui::WindowServices services{
      .settings = settings,
      .prompts = prompts,
      .launcher = launcher,
      .clock = clock,
      .folder_chooser = nullptr,
      .paths = paths,
      .default_config_path = FindResource(program_directory, "default.qrv"),
      .home_folder = ui::ToStdString(QDir::homePath()),
      .help = {ui::ToQString(help_file), QUrl(QStringLiteral(QUORVEX_WEB_SITE)),
               QStringLiteral(QUORVEX_SUPPORT_EMAIL)},
      .open_paths = ReadWindowArguments(arguments).paths};
  ui::MainWindow window(services);
  prompts.SetParent(&window);
  window.show();
  return QApplication::exec();
}
