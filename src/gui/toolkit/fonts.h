// Font descriptions of the window ("10.MS Sans Serif.Bold") mapped to real fonts.
#pragma once

#include <QFont>
#include <QString>

namespace lumaro {

// Points, a dot, the face name, optionally ".Bold". "MS Sans Serif" is the system sans-serif;
// "Arial Narrow" is "Liberation Sans Narrow" where installed, else a condensed sans.
QFont FontFromSpec(const QString& spec);

}  // namespace lumaro
