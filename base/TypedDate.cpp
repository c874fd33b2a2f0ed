#include "base/TypedDate.h"

#include <QRegularExpression>

namespace typeddate {

namespace {

const QRegularExpression &beginning()
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{0,8}|\\d{1,2}\\.(\\d{0,2}|\\d{1,2}\\.\\d{0,4}))$"));
    return re;
}

const QRegularExpression &whole()
{
    static const QRegularExpression re(
        QStringLiteral("^(?:(\\d{2})(\\d{2})(\\d{4})|(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}))$"));
    return re;
}

} // namespace

bool canContinue(const QString &typed)
{
    return beginning().match(typed).hasMatch();
}

QDate complete(const QString &typed)
{
    const QRegularExpressionMatch m = whole().match(typed);
    if (!m.hasMatch())
        return {};
    const int first = m.capturedLength(1) > 0 ? 1 : 4;
    return QDate(m.captured(first + 2).toInt(), m.captured(first + 1).toInt(),
                 m.captured(first).toInt());
}

} // namespace typeddate
