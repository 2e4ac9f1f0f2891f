// Where the window keeps its field values and where its output goes until
// the user names a folder. A copy in a folder that the user may write to is
// portable and keeps both beside itself; a program installed for all users
// keeps them in the user's own folders, since it may not write beside itself.
#pragma once

#include <QString>
#include <string>

namespace vendral {

struct ProgramPlaces {
  bool portable = true;
  // IniVal1's file name; empty: the store's own, INIVAL1.INI beside the program.
  std::string settings_file;
  // Read before settings_file and never written: the values an
  // administrator may ship beside an installed program. Empty when portable.
  std::string shipped_settings;
  // What the output folder field shows when no folder has been stored.
  QString default_output_folder;
};

// The folder of the running program file, with its separator.
QString ProgramFolder();

// program_folder ends with its separator.
ProgramPlaces PortablePlaces(const QString& program_folder = ProgramFolder());
// config_folder: the user's configuration folder; documents_folder: the
// user's documents.
ProgramPlaces InstalledPlaces(const QString& program_folder, const QString& config_folder,
                              const QString& documents_folder);

// Decided once, at start-up, from whether the user may write into the
// program's folder.
ProgramPlaces PlacesOfThisProgram();

}  // namespace vendral
