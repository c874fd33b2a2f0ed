#include "tests/order/OrderCases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ordercases {

QString casesFolder()
{
    return QStringLiteral(PERGOLAN_ORDER_CASES_DIR);
}

QStringList caseNames()
{
    return QDir(casesFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList readList(const QString &path)
{
    QString text = readText(path);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

namespace {

bool setField(ordertext::OrderInput &in, const QString &key, const QString &value)
{
    QString *const fields[]
        = { &in.dayPanelCaption, &in.dayEntry,     &in.series,     &in.wochenspruch,
            &in.psalm,           &in.atLesung,     &in.epistel,    &in.evangelium,
            &in.predigttext,     &in.eingangslied, &in.wochenlied, &in.vorpredigtslied,
            &in.kollektenlied,   &in.ausgangslied };
    static const QStringList fieldKeys
        = { QStringLiteral("day"),           QStringLiteral("date"),
            QStringLiteral("series"),        QStringLiteral("wochenspruch"),
            QStringLiteral("psalm"),         QStringLiteral("atlesung"),
            QStringLiteral("epistel"),       QStringLiteral("evangelium"),
            QStringLiteral("predigttext"),   QStringLiteral("eingangslied"),
            QStringLiteral("wochenlied"),    QStringLiteral("vorpredigtslied"),
            QStringLiteral("kollektenlied"), QStringLiteral("ausgangslied") };
    const qsizetype field = fieldKeys.indexOf(key);
    if (field >= 0) {
        *fields[field] = value;
        return true;
    }
    QStringList *const memos[]
        = { &in.dialog1,        &in.dialog2, &in.dialog3,    &in.gloriaPatri, &in.kyrie,
            &in.gloriaExcelsis, &in.credo,   &in.vaterUnser, &in.segen };
    static const QStringList memoKeys
        = { QStringLiteral("dialog1"), QStringLiteral("dialog2"),
            QStringLiteral("dialog3"), QStringLiteral("gloriaPatri"),
            QStringLiteral("kyrie"),   QStringLiteral("gloriaExcelsis"),
            QStringLiteral("credo"),   QStringLiteral("vaterUnser"),
            QStringLiteral("segen") };
    const qsizetype memo = memoKeys.indexOf(key);
    if (memo >= 0) {
        memos[memo]->append(value);
        return true;
    }
    return false;
}

} // namespace

OrderCase load(const QString &name, QString *error)
{
    OrderCase c;
    c.folder = casesFolder() + u'/' + name;
    const QString texts = c.folder + QStringLiteral("/Texte");
    if (QFileInfo(texts).isDir())
        c.input.textFilePath = [texts](const QString &fileName) { return texts + u'/' + fileName; };
    c.hasSequence = QFileInfo::exists(c.folder + QStringLiteral("/sequence.txt"));
    c.input.sequence = readList(c.folder + QStringLiteral("/sequence.txt"));

    for (const QString &line : readList(c.folder + QStringLiteral("/input.txt"))) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals);
        const QString value = equals < 0 ? QString() : line.mid(equals + 1);
        bool ok = equals > 0;
        if (!ok) {
        } else if (key == u"colour") {
            const uint rgb = value.mid(1).toUInt(&ok, 16);
            ok = ok && value.size() == 7 && value.startsWith(u'#');
            c.input.colour = ordertext::colourFromRgb(int(rgb >> 16), int(rgb >> 8), int(rgb));
        } else if (key == u"form") {
            c.initial = value == u"start";
            c.form = c.initial ? -1 : value.toInt(&ok);
        } else if (key == u"lesungen") {
            ok = value == u"2" || value == u"3";
            c.input.threeReadings = value == u"3";
        } else if (key == u"tick") {
            ok = QStringList { QStringLiteral("abendmahl"), QStringLiteral("taufe"),
                               QStringLiteral("konfirmation"), QStringLiteral("trauung") }
                     .contains(value);
            c.ticks.append(value);
        } else {
            ok = setField(c.input, key, value);
        }
        if (!ok && error)
            *error = QStringLiteral("input.txt: ") + line;
    }
    return c;
}

QString encodeLines(const QList<ordertext::Line> &lines)
{
    QString text;
    for (const ordertext::Line &line : lines) {
        const ordertext::LineFormat &f = line.format;
        QChar code = u'?';
        if (f.pointSize == ordertext::kHeadingPointSize && f.bold && !f.italic)
            code = u'H';
        else if (f.pointSize == ordertext::kTextPointSize && f.bold && !f.italic)
            code = u'B';
        else if (f.pointSize == ordertext::kTextPointSize && !f.bold && f.italic)
            code = u'I';
        else if (f.pointSize == ordertext::kTextPointSize && !f.bold && !f.italic)
            code = u'R';
        text += code + u'|' + line.text + u'\n';
    }
    return text;
}

QString encode(const ordertext::OrderText &text, const QString &textFolder)
{
    QString result = encodeLines(text.lines);
    if (!text.error.isEmpty()) {
        QString error = text.error;
        if (!textFolder.isEmpty())
            error.replace(textFolder, QStringLiteral("Texte"));
        result += QStringLiteral("Fehler: ") + error + u'\n';
    }
    return result;
}

} // namespace ordercases
