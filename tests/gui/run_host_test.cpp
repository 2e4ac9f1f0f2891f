// The window's run host: the boxes, the busy cursor and the folder field.
#include <QApplication>
#include <QMessageBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <thread>

#include "core/run/failure.h"
#include "core/run/run_frame.h"
#include "gui/box_width.h"
#include "gui/browse_edit.h"
#include "gui/progress_dialog.h"
#include "gui/qt_run_host.h"
#include "modal.h"

namespace vendral {

namespace {

struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  int width = 0;
  QPoint frame_centre;
  QPoint screen_centre;
  Qt::CursorShape cursor = Qt::BlankCursor;
  bool closed = false;
};

// Notes what the next box shows, then closes it with the key.
void CloseNextBoxWith(Qt::Key key, Seen& seen) {
  testing::WhenModal([key, &seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return modal->close(), void();
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    seen.width = box->width();
    seen.frame_centre = box->frameGeometry().center();
    seen.screen_centre = box->screen()->availableGeometry().center();
    seen.cursor = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
    QTest::keyClick(box, key);
    seen.closed = !box->isVisible();
  });
}

struct Fixture {
  Fixture() : field(new TLMDBrowseEdit(&window)), host(window, *field) {}
  ~Fixture() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  }
  QWidget window;
  TLMDBrowseEdit* field;
  QtRunHost host;
};

}  // namespace

class RunHostTest : public QObject {
  Q_OBJECT

 private slots:
  void Boxes_data() {
    QTest::addColumn<bool>("failure");
    QTest::addColumn<int>("key");
    QTest::newRow("notice, Enter") << false << int(Qt::Key_Enter);
    QTest::newRow("notice, Esc") << false << int(Qt::Key_Escape);
    QTest::newRow("failure, Return") << true << int(Qt::Key_Return);
    QTest::newRow("failure, Esc") << true << int(Qt::Key_Escape);
  }

  void Boxes() {
    QFETCH(bool, failure);
    QFETCH(int, key);
    Fixture fixture;
    Seen seen;
    CloseNextBoxWith(static_cast<Qt::Key>(key), seen);
    if (failure) {
      fixture.host.ShowFailure("File not found.");
    } else {
      fixture.host.ShowNotice("Done!");
    }
    QVERIFY(seen.closed);
    // The program file is vendral_run_host_tests: cut at the first ".".
    QCOMPARE(seen.title, QStringLiteral("vendral_run_host_tests"));
    QCOMPARE(seen.text, failure ? QStringLiteral("File not found.") : QStringLiteral("Done!"));
    QCOMPARE(seen.icon, failure ? QMessageBox::Critical : QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    // Wide enough for the caption beside the window manager's buttons.
    QVERIFY(seen.width >= kMinimumBoxWidth);
    QVERIFY(seen.width >= BoxMinimumWidth(seen.title));
    // In the middle of the screen, frame and all.
    QVERIFY((seen.frame_centre - seen.screen_centre).manhattanLength() <= 2);
  }

  // From the failure to the box as bytes: byte 0 does not cut the text.
  void FailureWithByte0ReachesTheBoxWhole() {
    Fixture fixture;
    Seen seen;
    CloseNextBoxWith(Qt::Key_Enter, seen);
    const std::string text("1\0002", 3);
    QVERIFY(RunGuarded(fixture.host, [&] { throw ConversionError(text); }) == RunOutcome::kFailed);
    QVERIFY(seen.closed);
    QCOMPARE(seen.text, QStringLiteral("'1") + QChar(0) + QStringLiteral("2' is not a valid integer value."));
  }

  void BusyCursorIsTheSqlHourglass() {
    Fixture fixture;
    QVERIFY(!QApplication::overrideCursor());
    fixture.host.SetBusyCursor();
    const QCursor* busy = QApplication::overrideCursor();
    QVERIFY(busy);
    QCOMPARE(busy->shape(), Qt::BitmapCursor);
    QCOMPARE(busy->hotSpot(), QPoint(0, 0));
    const QImage image = busy->pixmap().toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    // Drawn in black and white on a clear ground, letters in the lower part.
    int dark_below = 0;
    int clear = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel.alpha() == 0) ++clear;
        if (y >= 22 && pixel.alpha() == 255 && pixel.lightness() < 50) ++dark_below;
      }
    }
    QVERIFY(clear > 0);
    QVERIFY(dark_below > 20);
  }

  void BusyCursorIsOneSetting() {
    Fixture fixture;
    fixture.host.SetBusyCursor();
    fixture.host.SetBusyCursor();
    fixture.host.ClearBusyCursor();
    QVERIFY(!QApplication::overrideCursor());
    fixture.host.ClearBusyCursor();
    QVERIFY(!QApplication::overrideCursor());
  }

  void BoxShowsTheDefaultCursorAndGivesTheBusyOneBack() {
    Fixture fixture;
    fixture.host.SetBusyCursor();
    Seen seen;
    CloseNextBoxWith(Qt::Key_Enter, seen);
    fixture.host.ShowNotice("Done!");
    QCOMPARE(seen.cursor, Qt::ArrowCursor);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BitmapCursor);
    fixture.host.ClearBusyCursor();
    QVERIFY(!QApplication::overrideCursor());
  }

  // A run's reports as the tools make them, at the times they come.
  void ProgressDialogShowsTheShareRead() {
    Fixture fixture;
    fixture.window.show();
    const auto dialog = [&] { return fixture.window.findChild<RunProgressDialog*>(); };
    const auto wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    struct {
      bool early_dialog = true;
      int bar_at_show = -1;
      QString label;
      int bar_later = -1;
      bool go_on_after_cancel = true;
    } seen;
    const bool completed = fixture.host.Run([&] {
      fixture.host.ContinueRun("GC-content", "/data/a.fa", 0.1);
      seen.early_dialog = dialog() != nullptr;
      wait(QtRunHost::kProgressDelayMs + 20);
      fixture.host.ContinueRun("GC-content", "/data/a.fa", 0.25);
      seen.bar_at_show = dialog()->Bar()->value();
      seen.label = dialog()->Label()->text();
      wait(QtRunHost::kBarIntervalMs + 20);
      fixture.host.ContinueRun("GC-content", "/data/a.fa", 0.75);
      seen.bar_later = dialog()->Bar()->value();
      dialog()->CancelButton()->click();
      seen.go_on_after_cancel = fixture.host.ContinueRun("GC-content", "/data/a.fa", 0.8);
    });
    QVERIFY(completed);
    QVERIFY(!seen.early_dialog);
    QCOMPARE(seen.label, QStringLiteral("GC-content\n/data/a.fa"));
    QCOMPARE(seen.bar_at_show, 250);
    QCOMPARE(seen.bar_later, 750);
    QVERIFY(!seen.go_on_after_cancel);
    // Hidden when the run is over, and gone once its deletion is handled.
    QVERIFY(!dialog() || !dialog()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog());
  }

  void OutputFolderIsTheFieldsPath() {
    Fixture fixture;
    fixture.field->SetPath(QStringLiteral("/data/out"));
    QCOMPARE(fixture.host.OutputFolderPath(), std::string("/data/out"));
    QSignalSpy changes(fixture.field, &TLMDBrowseEdit::Change);
    fixture.host.SetOutputFolderPath("/data/out/");
    QCOMPARE(fixture.field->Path(), QStringLiteral("/data/out/"));
    QCOMPARE(changes.count(), 1);
    fixture.host.SetOutputFolderPath("/data/out/");
    QCOMPARE(changes.count(), 1);
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::RunHostTest)
#include "run_host_test.moc"
