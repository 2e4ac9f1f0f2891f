// Vendral: one window with a tab per tool.
#include <QApplication>

#include "core/run_frame.h"
#include "gui/main_window.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The taskbar entry shows the application title, the caption the window's own.
  QApplication::setApplicationName(
      QString::fromLocal8Bit(vendral::ApplicationTitle(vendral::platform::ProgramFilePath())));
  vendral::TForm1 form;
  form.show();
  return application.exec();
}
