// Vendral: one window with a tab per tool.
#include <QApplication>

#include "core/run_frame.h"
#include "gui/close_on_termination_request.h"
#include "gui/component_adapters.h"
#include "gui/main_window.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The taskbar entry shows the application title, the caption the window's own.
  QApplication::setApplicationName(
      QString::fromLocal8Bit(vendral::ApplicationTitle(vendral::platform::ProgramFilePath())));
  // IniVal1 restores the stored values before the window shows and saves
  // them when the window is destroyed, after the event loop has ended.
  vendral::TForm1 form([](vendral::TForm1& window) { vendral::AttachIniVal1(window); });
  // SIGTERM and SIGHUP end the program as Close does, values saved.
  vendral::CloseOnTerminationRequest close_on_termination;
  form.show();
  return application.exec();
}
