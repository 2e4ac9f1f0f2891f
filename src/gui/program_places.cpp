#include "gui/program_places.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/platform.h"

namespace vendral {

namespace {

const QString kIniFile = QStringLiteral("INIVAL1.INI");

std::string FileNameBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The folder with the native separators and one separator at its end.
QString AsFolder(const QString& path) {
  QString folder = QDir::toNativeSeparators(QDir::cleanPath(path));
  if (!folder.endsWith(QChar::fromLatin1(platform::kPathSeparator))) {
    folder += QChar::fromLatin1(platform::kPathSeparator);
  }
  return folder;
}

}  // namespace

QString ProgramFolder() {
  const std::string program = platform::ProgramFilePath();
  return QFile::decodeName(QByteArray::fromStdString(program.substr(0, platform::FileNameStart(program))));
}

ProgramPlaces PortablePlaces(const QString& program_folder) {
  ProgramPlaces places;
  places.default_output_folder =
      program_folder + QStringLiteral("output") + QChar::fromLatin1(platform::kPathSeparator);
  return places;
}

ProgramPlaces InstalledPlaces(const QString& program_folder, const QString& config_folder,
                              const QString& documents_folder) {
  ProgramPlaces places;
  places.portable = false;
  places.settings_file = FileNameBytes(AsFolder(AsFolder(config_folder) + QStringLiteral("Vendral")) + kIniFile);
  places.shipped_settings = FileNameBytes(program_folder + kIniFile);
  places.default_output_folder = AsFolder(AsFolder(documents_folder) + QStringLiteral("Vendral/output"));
  return places;
}

ProgramPlaces PlacesOfThisProgram() {
  const QString program_folder = ProgramFolder();
  if (platform::IsWritableFolder(FileNameBytes(program_folder))) return PortablePlaces(program_folder);
  // $XDG_CONFIG_HOME, or ~/.config when it is not set.
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return InstalledPlaces(program_folder, config, documents);
}

}  // namespace vendral
