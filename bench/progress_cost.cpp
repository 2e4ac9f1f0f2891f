// What the progress dialog costs a run: the window's GC-content run on one
// source, through the window's run host, once as a GO button runs it (the
// dialog shows after its delay and is kept up to date) and once without the
// dialog, in turns within one process, so that both see the same caches and
// the same load. Prints the medians of CPU time (all threads) and wall time.
// Then Cancel: a click on the dialog's Cancel button, posted from another
// thread at a moment inside the run as the window system would deliver it,
// and the time until the run has returned and the window takes input.
// Usage: progress_cost SOURCE [PAIRS]   (under X, or QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "core/tools/composition.h"
#include "core/run/run_frame.h"
#include "gui/browse_edit.h"
#include "gui/main_window.h"
#include "gui/progress_dialog.h"
#include "gui/qt_run_host.h"

namespace {

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The window's run host, with "Done!" noted instead of shown: the run ends
// there. It also clocks the time spent in its progress callback.
class TimedHost : public vendral::QtRunHost {
 public:
  using QtRunHost::QtRunHost;
  void ShowNotice(std::string_view text) override {
    done = text == vendral::kDoneText;
    done_at = Seconds(CLOCK_MONOTONIC);
  }
  bool ContinueRun(std::string_view tool, std::string_view source, double fraction_done) override {
    const double start = Seconds(CLOCK_MONOTONIC);
    const bool go_on = QtRunHost::ContinueRun(tool, source, fraction_done);
    in_callback += Seconds(CLOCK_MONOTONIC) - start;
    return go_on;
  }
  bool done = false;
  double done_at = 0;
  double in_callback = 0;
};

// Counts the progress dialogs that show.
class DialogCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == QStringLiteral("RunProgressDialog")) ++shown;
    return false;
  }
  int shown = 0;
};

// Clicks Cancel of the dialog that shows, when its event is handled.
class CancelClicker : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    if (auto* dialog = qobject_cast<vendral::RunProgressDialog*>(QApplication::activeModalWidget())) {
      dialog->CancelButton()->click();
      clicked = true;
    }
    return true;
  }
  bool clicked = false;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: progress_cost SOURCE [PAIRS]\n");
    return 64;
  }
  const std::string source = argv[1];
  const int pairs = argc > 2 ? std::stoi(argv[2]) : 9;
  vendral::TForm1 window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* field = window.findChild<vendral::TLMDBrowseEdit*>(QStringLiteral("LMDBrowseEdit1"));
  TimedHost host(window, *field);
  const QString folder = QDir::tempPath() + QStringLiteral("/progress_cost/");
  host.SetOutputFolderPath(folder.toStdString());
  vendral::ToolMode = vendral::kGcLetters;
  const auto tool = [&] { vendral::Action1Execute(host, "", source); };
  DialogCounter dialogs;
  application.installEventFilter(&dialogs);

  std::vector<double> cpu[2];
  std::vector<double> wall[2];
  std::vector<double> overhead;  // the share of a run with the dialog spent on it
  for (int run = 0; run < 2 * pairs; ++run) {
    const int with_dialog = run % 2;
    host.done = false;
    host.in_callback = 0;
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wall0 = Seconds(CLOCK_MONOTONIC);
    if (with_dialog) {
      host.Run(tool);
    } else {
      vendral::RunGuarded(host, tool);  // outside Run: the host never shows the dialog
    }
    const double end = Seconds(CLOCK_MONOTONIC);
    cpu[with_dialog].push_back(Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0);
    wall[with_dialog].push_back(end - wall0);
    // The callback, and what the host does after "Done!": closing the dialog.
    if (with_dialog) overhead.push_back((host.in_callback + end - host.done_at) / (end - wall0));
    if (!host.done) {
      std::fprintf(stderr, "the run did not complete\n");
      return 1;
    }
    QCoreApplication::processEvents();
  }
  const int shown = dialogs.shown;
  std::vector<double> cancel_ms;
  int ended_first = 0;  // runs over before the click came: not counted
  for (int run = 0; static_cast<int>(cancel_ms.size()) < pairs && run < 3 * pairs; ++run) {
    CancelClicker clicker;
    double clicked_at = 0;
    host.done = false;
    // Two thirds of a run in, and after the dialog's 300 ms.
    const double delay = std::max(0.32, Median(wall[1]) * (0.6 + 0.02 * (run % 10)));
    std::thread click([&] {
      std::this_thread::sleep_for(std::chrono::duration<double>(delay));
      clicked_at = Seconds(CLOCK_MONOTONIC);
      QCoreApplication::postEvent(&clicker, new QEvent(QEvent::User));
    });
    host.Run(tool);
    const double returned_at = Seconds(CLOCK_MONOTONIC);
    click.join();
    QCoreApplication::processEvents();
    if (host.done || !clicker.clicked) {
      ++ended_first;
      continue;
    }
    if (!QDir(folder).entryList(QDir::Files).isEmpty()) {
      std::fprintf(stderr, "the cancelled run left its output\n");
      return 1;
    }
    cancel_ms.push_back(1000 * (returned_at - clicked_at));
  }
  if (cancel_ms.empty()) {
    std::fprintf(stderr, "every run ended before Cancel: a larger source, please\n");
    return 1;
  }
  QDir(folder).removeRecursively();
  for (const int with_dialog : {0, 1}) {
    std::printf("%s: CPU %.4f s, wall %.4f s (medians of %d runs)\n",
                with_dialog ? "with the progress dialog   " : "without the progress dialog",
                Median(cpu[with_dialog]), Median(wall[with_dialog]), pairs);
  }
  std::printf("the dialog showed in %d of the %d runs with it; time spent on progress: %.2f %% of a run\n",
              shown, pairs, 100 * Median(overhead));
  std::printf("difference: CPU %+.2f %%, wall %+.2f %%\n", 100 * (Median(cpu[1]) / Median(cpu[0]) - 1),
              100 * (Median(wall[1]) / Median(wall[0]) - 1));
  std::printf("Cancel until the window takes input: median %.1f ms, at most %.1f ms (%zu runs; %d more ended first)\n",
              Median(cancel_ms), *std::max_element(cancel_ms.begin(), cancel_ms.end()), cancel_ms.size(),
              ended_first);
  return 0;
}
