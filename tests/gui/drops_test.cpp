// Files and folders dropped onto the window, delivered to the window as the
// window system delivers a drag: the window finds the control under the
// pointer, or the nearest parent that takes drops.
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include "find_component.h"
#include "gui/browse_edit.h"
#include "gui/main_window.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

using testing::Find;

// Drags data over the middle of the control and lets go there when the
// window accepts it. Returns whether the drop was taken.
bool DropOnto(QWidget& control, const QMimeData& data, Qt::DropActions actions) {
  QWidget* window = control.window();
  QWindow* handle = window->windowHandle();
  const QPointF at = window->mapFromGlobal(control.mapToGlobal(control.rect().center()));
  QDragEnterEvent enter(at.toPoint(), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &enter);
  QDragMoveEvent move(at.toPoint(), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &move);
  if (!move.isAccepted()) {
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(handle, &leave);
    return false;
  }
  QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &drop);
  return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

QString Native(const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }

// What a file manager drags: the entries as URLs.
std::unique_ptr<QMimeData> Entries(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data->setUrls(urls);
  return data;
}

// The window, shown, with a file and a folder to drag onto it.
struct Stage {
  Stage() {
    testing::WriteBytes(file, ">a\nACGT\n");
    testing::WriteBytes(other_file, ">b\nGG\n");
    std::filesystem::create_directory(folder);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  // Makes the tab that holds the control the current one, so that it shows.
  void ShowPageOf(QWidget& control) {
    auto* tabs = Find<QTabWidget>(form, "xxx");
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->widget(i)->isAncestorOf(&control)) tabs->setCurrentIndex(i);
    }
    QCoreApplication::processEvents();
  }
  // The texts of the six file fields and the folder field.
  QStringList Fields() const {
    QStringList texts;
    for (const char* name : {"Edit5", "Edit3", "Edit1", "Edit2", "Edit6", "Edit7", "LMDBrowseEdit1"}) {
      texts << Find<QLineEdit>(form, name)->text();
    }
    return texts;
  }

  testing::TempFolder temp;
  std::string file = temp / "genes.fa";
  std::string other_file = temp / "more.fa";
  std::string folder = temp / "out";
  TForm1 form;
};

}  // namespace

class DropsTest : public QObject {
  Q_OBJECT

 private slots:
  void FileSetsTheFieldItLandsOn_data() {
    QTest::addColumn<QString>("target");  // where the file is let go
    QTest::addColumn<QString>("field");   // the field that takes its path
    // The fields themselves.
    for (const char* field : {"Edit5", "Edit3", "Edit1", "Edit2", "Edit6", "Edit7"}) {
      QTest::newRow(field) << field << field;
    }
    // Elsewhere on a page: its help text, its other controls.
    QTest::newRow("Ardenta page") << "Label1" << "Edit5";
    QTest::newRow("Lenmark page") << "Label3" << "Edit3";
    QTest::newRow("Lenmark comparison") << "ComboBox1" << "Edit3";
    QTest::newRow("Lenmark length") << "wwDBSpinEdit2" << "Edit3";
    QTest::newRow("Listrel page") << "Label9" << "Edit1";
    QTest::newRow("Listrel criteria") << "RadioGroup1" << "Edit1";
    QTest::newRow("GC-content page") << "Label7" << "Edit6";
    QTest::newRow("GC-content GO") << "BitBtn3" << "Edit6";
    QTest::newRow("Ordinel page") << "Label8" << "Edit7";
  }

  void FileSetsTheFieldItLandsOn() {
    QFETCH(QString, target);
    QFETCH(QString, field);
    Stage stage;
    auto* control = stage.form.findChild<QWidget*>(target);
    QVERIFY(control);
    stage.ShowPageOf(*control);
    const QString current_folder = QDir::currentPath();
    QStringList expected = stage.Fields();
    expected[static_cast<int>(QStringList({"Edit5", "Edit3", "Edit1", "Edit2", "Edit6", "Edit7"}).indexOf(field))] =
        Native(stage.file);

    QVERIFY(DropOnto(*control, *Entries({QString::fromStdString(stage.file)}), Qt::CopyAction | Qt::MoveAction));
    QCOMPARE(stage.Fields(), expected);
    // As the "..." button would set it, but the current folder stays.
    QCOMPARE(QDir::currentPath(), current_folder);
  }

  void FolderSetsTheOutputFolderFieldOnce() {
    Stage stage;
    auto* field = Find<TLMDBrowseEdit>(stage.form, "LMDBrowseEdit1");
    QSignalSpy changes(field, &TLMDBrowseEdit::Change);
    QVERIFY(DropOnto(*field, *Entries({QString::fromStdString(stage.folder)}), Qt::CopyAction | Qt::MoveAction));
    QCOMPARE(field->Text(), Native(stage.folder));
    QCOMPARE(changes.count(), 1);
    // The window's change handler ran: the carrier follows.
    QCOMPARE(Find<QLineEdit>(stage.form, "Edit4")->text(), Native(stage.folder));
    // Onto the browse button at its end, too; the same folder again is no change.
    QVERIFY(DropOnto(*field->BrowseButton(), *Entries({QString::fromStdString(stage.folder)}), Qt::CopyAction));
    QCOMPARE(changes.count(), 1);
  }

  void AnythingElseIsRefused_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("what");
    QTest::newRow("folder onto a file field") << "Edit6" << "folder";
    QTest::newRow("folder onto a page") << "Label7" << "folder";
    QTest::newRow("file onto the folder field") << "LMDBrowseEdit1" << "file";
    QTest::newRow("two files") << "Edit6" << "two files";
    QTest::newRow("missing file") << "Edit6" << "missing file";
    QTest::newRow("web address") << "Edit6" << "web address";
    QTest::newRow("text onto a file field") << "Edit6" << "text";
    QTest::newRow("text onto the number field") << "wwDBSpinEdit2" << "text";
    QTest::newRow("text onto the folder field") << "LMDBrowseEdit1" << "text";
    QTest::newRow("file, moved only") << "Edit6" << "move only";
    QTest::newRow("file onto the Close button") << "Closevvv" << "file";
    QTest::newRow("file onto the tabs") << "xxx" << "file";
  }

  void AnythingElseIsRefused() {
    QFETCH(QString, target);
    QFETCH(QString, what);
    Stage stage;
    auto* control = stage.form.findChild<QWidget*>(target);
    QVERIFY(control);
    stage.ShowPageOf(*control);
    const QString file = QString::fromStdString(stage.file);
    std::unique_ptr<QMimeData> data;
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    if (what == "folder") data = Entries({QString::fromStdString(stage.folder)});
    if (what == "file") data = Entries({file});
    if (what == "two files") data = Entries({file, QString::fromStdString(stage.other_file)});
    if (what == "missing file") data = Entries({QString::fromStdString(stage.temp / "gone.fa")});
    if (what == "move only") {
      data = Entries({file});
      actions = Qt::MoveAction;
    }
    if (what == "web address") {
      data = std::make_unique<QMimeData>();
      data->setUrls({QUrl(QStringLiteral("https://example.org/genes.fa"))});
    }
    if (what == "text") {
      data = std::make_unique<QMimeData>();
      data->setText(file);
    }
    QVERIFY(data);
    const QStringList before = stage.Fields();
    // The tabs' own area: the strip of the tab captions.
    if (target == "xxx") control = Find<QTabWidget>(stage.form, "xxx")->tabBar();
    QVERIFY(!DropOnto(*control, *data, actions));
    QCOMPARE(stage.Fields(), before);
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::DropsTest)
#include "drops_test.moc"
