// The decimal symbol follows the user's locale; this program runs with a
// locale whose symbol is a comma.
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "gui/browse_edit.h"
#include "gui/decimal_symbol.h"
#include "gui/main_window.h"
#include "gui/spin_edit.h"
#include "modal.h"
#include "support/temp_folder.h"

namespace vendral {

class DecimalCommaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCOMPARE(SystemDecimalSymbol(), ','); }

  void NumberFieldUsesTheComma() {
    QWidget window;
    auto* field = new TwwDBSpinEdit(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(field);
    field->SetMinValue(1);
    field->SetMaxValue(10000);
    field->SetValue(2.5);
    QCOMPARE(field->Text(), QStringLiteral("2,5"));
    QCOMPARE(field->Value(), 2.5);
    field->SetText(QStringLiteral("2.5"));
    QCOMPARE(field->Value(), 1.0);

    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QStringLiteral("2.,5"));
    QCOMPARE(field->Text(), QStringLiteral("2,5"));
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->Text(), QStringLiteral("3,5"));
  }

  void CsvValuesUseTheComma() {
    testing::TempFolder temp;
    testing::WriteBytes(temp / "genes.fa", ">g\nGAA\n");
    TForm1 form;
    form.show();
    form.findChild<QLineEdit*>(QStringLiteral("Edit6"))->setText(QString::fromStdString(temp / "genes.fa"));
    form.findChild<TLMDBrowseEdit*>(QStringLiteral("LMDBrowseEdit1"))->SetPath(QString::fromStdString(temp.path()));
    QString notice;
    testing::WhenModal([&notice](QWidget* box) {
      notice = box->property("text").toString();
      QTest::keyClick(box, Qt::Key_Enter);
    });
    form.findChild<QPushButton*>(QStringLiteral("BitBtn3"))->click();
    QCOMPARE(notice, QStringLiteral("Done!"));
    QCOMPARE(testing::ReadBytes(temp / "genes.fa.GC-Content.csv"),
             std::string("Single-line description,,,GC%\r\n>g,,,33,3333333333333\r\n"));
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::DecimalCommaTest)
#include "decimal_comma_test.moc"
