// The progress dialog of a long run: when it shows, what it says, the
// window refusing input meanwhile, and what Cancel leaves behind.
// Mouse and keys go through the window system, as a user's would, so that
// a modal dialog blocks them as it blocks the user's.
#define QTEST_QPA_MOUSE_HANDLING
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/lines/staged_file.h"
#include "find_component.h"
#include "gui/box_width.h"
#include "gui/browse_edit.h"
#include "gui/main_window.h"
#include "gui/progress_dialog.h"
#include "modal.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

using testing::Find;

// Notes every progress dialog and every box that shows, in order.
class ShownDialogs : public QObject {
 public:
  ShownDialogs() { qApp->installEventFilter(this); }
  ~ShownDialogs() override { qApp->removeEventFilter(this); }
  QStringList shown;  // "progress", or the text of a box

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (qobject_cast<RunProgressDialog*>(watched)) shown << QStringLiteral("progress");
      if (auto* box = qobject_cast<QMessageBox*>(watched)) shown << box->text();
    }
    return false;
  }
};

// A GC-content source of many short records; expected receives the whole
// CSV file of it.
std::string SlowSource(std::string& expected) {
  constexpr std::size_t kSize = 4 * 1000 * 1000;
  std::string source;
  source.reserve(kSize + 32);
  expected = "Single-line description,,,GC%\r\n";
  for (int record = 1; source.size() < kSize; ++record) {
    const std::string number = std::to_string(record);
    source.append(">").append(number).append("\nACGT\n");
    expected.append(">").append(number).append(",,,50\r\n");
  }
  return source;
}

// Writes a source into a named pipe a little at a time until released, then
// the rest at once: the run reads for as long as the test needs, on a fast
// machine as on a slow one. A reader that goes away ends the writing.
class SlowFeeder {
 public:
  SlowFeeder(std::string path, std::string bytes) : bytes_(std::move(bytes)) {
    ::signal(SIGPIPE, SIG_IGN);  // a cancelled run closes the pipe
    if (::mkfifo(path.c_str(), 0600) != 0) qFatal("mkfifo failed");
    thread_ = std::thread([this, path] { Feed(path); });
  }
  ~SlowFeeder() {
    stop_ = true;
    thread_.join();
  }
  void Release() { released_ = true; }

 private:
  void Feed(const std::string& path) {
    int fd = -1;
    while (fd < 0 && !stop_) {  // no reader yet: open fails, try again
      fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (fd < 0) return;
    ::fcntl(fd, F_SETFL, 0);
    constexpr std::size_t kPiece = 4096;
    for (std::size_t at = 0; at < bytes_.size() && !stop_;) {
      const std::size_t piece = released_ ? bytes_.size() - at : std::min(kPiece, bytes_.size() - at);
      const ssize_t written = ::write(fd, bytes_.data() + at, piece);
      if (written <= 0) break;
      at += static_cast<std::size_t>(written);
      if (!released_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fd);
  }

  std::string bytes_;
  std::atomic<bool> released_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The window with a slow source in the GC-content field, an output folder
// that does not exist yet, and the focus in the source field.
struct SlowRun {
  SlowRun() {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Find<QLineEdit>(form, "Edit6")->setText(QString::fromStdString(source));
    Find<TLMDBrowseEdit>(form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp / "out"));
    Find(form, "Edit6")->setFocus();
  }
  QTabBar* Tabs() const { return Find<QTabWidget>(form, "xxx")->tabBar(); }
  void ClickTab(int index) const { QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center()); }

  testing::TempFolder temp;
  std::string source = temp / "many.fa";
  std::string output = temp / "out/many.fa.GC-Content.csv";
  std::string expected;
  SlowFeeder feeder{source, SlowSource(expected)};
  TForm1 form;
};

}  // namespace

class ProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void ShortRunShowsNothingNew() {
    testing::TempFolder temp;
    testing::WriteBytes(temp / "genes.fa", ">a\nACGT\n");
    TForm1 form;
    form.show();
    Find<QLineEdit>(form, "Edit6")->setText(QString::fromStdString(temp / "genes.fa"));
    Find<TLMDBrowseEdit>(form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp.path()));
    ShownDialogs dialogs;
    testing::WhenModalOf<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Enter); });
    Find<QPushButton>(form, "BitBtn3")->click();
    QCOMPARE(dialogs.shown, QStringList{QStringLiteral("Done!")});
  }

  void CancelEndsTheRunWithoutABox_data() {
    QTest::addColumn<bool>("escape");
    QTest::addColumn<bool>("earlier");
    QTest::newRow("Cancel button") << false << false;
    QTest::newRow("Esc") << true << false;
    QTest::newRow("Cancel over an earlier output") << false << true;
  }

  void CancelEndsTheRunWithoutABox() {
    QFETCH(bool, escape);
    QFETCH(bool, earlier);
    SlowRun run;
    const std::string earlier_bytes = "an earlier result\r\n";
    if (earlier) {
      std::filesystem::create_directory(run.temp / "out");
      testing::WriteBytes(run.output, earlier_bytes);
    }
    ShownDialogs dialogs;
    // The press of the click that starts the run; a second one would be the user's.
    QSignalSpy presses(Find<QPushButton>(run.form, "BitBtn3"), &QPushButton::pressed);
    struct {
      QString title;
      QString label;
      int width = 0;
      QPoint offset_from_window_centre;
      Qt::WindowModality modality = Qt::NonModal;
      bool partial_output = false;
      bool output_as_before = false;
      int tab = -1;
      int presses = 0;
      bool window_visible = false;
      QString source_field;
    } seen;
    testing::WhenModalOf<RunProgressDialog>([&](RunProgressDialog* dialog) {
      seen.title = dialog->windowTitle();
      seen.label = dialog->Label()->text();
      seen.width = dialog->width();
      seen.offset_from_window_centre = dialog->frameGeometry().center() - run.form.frameGeometry().center();
      seen.modality = dialog->windowModality();
      // The run writes its own file; the output's name is not touched.
      seen.partial_output = std::filesystem::exists(StagedFile::OwnName(run.output, ::getpid()));
      seen.output_as_before = earlier ? testing::ReadBytes(run.output) == earlier_bytes
                                      : !std::filesystem::exists(run.output);
      // A user tries the tabs, the GO button, the Close button and a key.
      run.ClickTab(0);
      QTest::mouseClick(Find(run.form, "BitBtn3"), Qt::LeftButton);
      QTest::mouseClick(Find(run.form, "Closevvv"), Qt::LeftButton);
      QTest::keyClick(run.form.windowHandle(), Qt::Key_X);
      seen.tab = run.Tabs()->currentIndex();
      seen.presses = static_cast<int>(presses.count());
      seen.window_visible = run.form.isVisible();
      seen.source_field = Find<QLineEdit>(run.form, "Edit6")->text();
      if (escape) {
        QTest::keyClick(dialog, Qt::Key_Escape);
      } else {
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
      }
    });
    Find<QPushButton>(run.form, "BitBtn3")->click();

    QCOMPARE(seen.title, QStringLiteral("vendral_progress_tests"));
    QVERIFY2(seen.label.contains(QStringLiteral("GC-content")), qPrintable(seen.label));
    QVERIFY2(seen.label.contains(QString::fromStdString(run.source)), qPrintable(seen.label));
    QVERIFY(seen.width >= BoxMinimumWidth(seen.title));
    QVERIFY(seen.offset_from_window_centre.manhattanLength() <= 2);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(seen.partial_output);
    QVERIFY(seen.output_as_before);
    // Nothing the user tried reached the window.
    QCOMPARE(seen.tab, TForm1::kGcContentTab);
    QCOMPARE(seen.presses, 1);
    QVERIFY(seen.window_visible);
    QCOMPARE(seen.source_field, QString::fromStdString(run.source));

    // No box, no partial output, an earlier output as it was; the folder
    // the run made stays.
    QCOMPARE(dialogs.shown, QStringList{QStringLiteral("progress")});
    QVERIFY(!std::filesystem::exists(StagedFile::OwnName(run.output, ::getpid())));
    if (earlier) {
      QVERIFY(testing::ReadBytes(run.output) == earlier_bytes);
    } else {
      QVERIFY(!std::filesystem::exists(run.output));
    }
    QVERIFY(std::filesystem::is_directory(run.temp / "out"));
    QVERIFY(!QApplication::activeModalWidget());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(run.form.findChildren<RunProgressDialog*>().isEmpty());
    // The window takes input again.
    run.ClickTab(0);
    QCOMPARE(run.Tabs()->currentIndex(), 0);
  }

  void SlowRunEndsWithDoneAfterTheDialog() {
    SlowRun run;
    ShownDialogs dialogs;
    testing::WhenModalOf<RunProgressDialog>([&](RunProgressDialog*) {
      run.feeder.Release();
      // The box that ends the run, once the dialog has gone.
      testing::WhenModalOf<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Enter); });
    });
    Find<QPushButton>(run.form, "BitBtn3")->click();
    QCOMPARE(dialogs.shown, QStringList({QStringLiteral("progress"), QStringLiteral("Done!")}));
    // Not printed when it fails: the file is large.
    QVERIFY(testing::ReadBytes(run.output) == run.expected);
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::ProgressTest)
#include "progress_test.moc"
