#pragma once

#include "base/ProgramVersion.h"

#include <QChar>
#include <QString>

// What the program says about itself: its name, its version as the version dialog and the
// update check show it, the maker's addresses, the manual's file name.
namespace programinfo {

// The version as a number, as the update check compares it with the maker's version file.
inline constexpr double kProgramVersion = PERGOLAN_VERSION;

inline QString title()
{
    return QStringLiteral("Pergolan");
}

// The maker's web server: version file, feedback page. The names lie under the reserved
// top-level domain ".example" until the maker's real server is named here: a name nobody can
// register can never hand the program a version number or an installer.
inline constexpr char16_t kMakerHost[] = u"www.pergolan.example";
// The maker's second host name, which serves the installer.
inline constexpr char16_t kDownloadHost[] = u"download.pergolan.example";
// The information address shown in the version dialog (a host name without scheme).
inline constexpr char16_t kInfoAddress[] = u"www.pergolan.example";
// The user manual, relative to the program folder; opened by the help button.
inline constexpr char16_t kHelpFile[] = u"hilfe/index.html";

// The program's current decimal separator: a point once the update check has read a version
// file in this run, otherwise the system's (a comma on German systems).
QChar decimalSeparator();
// The update check has read a version file: from now on the point is the separator.
void useDecimalPoint();
// For tests: back to the system's separator.
void resetDecimalSeparatorForTesting();

// A number formatted like C's "%5.2f" (two decimals, padded with blanks on the left to five
// characters) with the given decimal separator.
QString formatVersion(double version, QChar separator);
// The same with the program's current separator.
QString formatVersion(double version);

// The notice line of the version dialog.
QString noticeLine();

} // namespace programinfo
