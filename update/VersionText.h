#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading the version file of the maker's web server.
namespace update {

// The number of a version text: an optional sign, digits with an optional decimal point and
// an optional exponent, surrounded by any number of blanks (spaces only). Anything else - a
// comma, a line break, a tab, a second number - makes the text unreadable (nullopt).
std::optional<double> parseVersionText(const QString &text);

// The version the server offers: the content read as a number, or the program's own version
// when it cannot be read, so that an odd version file never leads to a question.
double availableVersion(const QByteArray &content, double programVersion);

// The question asked when a newer version is available, with "\r" between its lines.
QString updateQuestion(double programVersion, double available, QChar decimalSeparator);

} // namespace update
