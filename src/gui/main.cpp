// Vendral: one window with a tab per tool.
#include <QApplication>
#include <QIcon>
#include <iostream>

#include "core/run/run_frame.h"
#include "gui/close_on_termination_request.h"
#include "gui/command_line.h"
#include "gui/installed_settings.h"
#include "gui/main_window.h"
#include "gui/program_places.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  if (const auto answer = vendral::CommandLineAnswer(argc, argv)) {
    std::cout << *answer;
    return 0;
  }
  QApplication application(argc, argv);
  // The taskbar entry shows the application title, the caption the window's own.
  QApplication::setApplicationName(
      QString::fromLocal8Bit(vendral::ApplicationTitle(vendral::platform::ProgramFilePath())));
  // The menu entry's icon, where one is installed, and its name, by which
  // a desktop tells that the window belongs to the entry.
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vendral")));
  QGuiApplication::setDesktopFileName(QStringLiteral("vendral"));
  const vendral::ProgramPlaces places = vendral::PlacesOfThisProgram();
  // IniVal1 restores the stored values before the window shows and saves
  // them when the window is destroyed, after the event loop has ended.
  vendral::TForm1 form([&places](vendral::TForm1& window) { vendral::AttachIniVal1(window, places); },
                       places.default_output_folder);
  // SIGTERM and SIGHUP end the program as Close does, values saved.
  vendral::CloseOnTerminationRequest close_on_termination;
  // After the stored values, so that the file asked for wins.
  const QString source = vendral::SourceFileArgument(QApplication::arguments());
  if (!source.isEmpty()) form.OpenSourceFile(source);
  form.show();
  return application.exec();
}
