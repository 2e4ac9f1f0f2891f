#include "gui/help_texts.h"

#include <QStringList>

namespace vendral {

namespace {

// The labels do not wrap: each string is one line, blanks at its end kept.
QString Lines(const QStringList& lines) { return lines.join(u'\n'); }

}  // namespace

QString ArdentaHelp() {
  return Lines({
      QStringLiteral("The program calculates thermostability index as proportion of "),
      QStringLiteral("LVWIFMPCDEKR over all aminoacids in the protein after "),
      QStringLiteral("the definition of the index in a journal article of 2007."),
      QString(),
      QStringLiteral("The program uses multiFASTA file with protein sequences as an input file."),
      QString(),
      QStringLiteral("The program returns a .csv file in OUTPUT folder with sequences single "),
      QStringLiteral("line descriptions and thermostability index values listed in separate columns."),
  });
}

QString LenmarkHelp() {
  return Lines({
      QStringLiteral("Lenmark - retains certain sequence lenghts in the database."),
      QString(),
      QStringLiteral("The program uses multiFASTA sequence file as an input file and "),
      QStringLiteral("returns filtered multiFASTA sequence file in OUTPUT folder."),
  });
}

QString ListrelHelp() {
  return Lines({
      QStringLiteral("The program uses multiFASTA sequence file as an input file and returns "),
      QStringLiteral("filtered multiFASTA sequence file in OUTPUT folder."),
      QString(),
      QStringLiteral("MultiFASTA sequence file single-line descriptions must contain numbers only."),
      QStringLiteral("Filter file is a .txt file containing a list of single-line descriptions. "),
  });
}

QString GcContentHelp() {
  return Lines({
      QStringLiteral("The program calculates GC-content as the percentage of nitrogenous "),
      QStringLiteral("bases on a DNA molecule. "),
      QString(),
      QStringLiteral("The program uses multiFASTA file with nucleotide sequences as an input file."),
      QString(),
      QStringLiteral("The program returns a .csv file in OUTPUT folder with sequences single line "),
      QStringLiteral("descriptions and GC-content listed in separate columns."),
  });
}

QString OrdinelHelp() {
  return Lines({
      QStringLiteral("The program replaces existing single-line description in a multiFASTA "),
      QStringLiteral("file with raw numbers."),
      QString(),
      QStringLiteral("The program uses multiFASTA sequence file as an input file."),
      QString(),
      QStringLiteral("The program returns multiFASTA sequence file in OUTPUT folder."),
  });
}

}  // namespace vendral
