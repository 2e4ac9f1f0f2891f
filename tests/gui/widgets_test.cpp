// The folder field and the number field on their own.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/browse_dialog.h"
#include "gui/browse_edit.h"
#include "gui/spin_edit.h"
#include "modal.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

// A shown, active window holding the field and a second control that can
// take the focus away from it.
template <typename Field>
struct Stage {
  Stage() : field(new Field(&window)), other(new QLineEdit(&window)) {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
  }
  void LeaveField() {
    other->setFocus();
    QCoreApplication::processEvents();
  }
  QWidget window;
  Field* field;
  QLineEdit* other;
};

// The length field as the main window configures it.
void ConfigureLength(TwwDBSpinEdit& field) {
  field.SetMinValue(1);
  field.SetMaxValue(10000);
  field.SetIncrement(1);
  field.SetValue(1000);
}

}  // namespace

class WidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void FolderFieldSameTextFiresNoChange() {
    TLMDBrowseEdit field;
    field.SetText(QStringLiteral("/data/out/"));
    QSignalSpy changes(&field, &TLMDBrowseEdit::Change);
    field.SetText(QStringLiteral("/data/out/"));
    field.SetPath(QStringLiteral("/data/out/"));
    QCOMPARE(changes.count(), 0);
    field.SetPath(QStringLiteral("/data/other/"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(field.Path(), QStringLiteral("/data/other/"));
    QCOMPARE(field.Text(), QStringLiteral("/data/other/"));
    QCOMPARE(field.cursorPosition(), 0);
  }

  void FolderFieldPathKeepsItsEnd() {
    TLMDBrowseEdit field;
    for (const QString& path : {QStringLiteral("out"), QStringLiteral("out/"), QStringLiteral(" a b ")}) {
      field.SetPath(path);
      QCOMPARE(field.Path(), path);
    }
  }

  void FolderFieldEditsFireOnceEach() {
    Stage<TLMDBrowseEdit> stage;
    QSignalSpy changes(stage.field, &TLMDBrowseEdit::Change);
    QTest::keyClicks(stage.field, QStringLiteral("ab"));
    QCOMPARE(changes.count(), 2);
    QTest::keyClick(stage.field, Qt::Key_Backspace);
    QCOMPARE(changes.count(), 3);
    QCOMPARE(stage.field->Text(), QStringLiteral("a"));
  }

  void FolderFieldDropsTypedControlCharacters() {
    Stage<TLMDBrowseEdit> stage;
    stage.field->SetText(QStringLiteral("x"));
    stage.field->end(false);
    QSignalSpy changes(stage.field, &TLMDBrowseEdit::Change);
    for (const char code : {'\x01', '\x07', '\x1b', '\x1f'}) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(code)));
      QCoreApplication::sendEvent(stage.field, &press);
    }
    QCOMPARE(stage.field->Text(), QStringLiteral("x"));
    QCOMPARE(changes.count(), 0);
  }

  void FolderFieldBrowseCancelChangesNothing() {
    Stage<TLMDBrowseEdit> stage;
    QSignalSpy changes(stage.field, &TLMDBrowseEdit::Change);
    bool shown = false;
    testing::WhenModal([&shown](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      shown = dialog && dialog->fileMode() == QFileDialog::Directory;
      modal->close();
    });
    QTest::mouseClick(stage.field->BrowseButton(), Qt::LeftButton);
    QVERIFY(shown);
    QCOMPARE(stage.field->Text(), QString());
    QCOMPARE(changes.count(), 0);
  }

  void FolderFieldBrowseOpensWithOkDisabled() {
    Stage<TLMDBrowseEdit> stage;
    bool ok_enabled = true;
    bool seen = false;
    testing::WhenModal([&](QWidget* modal) {
      auto* buttons = modal->findChild<QDialogButtonBox*>();
      seen = buttons && buttons->button(QDialogButtonBox::Open);
      if (seen) ok_enabled = buttons->button(QDialogButtonBox::Open)->isEnabled();
      modal->close();
    });
    QTest::mouseClick(stage.field->BrowseButton(), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(!ok_enabled);
  }

  void FolderDialogOkWaitsForAChosenFolder() {
    testing::TempFolder temp;
    QVERIFY(QDir().mkdir(QString::fromStdString(temp / "chosen")));
    QWidget window;
    TLMDBrowseDlg dialog(&window, QString::fromStdString(temp.path()));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(view);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    QVERIFY(model);
    const QModelIndex chosen = model->index(QString::fromStdString(temp / "chosen"));
    // The folder is read in the background; OK stays disabled meanwhile.
    QTRY_VERIFY(view->visualRect(chosen).isValid());
    QVERIFY(!dialog.OkButton()->isEnabled());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(chosen).center());
    QVERIFY(dialog.OkButton()->isEnabled());
    QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(temp / "chosen")});
  }

  void FolderFieldBrowseConfirmSetsTheFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("chosen");
    // A blank that belongs to the folder's name stays.
    QTest::newRow("blank at the end") << QStringLiteral("chosen ");
  }

  void FolderFieldBrowseConfirmSetsTheFolder() {
    QFETCH(QString, name);
    testing::TempFolder temp;
    const QString parent = QString::fromStdString(temp.path());
    QVERIFY(QDir(parent).mkdir(name));
    Stage<TLMDBrowseEdit> stage;
    QSignalSpy changes(stage.field, &TLMDBrowseEdit::Change);
    testing::WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return modal->close(), void();
      dialog->setDirectory(parent + name);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    stage.other->setFocus();
    QTest::mouseClick(stage.field->BrowseButton(), Qt::LeftButton);
    QCOMPARE(stage.field->Text(), parent + name);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(stage.window.focusWidget(), stage.field);
  }

  void NumberFieldStartsWithItsText() {
    TwwDBSpinEdit field;
    QCOMPARE(field.Text(), QStringLiteral("0"));
    ConfigureLength(field);
    QCOMPARE(field.Text(), QStringLiteral("1000"));
  }

  void NumberFieldValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << QString() << 1.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 1.0;
    QTest::newRow("fraction") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
    QTest::newRow("below the range") << QStringLiteral("-5") << -5.0;
    QTest::newRow("above the range") << QStringLiteral("20000") << 20000.0;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("no leading digit") << QStringLiteral(".5") << 0.5;
    QTest::newRow("no trailing digit") << QStringLiteral("5.") << 5.0;
    QTest::newRow("exponent without digits") << QStringLiteral("5e") << 1.0;
    QTest::newRow("comma") << QStringLiteral("2,5") << 1.0;
    QTest::newRow("blank before") << QStringLiteral(" 5") << 1.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 1.0;
    QTest::newRow("too large") << QStringLiteral("1e999") << 1.0;
  }

  void NumberFieldValue() {
    QFETCH(QString, text);
    QFETCH(double, value);
    TwwDBSpinEdit field;
    ConfigureLength(field);
    field.SetText(text);
    QCOMPARE(field.Text(), text);
    QCOMPARE(field.Value(), value);
  }

  void NumberFieldSetValueClampsAndFormats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("in range") << 1000.0 << QStringLiteral("1000");
    QTest::newRow("fraction") << 2.5 << QStringLiteral("2.5");
    QTest::newRow("15 significant digits") << 10.0 / 3.0 << QStringLiteral("3.33333333333333");
    QTest::newRow("below") << 0.0 << QStringLiteral("1");
    QTest::newRow("above") << 20000.0 << QStringLiteral("10000");
  }

  void NumberFieldSetValueClampsAndFormats() {
    QFETCH(double, value);
    QFETCH(QString, text);
    TwwDBSpinEdit field;
    ConfigureLength(field);
    field.SetValue(value);
    QCOMPARE(field.Text(), text);
  }

  void NumberFieldWithoutLimitsDoesNotClamp() {
    TwwDBSpinEdit field;
    field.SetValue(-12.5);
    QCOMPARE(field.Text(), QStringLiteral("-12.5"));
  }

  void NumberFieldTypingFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("digits") << QStringLiteral("0123456789") << QStringLiteral("0123456789");
    QTest::newRow("signs and decimal symbol") << QStringLiteral("+-.") << QStringLiteral("+-.");
    QTest::newRow("letter") << QStringLiteral("a") << QString();
    QTest::newRow("exponent letter") << QStringLiteral("1e5") << QStringLiteral("15");
    QTest::newRow("blank and comma") << QStringLiteral("1 ,2") << QStringLiteral("12");
  }

  void NumberFieldTypingFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    Stage<TwwDBSpinEdit> stage;
    ConfigureLength(*stage.field);
    stage.field->clear();
    QTest::keyClicks(stage.field, typed);
    QCOMPARE(stage.field->Text(), text);
    QTest::keyClick(stage.field, Qt::Key_Backspace);
    QCOMPARE(stage.field->Text(), text.left(text.size() - 1));
  }

  void NumberFieldPasteIsNotFiltered() {
    Stage<TwwDBSpinEdit> stage;
    ConfigureLength(*stage.field);
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    stage.field->selectAll();
    QTest::keyClick(stage.field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(stage.field->Text(), QStringLiteral("abc"));
    stage.LeaveField();
    QCOMPARE(stage.field->Text(), QStringLiteral("abc"));
  }

  void NumberFieldClampsWhenLeft_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("negative") << QStringLiteral("-5") << QStringLiteral("1");
    QTest::newRow("above") << QStringLiteral("10001") << QStringLiteral("10000");
    QTest::newRow("assigned by the store") << QStringLiteral("20000") << QStringLiteral("10000");
    QTest::newRow("plus sign") << QStringLiteral("+7") << QStringLiteral("+7");
    QTest::newRow("fraction") << QStringLiteral("2.5") << QStringLiteral("2.5");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("abc");
  }

  void NumberFieldClampsWhenLeft() {
    QFETCH(QString, text);
    QFETCH(QString, left);
    Stage<TwwDBSpinEdit> stage;
    ConfigureLength(*stage.field);
    stage.LeaveField();
    stage.field->SetText(text);
    QCOMPARE(stage.field->Text(), text);
    stage.field->setFocus();
    QCOMPARE(stage.field->Text(), text);
    stage.LeaveField();
    QCOMPARE(stage.field->Text(), left);
  }

  void NumberFieldSteps_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stepped");
    QTest::newRow("up at the top") << QStringLiteral("10000") << int(Qt::Key_Up) << QStringLiteral("10000");
    QTest::newRow("down at the bottom") << QStringLiteral("1") << int(Qt::Key_Down) << QStringLiteral("1");
    QTest::newRow("up from a fraction") << QStringLiteral("2.5") << int(Qt::Key_Up) << QStringLiteral("3.5");
    QTest::newRow("up from empty") << QString() << int(Qt::Key_Up) << QStringLiteral("2");
    QTest::newRow("down from empty") << QString() << int(Qt::Key_Down) << QStringLiteral("1");
    QTest::newRow("up from letters") << QStringLiteral("abc") << int(Qt::Key_Up) << QStringLiteral("2");
    QTest::newRow("down") << QStringLiteral("1000") << int(Qt::Key_Down) << QStringLiteral("999");
    QTest::newRow("up beyond the top") << QStringLiteral("20000") << int(Qt::Key_Up) << QStringLiteral("10000");
  }

  void NumberFieldSteps() {
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(QString, stepped);
    Stage<TwwDBSpinEdit> stage;
    ConfigureLength(*stage.field);
    stage.field->SetText(text);
    stage.field->setModified(false);
    QTest::keyClick(stage.field, static_cast<Qt::Key>(key));
    QCOMPARE(stage.field->Text(), stepped);
    QVERIFY(stage.field->isModified());
  }

  void NumberFieldArrowButtons() {
    Stage<TwwDBSpinEdit> stage;
    ConfigureLength(*stage.field);
    stage.LeaveField();
    QToolButton* up = stage.field->UpButton();
    QToolButton* down = stage.field->DownButton();
    QCOMPARE(up->width(), TwwDBSpinEdit::kButtonWidth);
    QVERIFY(up->geometry().bottom() < down->geometry().top());
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(stage.field->Text(), QStringLiteral("1001"));
    QVERIFY(stage.field->hasFocus());
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(stage.field->Text(), QStringLiteral("999"));
    // Released away from the button: no step.
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(stage.field->Text(), QStringLiteral("999"));
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::WidgetsTest)
#include "widgets_test.moc"
