#include "order/PdfNames.h"

#include <QDir>
#include <QFileInfo>

namespace pdfnames {
namespace {

// A day's name may hold characters no file name can ("Tag der Arbeit / 1. Mai"); they become
// "-", so that the name stays one file in the folder chosen.
QString fileNamePart(const QString &text)
{
    QString part = text.trimmed();
    for (QChar &c : part) {
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<'
            || c == u'>' || c == u'|' || c.unicode() < 32)
            c = u'-';
    }
    // A name of dots alone would name the folder itself or the one above it.
    while (part.startsWith(u'.'))
        part.remove(0, 1);
    return part;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString dayFileName(const QString &kind, const QString &dayName, const QDate &date)
{
    QStringList parts { kind };
    for (const QString &part : { fileNamePart(dayName), dateText(date) }) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(u' ') + QStringLiteral(".pdf");
}

} // namespace

QString orderFileName(const QString &dayName, const QDate &date)
{
    return dayFileName(QStringLiteral("Ablauf"), dayName, date);
}

QString lectorFileName(const QString &dayName, const QDate &date)
{
    return dayFileName(QStringLiteral("Lesungen"), dayName, date);
}

QString hymnPlanFileName(const QDate &from, const QDate &to)
{
    return QStringLiteral("Liedplan %1 bis %2.pdf").arg(dateText(from), dateText(to));
}

QString besidePrevious(const QString &previousPath, const QString &fileName,
                       const QString &fallbackFolder)
{
    const QString folder
        = previousPath.isEmpty() ? fallbackFolder : QFileInfo(previousPath).absolutePath();
    return QDir(folder).filePath(fileName);
}

} // namespace pdfnames
