#include "update/VersionText.h"

#include "base/ProgramInfo.h"

#include <cmath>

namespace update {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<double> parseVersionText(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;

    qsizetype i = begin;
    if (i < end && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < end && isDigit(text.at(i))) {
        ++i;
        ++digits;
    }
    if (i < end && text.at(i) == u'.') {
        ++i;
        while (i < end && isDigit(text.at(i))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text.at(i) == u'e' || text.at(i) == u'E')) {
        ++i;
        if (i < end && (text.at(i) == u'+' || text.at(i) == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < end && isDigit(text.at(i))) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    // The text is now known to hold only ASCII digits, signs, a point and an exponent, which
    // the C-locale conversion reads exactly.
    bool ok = false;
    const double value = text.mid(begin, end - begin).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double availableVersion(const QByteArray &content, double programVersion)
{
    // Every byte is one character, as the version file is read byte by byte.
    return parseVersionText(QString::fromLatin1(content)).value_or(programVersion);
}

QString updateQuestion(double programVersion, double available, QChar decimalSeparator)
{
    return QStringLiteral("Aktuelle Programm-Version: ")
        + programinfo::formatVersion(programVersion, decimalSeparator) + u'\r'
        + QStringLiteral("Verfügbare Programm-Version: ")
        + programinfo::formatVersion(available, decimalSeparator) + u'\r'
        + QStringLiteral("Möchten Sie jetzt eine Aktualisierung durchführen?");
}

} // namespace update
