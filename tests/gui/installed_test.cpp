// An installed program, which may not write beside itself: where it keeps
// its field values and its output, and the command line by which a desktop
// opens a file with it.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <vector>

#include "gui/browse_edit.h"
#include "gui/command_line.h"
#include "gui/installed_settings.h"
#include "gui/main_window.h"
#include "gui/program_places.h"
#include "find_component.h"
#include "modal.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

using testing::Find;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The section as a first save writes it, with the given values in table order.
std::string Section(const std::vector<std::pair<const char*, std::string>>& keys) {
  std::string text = "[Form1]\r\n";
  for (const auto& [key, value] : keys) text += std::string(key) + "=" + value + "\r\n";
  return text;
}

std::string StoredValues(const std::string& edit5, const std::string& edit6, const std::string& edit4) {
  return Section({{"Edit5", edit5}, {"wwDBSpinEdit2", "1000"}, {"Edit3", ""}, {"ComboBox1", "<"},
                  {"Edit1", ""}, {"Edit2", ""}, {"Edit6", edit6}, {"Edit7", ""},
                  {"Edit4", edit4}, {"Action1", "0"}});
}

// An installed program in a temporary folder: the program's own folder,
// the user's configuration folder and documents, the last two not made yet.
struct Installation {
  ProgramPlaces places() const {
    return InstalledPlaces(Q(temp / "program/"), Q(temp / "config"), Q(temp / "documents"));
  }
  std::string user_file() const { return temp / "config/Vendral/INIVAL1.INI"; }
  std::string shipped_file() const { return temp / "program/INIVAL1.INI"; }
  std::string default_folder() const { return temp / "documents/Vendral/output/"; }

  Installation() { QDir().mkpath(Q(temp / "program")); }
  TempFolder temp;
};

struct Box {
  QString text;
  bool seen = false;
};

void CloseNextBox(Box& box) {
  testing::WhenModal([&box](QWidget* modal) {
    if (auto* message = qobject_cast<QMessageBox*>(modal)) box = {message->text(), true};
    modal->close();
  });
}

// The window as the program starts it in those places.
struct Started {
  explicit Started(const ProgramPlaces& places)
      : form([places](TForm1& f) { AttachIniVal1(f, places); }, places.default_output_folder) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  TForm1 form;
};

}  // namespace

class InstalledTest : public QObject {
  Q_OBJECT

 private slots:
  void Places_data() {
    QTest::addColumn<QString>("program_folder");
    QTest::addColumn<QString>("config_folder");  // empty: a portable copy
    QTest::addColumn<QString>("documents_folder");
    QTest::addColumn<QString>("settings_file");
    QTest::addColumn<QString>("shipped_settings");
    QTest::addColumn<QString>("default_output_folder");
    QTest::newRow("portable") << QStringLiteral("/opt/v/") << QString() << QString() << QString()
                              << QString() << QStringLiteral("/opt/v/output/");
    QTest::newRow("installed") << QStringLiteral("/usr/bin/") << QStringLiteral("/home/u/.config")
                               << QStringLiteral("/home/u/Documents")
                               << QStringLiteral("/home/u/.config/Vendral/INIVAL1.INI")
                               << QStringLiteral("/usr/bin/INIVAL1.INI")
                               << QStringLiteral("/home/u/Documents/Vendral/output/");
    QTest::newRow("folders given with their separators")
        << QStringLiteral("/usr/bin/") << QStringLiteral("/cfg/") << QStringLiteral("/home/u/")
        << QStringLiteral("/cfg/Vendral/INIVAL1.INI") << QStringLiteral("/usr/bin/INIVAL1.INI")
        << QStringLiteral("/home/u/Vendral/output/");
  }

  void Places() {
    QFETCH(QString, program_folder);
    QFETCH(QString, config_folder);
    QFETCH(QString, documents_folder);
    QFETCH(QString, settings_file);
    QFETCH(QString, shipped_settings);
    QFETCH(QString, default_output_folder);
    const ProgramPlaces places = config_folder.isEmpty()
                                     ? PortablePlaces(program_folder)
                                     : InstalledPlaces(program_folder, config_folder, documents_folder);
    QCOMPARE(places.portable, config_folder.isEmpty());
    QCOMPARE(Q(places.settings_file), settings_file);
    QCOMPARE(Q(places.shipped_settings), shipped_settings);
    QCOMPARE(places.default_output_folder, default_output_folder);
  }

  void CommandLineAnswer_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("first_line");  // of the answer; empty: the window starts
    const QString version = QStringLiteral("Vendral 0.99");
    const QString usage = QStringLiteral("Usage: Vendral [FILE]");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("a file") << QStringList{QStringLiteral("genes.fa")} << QString();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << version;
    QTest::newRow("version after a file")
        << QStringList{QStringLiteral("genes.fa"), QStringLiteral("--version")} << version;
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << usage;
    QTest::newRow("short help") << QStringList{QStringLiteral("-h")} << usage;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--verbose")} << QString();
    QTest::newRow("a file named --version")
        << QStringList{QStringLiteral("--"), QStringLiteral("--version")} << QString();
  }

  void CommandLineAnswer() {
    QFETCH(QStringList, arguments);
    std::vector<std::string> texts{"Vendral"};
    for (const QString& argument : arguments) texts.push_back(argument.toStdString());
    std::vector<const char*> argv;
    for (const std::string& text : texts) argv.push_back(text.c_str());
    QFETCH(QString, first_line);
    const auto answer = vendral::CommandLineAnswer(static_cast<int>(argv.size()), argv.data());
    QCOMPARE(answer ? Q(*answer).section(QLatin1Char('\n'), 0, 0) : QString(), first_line);
    if (answer) QVERIFY(answer->back() == '\n');
  }

  void SourceFileArgument_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("source");
    const QString here = QDir::currentPath() + QLatin1Char('/');
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("absolute") << QStringList{QStringLiteral("/data/genes.fa")} << QStringLiteral("/data/genes.fa");
    QTest::newRow("relative to the current folder")
        << QStringList{QStringLiteral("genes.fa")} << here + QStringLiteral("genes.fa");
    QTest::newRow("the first one, options passed over")
        << QStringList{QStringLiteral("--unknown"), QStringLiteral("/a.fa"), QStringLiteral("/b.fa")}
        << QStringLiteral("/a.fa");
    QTest::newRow("after --, a name that looks like an option")
        << QStringList{QStringLiteral("--"), QStringLiteral("-odd.fa")} << here + QStringLiteral("-odd.fa");
    QTest::newRow("empty") << QStringList{QString()} << QString();
  }

  void SourceFileArgument() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, source);
    arguments.prepend(QStringLiteral("Vendral"));
    QCOMPARE(vendral::SourceFileArgument(arguments), source);
  }

  void OpenSourceFileFillsTheFieldOfTheTabThatOpens() {
    TForm1 form;
    form.OpenSourceFile(QStringLiteral("/data/genes.fa"));
    QCOMPARE(Find<QLineEdit>(form, "Edit6")->text(), QStringLiteral("/data/genes.fa"));
    QCOMPARE(Find<QTabWidget>(form, "xxx")->currentWidget(), Find<QLineEdit>(form, "Edit6")->parentWidget());
  }

  void FirstCloseMakesTheUsersFolderAndFile() {
    Installation installation;
    { Started started(installation.places()); }
    QCOMPARE(ReadBytes(installation.user_file()), StoredValues("", "", installation.default_folder()));
    QVERIFY(!QFileInfo::exists(Q(installation.shipped_file())));
  }

  void ShippedValuesComeFirstAndTheUsersOwnOverThem() {
    Installation installation;
    const std::string shipped = "[Form1]\r\nEdit5=/shipped/a.fa\r\nEdit6=/shipped/g.fa\r\nEdit4=/srv/out/\r\n";
    WriteBytes(installation.shipped_file(), shipped);
    QDir().mkpath(Q(installation.temp / "config/Vendral"));
    WriteBytes(installation.user_file(), "[Form1]\r\nEdit6=/mine/g.fa\r\n");
    {
      Started started(installation.places());
      QCOMPARE(Find<QLineEdit>(started.form, "Edit5")->text(), QStringLiteral("/shipped/a.fa"));
      QCOMPARE(Find<QLineEdit>(started.form, "Edit6")->text(), QStringLiteral("/mine/g.fa"));
      QCOMPARE(Find<TLMDBrowseEdit>(started.form, "LMDBrowseEdit1")->Path(), QStringLiteral("/srv/out/"));
    }
    QCOMPARE(ReadBytes(installation.shipped_file()), shipped);
    QCOMPARE(ReadBytes(installation.user_file()),
             "[Form1]\r\nEdit6=/mine/g.fa\r\nEdit5=/shipped/a.fa\r\nwwDBSpinEdit2=1000\r\nEdit3=\r\n"
             "ComboBox1=<\r\nEdit1=\r\nEdit2=\r\nEdit7=\r\nEdit4=/srv/out/\r\nAction1=0\r\n");
  }

  void FolderThatCannotBeMadeShowsAsAFailingSave() {
    Installation installation;
    WriteBytes(installation.temp / "config", "a file where the folder should be");
    Box box;
    {
      Started started(installation.places());
      CloseNextBox(box);
    }
    QVERIFY(box.seen);
    QCOMPARE(box.text, Q("Unable to write to " + installation.user_file() + "."));
  }

  void DefaultOutputFolderIsReadyForTheFirstRun() {
    Installation installation;
    WriteBytes(installation.temp / "genes.fa", ">a\r\nGGCA\r\n");
    Started started(installation.places());
    const QString folder = Q(installation.default_folder());
    QCOMPARE(Find<TLMDBrowseEdit>(started.form, "LMDBrowseEdit1")->Path(), folder);
    QCOMPARE(Find<QLineEdit>(started.form, "Edit4")->text(), folder);
    // The run makes output itself, as it would beside the program.
    QVERIFY(!QFileInfo::exists(folder));
    started.form.OpenSourceFile(Q(installation.temp / "genes.fa"));
    Box box;
    CloseNextBox(box);
    Find<QPushButton>(started.form, "BitBtn3")->click();
    QCOMPARE(box.text, QStringLiteral("Done!"));
    QCOMPARE(ReadBytes(installation.default_folder() + "genes.fa.GC-Content.csv"),
             std::string("Single-line description,,,GC%\r\n>a,,,75\r\n"));
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::InstalledTest)
#include "installed_test.moc"
