#include "storage/LiturgicalTexts.h"

#include "base/ProgramFolder.h"
#include "storage/Win1252Text.h"

#include <array>

namespace liturgicaltexts {
namespace {

QStringList lines(std::initializer_list<const char16_t *> texts)
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(texts.size()));
    for (const char16_t *text : texts)
        result.append(QString::fromUtf16(text));
    return result;
}

constexpr std::array<StartupFile, 6> kStartupFiles = { {
    { Memo::Credo, u"Glaubensbekenntnis.txt" },
    { Memo::GloriaExcelsis, u"gloriaexcelsis.txt" },
    { Memo::GloriaPatri, u"gloriapatri.txt" },
    { Memo::Kyrie, u"kyrie.txt" },
    { Memo::VaterUnser, u"paternoster.txt" },
    { Memo::Segen, u"segen.txt" },
} };

} // namespace

QStringList builtInText(Memo memo)
{
    switch (memo) {
    case Memo::Dialog1:
        return lines({ u"L: Wir feiern diesen Gottesdienst im Namen des Vaters und des Sohnes "
                       u"und des Heiligen Geistes.",
                       u"G: Amen" });
    case Memo::Dialog2:
        return lines(
            { u"L: Unsere Hilfe steht im Namen des Herrn", u"G: Der Himmel und Erde gemacht hat" });
    case Memo::Dialog3:
        return lines({ u"L: Der Herr sei mit euch!", u"G: Und mit deinem Geist!" });
    case Memo::Credo:
        // The Apostles' Creed; the empty line sets the third article apart.
        return lines({ u"Ich glaube an Gott den Vater, den Allmächtigen,",
                       u"den Schöpfer des Himmels und der Erde.",
                       u"Und an Jesus Christus,",
                       u"seinen eingeborenen Sohn, unsern Herrn,",
                       u"empfangen durch den Heiligen Geist,",
                       u"geboren von der Jungfrau Maria,",
                       u"gelitten unter Pontius Pilatus,",
                       u"gekreuzigt, gestorben und begraben,",
                       u"hinabgestiegen in das Reich des Todes,",
                       u"am dritten Tage auferstanden von den Toten,",
                       u"aufgefahren in den Himmel;",
                       u"er sitzt zur Rechten Gottes, des allmächtigen Vaters;",
                       u"von dort wird er kommen,",
                       u"zu richten die Lebenden und die Toten.",
                       u"",
                       u"Ich glaube an den Heiligen Geist,",
                       u"die heilige christliche Kirche,",
                       u"Gemeinschaft der Heiligen,",
                       u"Vergebung der Sünden,",
                       u"Auferstehung der Toten",
                       u"und das ewige Leben.",
                       u"Amen." });
    case Memo::VaterUnser:
        return lines(
            { u"Vater Unser im Himmel,", u"geheiligt werde dein Name.", u"Dein Reich komme.",
              u"Dein Wille geschehe,", u"wie im Himmel, so auf Erden.",
              u"Unser tägliches Brot gib uns heute.", u"Und vergib uns unsere Schuld,",
              u"wie auch wir vergeben unsern Schuldigern.", u"Und führe uns nicht in Versuchung,",
              u"sondern erlöse uns von dem Bösen.", u"Denn dein ist das Reich", u"und die Kraft",
              u"und die Herrlichkeit in Ewigkeit.", u"Amen." });
    case Memo::Segen:
        // The Aaronic blessing.
        return lines({ u"Der Herr segne dich und er behüte dich,",
                       u"der Herr lasse sein Angesicht leuchten über dir und sei dir gnädig,",
                       u"der Herr erhebe sein Angesicht auf dich und gebe dir Frieden.",
                       u"Amen." });
    case Memo::GloriaPatri:
        return lines({ u"Ehr sei dem Vater und dem Sohn und dem Heiligen Geist",
                       u"wie es war im Anfang, jetzt und immerdar",
                       u"und von Ewigkeit zu Ewigkeit.", u"Amen." });
    case Memo::Kyrie:
        // The congregation's responses are set in by three blanks.
        return lines({ u"Kyrie eleison.", u"   Herr, erbarme dich.", u"Christe eleison.",
                       u"   Christe, erbarme dich.", u"Kyrie eleison.",
                       u"   Herr, erbarm dich über uns." });
    case Memo::GloriaExcelsis:
        // The Gloria sentence, then the congregation's hymn stanza.
        return lines({ u"Ehre sei Gott in der Höhe und auf Erden Fried",
                       u"den Menschen ein Wohlgefallen.", u"", u"Allein Gott in der Höh sei Ehr",
                       u"und Dank für seine Gnade,", u"darum dass nun und nimmermehr",
                       u"uns rühren kann kein Schade.", u"Ein Wohlgefalln Gott an uns hat;",
                       u"nun ist groß Fried ohn Unterlass,", u"all Fehd hat nun ein Ende." });
    }
    return {};
}

std::span<const StartupFile> startupFiles()
{
    return kStartupFiles;
}

QString textFilePath(const QString &fileName)
{
    return programfolder::readPath(QString::fromUtf16(kTextFolder) + fileName);
}

QStringList memoLines(const QString &memoText)
{
    return win1252::splitLines(memoText);
}

QString memoText(const QStringList &lines)
{
    QString text = lines.join(u'\n');
    // A final empty line needs its own line break, or it would read back as no line at all.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        text += u'\n';
    return text;
}

Result<QStringList> readTextFile(const QString &path)
{
    return win1252::readLines(path);
}

Result<> writeTextFile(const QString &path, const QStringList &lines)
{
    return win1252::writeLines(path, lines);
}

} // namespace liturgicaltexts
