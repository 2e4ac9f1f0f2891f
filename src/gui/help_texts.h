// The help texts of the five tabs, one line on the screen per line.
#pragma once

#include <QString>

namespace vendral {

QString ArdentaHelp();
QString LenmarkHelp();
QString ListrelHelp();
QString GcContentHelp();
QString OrdinelHelp();

}  // namespace vendral
