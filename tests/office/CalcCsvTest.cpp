// The CSV files of the hymn table and the hymn plan as LibreOffice Calc reads them: each file is
// converted by a headless Calc with the import settings of its dialog (comma, semicolon and tab
// ticked as it comes, and ";" alone as a user may have left it), and the cells are read back.
// Every field lands in its own column, and nothing the pastor typed becomes a formula.
#include "calendar/HymnPlanOutput.h"
#include "storage/HymnCsv.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

using Table = QList<QStringList>;

// A table as text for a failure's message: a row per line, its cells between "|".
std::string shown(const Table &table)
{
    QStringList rows;
    for (const QStringList &row : table)
        rows << u'|' + row.join(u'|') + u'|';
    return rows.join(u'\n').toStdString();
}

struct ReadBack
{
    Table cells; // per row its cells' texts, empty rows and trailing empty cells left out
    QStringList formulas; // the formulas Calc found
};

// A cell's text: its paragraphs joined by "\n", with the spaces and tabs the format packs into
// elements of their own.
QString cellText(QXmlStreamReader &xml)
{
    QStringList paragraphs;
    QString text;
    int depth = 1;
    bool inParagraph = false;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"p")
                inParagraph = true;
            else if (xml.name() == u"s")
                text += QString(qMax(1, xml.attributes().value(QStringLiteral("text:c")).toInt()),
                                u' ');
            else if (xml.name() == u"tab")
                text += u'\t';
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == u"p") {
                paragraphs << text;
                text.clear();
                inParagraph = false;
            }
            break;
        case QXmlStreamReader::Characters:
            if (inParagraph)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return paragraphs.join(u'\n');
}

ReadBack readFlatSpreadsheet(const QByteArray &fods)
{
    ReadBack read;
    QXmlStreamReader xml(fods);
    QStringList row;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"table-row") {
            row.clear();
        } else if (xml.isStartElement() && xml.name() == u"table-cell") {
            const int repeated = qMax(
                1, xml.attributes().value(QStringLiteral("table:number-columns-repeated")).toInt());
            if (xml.attributes().hasAttribute(QStringLiteral("table:formula")))
                read.formulas << xml.attributes().value(QStringLiteral("table:formula")).toString();
            const QString text = cellText(xml);
            for (int i = 0; i < qMin(repeated, 64); ++i)
                row << text;
        } else if (xml.isEndElement() && xml.name() == u"table-row") {
            while (!row.isEmpty() && row.last().isEmpty())
                row.removeLast();
            if (!row.isEmpty())
                read.cells << row;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return read;
}

// The CSV files converted by a headless Calc of the test's own (private profile) with the
// import dialog's settings and the given field separators (ASCII codes joined by "/"). The
// formulas are evaluated, as the dialog does unless told otherwise.
QList<ReadBack> readByCalc(const QString &soffice, const QString &separators,
                           const QList<QByteArray> &csvFiles)
{
    QTemporaryDir dir;
    QStringList arguments
        = { QStringLiteral("-env:UserInstallation=")
                + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profil"))).toString(),
            QStringLiteral("--headless"),
            QStringLiteral("--norestore"),
            QStringLiteral("--infilter=Text - txt - csv (StarCalc):%1,34,76,1,,1031,false,false,"
                           "false,false,false,-1,true")
                .arg(separators),
            QStringLiteral("--convert-to"),
            QStringLiteral("fods"),
            QStringLiteral("--outdir"),
            dir.path() };
    for (qsizetype i = 0; i < csvFiles.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("tabelle%1.csv").arg(i));
        writeFileBytes(path, csvFiles.at(i));
        arguments << path;
    }
    QProcess office;
    office.start(soffice, arguments);
    if (!office.waitForFinished(240000)) {
        office.kill();
        office.waitForFinished();
        ADD_FAILURE() << "the office did not finish converting";
        return {};
    }
    QList<ReadBack> read;
    for (qsizetype i = 0; i < csvFiles.size(); ++i) {
        const QString fods = dir.filePath(QStringLiteral("tabelle%1.fods").arg(i));
        EXPECT_TRUE(QFileInfo::exists(fods))
            << office.readAllStandardError().toStdString() << office.readAll().toStdString();
        read << readFlatSpreadsheet(readFileBytes(fods));
    }
    return read;
}

hymnplan::Row planRow(const QDate &date, const QString &dayName, const QStringList &hymns,
                      const QString &sermonText, const QString &savedFile)
{
    hymnplan::Row row;
    row.date = date;
    row.dayName = dayName;
    row.colour = QStringLiteral("violett");
    row.hymns = hymns;
    row.sermonText = sermonText;
    row.savedFile = savedFile;
    return row;
}

TEST(CalcCsv, CalcReadsEveryFieldInItsColumnAndNoFormula)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("localc")).isEmpty())
        GTEST_SKIP() << "LibreOffice Calc fehlt (Debian: libreoffice-calc)";
    TestEnvironment env;

    // What a pastor types into the hymn fields: commas and semicolons in the verses, quotes,
    // a tab, and what a spreadsheet takes for the beginning of a formula.
    const QString link = QStringLiteral("=HYPERLINK(\"http://beispiel.invalid\";\"Noten\")");
    hymnplan::Plan plan { QDate(2026, 12, 13), QDate(2026, 12, 24), {}, 0 };
    plan.rows << planRow(
        QDate(2026, 12, 13), QStringLiteral("3. Sonntag im Advent"),
        { QStringLiteral("EG 11,1-4"), QStringLiteral("EG 16; EG 17"),
          QStringLiteral("Sag \"ja\", Str. 1\t3"), link, QStringLiteral("+49 30 1234") },
        QStringLiteral("Lk 1,67-79"), QStringLiteral("3/3 3. Sonntag im Advent, Entwurf.ini"))
              << planRow(QDate(2026, 12, 24), QStringLiteral("Christvesper"),
                         { QStringLiteral("-"),
                           QStringLiteral("@SUMME(1;2)"),
                           QStringLiteral("-5"),
                           {},
                           QStringLiteral("EG 44") },
                         QStringLiteral("Jes 9,1-6"), {});
    const Table planCells = {
        { QStringLiteral("Datum"), QStringLiteral("Tag"), QStringLiteral("Liturgische Farbe"),
          QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
          QStringLiteral("Vorpredigtslied"), QStringLiteral("Kollektenlied"),
          QStringLiteral("Ausgangslied"), QStringLiteral("Predigttext"), QStringLiteral("Datei"),
          QStringLiteral("Vor kurzem gesungen") },
        { QStringLiteral("13.12.2026"), QStringLiteral("3. Sonntag im Advent"),
          QStringLiteral("violett"), QStringLiteral("EG 11,1-4"), QStringLiteral("EG 16; EG 17"),
          QStringLiteral("Sag \"ja\", Str. 1\t3"), u'\'' + link, QStringLiteral("'+49 30 1234"),
          QStringLiteral("Lk 1,67-79"), QStringLiteral("3/3 3. Sonntag im Advent, Entwurf.ini") },
        // A day without a preparation: its week's hymn and sermon text are suggestions.
        { QStringLiteral("24.12.2026"), QStringLiteral("Christvesper"), QStringLiteral("violett"),
          QStringLiteral("'-"), QStringLiteral("'@SUMME(1;2) (Vorschlag)"), QStringLiteral("'-5"),
          QString(), QStringLiteral("EG 44"), QStringLiteral("Jes 9,1-6 (Vorschlag)") },
    };

    QList<history::SavedPreparation> saved(2);
    saved[0].relativePath = QStringLiteral("1/1 Trinitatis, 2. Fassung.ini");
    saved[0].saved = QDateTime(QDate(2025, 6, 15), QTime(9, 30));
    saved[0].preparation.dayName = QStringLiteral("Trinitatis");
    saved[0].preparation.series = QStringLiteral("1");
    saved[1].relativePath = QStringLiteral("x/=Kasualie.ini");
    saved[1].saved = QDateTime(QDate(2026, 5, 2), QTime(11, 0));
    saved[1].preparation.dayName = QStringLiteral("=1+1");
    saved[1].preparation.series = QStringLiteral("-1");
    const QList<history::HymnUse> uses
        = { { QStringLiteral("EG 139,1-3"), &saved[0] }, { QStringLiteral("+EG 1"), &saved[1] } };
    const Table useCells = {
        { QStringLiteral("Lied"), QStringLiteral("Tag"), QStringLiteral("Predigtreihe"),
          QStringLiteral("Gespeichert"), QStringLiteral("Datei") },
        { QStringLiteral("EG 139,1-3"), QStringLiteral("Trinitatis"), QStringLiteral("1"),
          QStringLiteral("15.06.2025"), QStringLiteral("1/1 Trinitatis, 2. Fassung.ini") },
        { QStringLiteral("'+EG 1"), QStringLiteral("'=1+1"), QStringLiteral("'-1"),
          QStringLiteral("02.05.2026"), QStringLiteral("x/=Kasualie.ini") },
    };

    // As the import dialog comes (comma, semicolon and tab), and with the semicolon alone.
    for (const QString &separators : { QStringLiteral("44/59/9"), QStringLiteral("59") }) {
        SCOPED_TRACE(separators.toStdString());
        const QList<ReadBack> read
            = readByCalc(soffice, separators, { hymnplan::toCsv(plan), hymncsv::write(uses) });
        ASSERT_EQ(read.size(), 2);
        EXPECT_EQ(shown(read.at(0).cells), shown(planCells));
        EXPECT_EQ(shown(read.at(1).cells), shown(useCells));
        EXPECT_EQ((read.at(0).formulas + read.at(1).formulas).join(u'|').toStdString(), "");
    }
}

} // namespace
