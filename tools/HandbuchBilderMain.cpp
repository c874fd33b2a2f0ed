// Takes the pictures of the user manual: the main window with a prepared service on each tab
// and the notes editor, drawn by the widgets themselves into PNG files.
//
//   pergolan-handbuch-bilder <folder>
//
// Runs with any Qt platform, also headless (QT_QPA_PLATFORM=offscreen). The program's work
// goes into a temporary home folder, never into the user's own documents.
#include "bible/SwordImport.h"
#include "gui/BibleImportDialog.h"
#include "gui/FrmMain.h"
#include "gui/HistoryTab.h"
#include "gui/HymnIndexSource.h"
#include "gui/HymnPlanDialog.h"
#include "gui/LectorDialog.h"
#include "gui/MemoTool.h"
#include "gui/PreparationDocument.h"
#include "gui/QtDialogs.h"
#include "storage/HymnList.h"
#include "storage/Win1252Text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdio>

namespace {

// A saved preparation of an earlier year, dated as if saved on that day.
void writePreparation(const QString &dataDir, const QString &series, const QString &day,
                      const QDate &saved, const QStringList &hymns)
{
    const QStringList keys = { QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
                               QStringLiteral("Vorpredigtslied"), QStringLiteral("Kolektenlied"),
                               QStringLiteral("Ausgangslied") };
    QStringList lines
        = { QStringLiteral("[Allgemein]"), QStringLiteral("Name=") + day,
            QStringLiteral("Predigtreihe=") + series,
            // The service a few days after the file was saved.
            QStringLiteral("Datum=") + saved.addDays(4).toString(QStringLiteral("yyyyMMdd")),
            QStringLiteral("[Texte]"), QStringLiteral("Predigttext=Joh 3,1-8"),
            QStringLiteral("[Lieder]") };
    for (qsizetype i = 0; i < hymns.size() && i < keys.size(); ++i)
        lines << keys.at(i) + u'=' + hymns.at(i);
    const QString folder = dataDir + u'/' + series + QStringLiteral("/Archiv");
    QDir().mkpath(folder);
    const QString path = folder + u'/' + series + u' ' + day + QStringLiteral(".ini");
    if (!win1252::writeLines(path, lines))
        return;
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime(saved, QTime(11, 0)), QFileDevice::FileModificationTime);
}

template<typename T> T *control(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

bool save(QWidget *widget, const QString &folder, const char *name)
{
    QCoreApplication::processEvents();
    const QString path = folder + u'/' + QString::fromLatin1(name);
    if (!widget->grab().save(path, "PNG")) {
        std::fprintf(stderr, "Kann %s nicht schreiben\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: pergolan-handbuch-bilder <Ordner>\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QDir().mkpath(home.path() + QStringLiteral("/Documents"));

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pergolan"));
    QApplication::setOrganizationName(QStringLiteral("Pergolan"));
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);

    StartOptions options;
    options.skipUpdateCheck = true;
    TfrmMain window(nullptr, options);
    window.show();
    using Field = PreparationDocument::Field;
    PreparationDocument &document = window.document();
    document.setText(Field::Eingangslied, QStringLiteral("EG 1,1-3 Macht hoch die Tür"));
    document.setText(Field::Vorpredigtslied,
                     QStringLiteral("EG 7,1-4 O Heiland, reiß die Himmel auf"));
    document.setText(Field::Kollektenlied, QStringLiteral("EG 16,1-5 Die Nacht ist vorgedrungen"));
    document.setText(Field::Ausgangslied, QStringLiteral("EG 170,1-4 Komm, Herr, segne uns"));
    auto *tabs = control<QTabWidget>(window, "pclPageControl");
    const auto showTab
        = [&](const char *name) { tabs->setCurrentWidget(control<QWidget>(window, name)); };

    bool ok = save(&window, folder, "hauptfenster.png");
    showTab("tshOrdinarium");
    ok = save(&window, folder, "ordinarium.png") && ok;
    showTab("tshLiturgie");
    control<QPushButton>(window, "btnCompile")->click();
    ok = save(&window, folder, "liturgie.png") && ok;
    showTab("tshProprium");

    {
        QWidget *hymns = control<QWidget>(window, "grpLieder");
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5),
                                hymns->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(hymns, &doubleClick);
    }
    if (auto *editor = window.findChild<TfrmMemoTool *>()) {
        editor->resize(500, 260);
        ok = save(editor, folder, "notizen.png") && ok;
        editor->close();
    }
    // The tab "Verlauf" with preparations of the same day in earlier years.
    const QString day = document.preparation().dayName;
    const QString dataDir = home.path() + QStringLiteral("/Documents/Pergol");
    const QDate today = QDate::currentDate();
    writePreparation(dataDir, QStringLiteral("1"), day, today.addYears(-1).addDays(-2),
                     { QStringLiteral("EG 1,1-3 Macht hoch die Tür"),
                       QStringLiteral("EG 4 Nun komm, der Heiden Heiland"),
                       QStringLiteral("EG 7,1-4"), QStringLiteral("EG 16"),
                       QStringLiteral("EG 170") });
    writePreparation(dataDir, QStringLiteral("6"), day, today.addMonths(-11),
                     { QStringLiteral("EG 1"), QStringLiteral("EG 4"),
                       QStringLiteral("EG 11 Wie soll ich dich empfangen"), QStringLiteral("EG 16"),
                       QStringLiteral("EG 421") });
    writePreparation(dataDir, QStringLiteral("5"), QStringLiteral("Erntedank"), today.addMonths(-3),
                     { QStringLiteral("EG 502"), QStringLiteral("EG 508"), QStringLiteral("EG 1"),
                       QStringLiteral("EG 324"), QStringLiteral("EG 170") });
    {
        QEventLoop loop;
        QObject::connect(control<HistoryTab>(window, "tshVerlauf"), &HistoryTab::filled, &loop,
                         &QEventLoop::quit);
        showTab("tshVerlauf");
        loop.exec();
    }
    ok = save(&window, folder, "verlauf.png") && ok;
    showTab("tshProprium");

    // A number typed into a hymn field, with what the index offers for it and when the hymn was
    // last sung; a parish's list gives titles never typed before.
    {
        const QString list = home.path() + QStringLiteral("/liederverzeichnis.csv");
        QFile csv(list);
        if (csv.open(QIODevice::WriteOnly))
            csv.write("Buch;Nummer;Titel\nEG;10;Mit Ernst, o Menschenkinder\n"
                      "EG;12;Gott sei Dank durch alle Welt\nEG;13;Tochter Zion, freue dich\n"
                      "EG;16;Die Nacht ist vorgedrungen\nEG;17;Wir sagen euch an den lieben "
                      "Advent\n");
        csv.close();
        if (!hymnlist::import(list, dataDir))
            ok = false;
        auto *source = window.findChild<HymnIndexSource *>();
        QEventLoop loop;
        QObject::connect(source, &HymnIndexSource::changed, &loop, &QEventLoop::quit);
        source->invalidate();
        source->request();
        loop.exec();
        auto *field = control<QLineEdit>(window, "txtEingangslied");
        field->clear();
        window.activateWindow();
        QCoreApplication::processEvents();
        field->setFocus();
        for (const QChar c : QStringLiteral("EG 1")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
        }
        QCoreApplication::processEvents();
        // The list of offers is a window of its own: drawn into the picture where it stands.
        QPixmap picture = window.grab();
        if (QAbstractItemView *offers = field->completer()->popup(); offers->isVisible()) {
            QPainter painter(&picture);
            painter.drawPixmap(offers->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)),
                               offers->grab());
        }
        const QString path = folder + QStringLiteral("/lieder.png");
        if (picture.save(path, "PNG"))
            std::printf("%s\n", qPrintable(path));
        else
            ok = false;
        field->completer()->popup()->hide();
        field->setText(QStringLiteral("EG 1,1-3 Macht hoch die Tür"));

        // Beside each field when its hymn was last sung; one sung three weeks before the
        // service shown, and so marked.
        const QDate shown = QDate::fromString(document.dayStamp(), QStringLiteral("yyyyMMdd"));
        writePreparation(dataDir, QStringLiteral("4"), QStringLiteral("Gemeindefest"),
                         (shown.isValid() ? shown : today).addDays(-25),
                         { QStringLiteral("EG 503"), QStringLiteral("EG 16") });
        source->invalidate();
        source->request();
        loop.exec();
        ok = save(control<QWidget>(window, "grpLieder"), folder, "lieder-zuletzt.png") && ok;
    }

    // The choice of a Bible to read in, with the SWORD modules installed on this machine.
    {
        QtDialogs dialogs(&window);
        BibleImportDialog choice(bible::installedSwordBibles(), dialogs, &window);
        choice.findChild<QLineEdit *>(QStringLiteral("edtQuelle"))
            ->setText(QStringLiteral("/home/pfarrer/Bibeln/luther1912-zefania.xml"));
        choice.resize(600, 320);
        choice.show();
        ok = save(&choice, folder, "bibel-einlesen.png") && ok;
    }

    // The readings for the lector (as this machine's Bible gives them, or how to get one) and
    // the hymn plan of the coming services, the day shown prepared.
    {
        QtDialogs dialogs(&window);
        QPrinter printer;
        const Preparation shown = document.preparation();
        LectorDialog lector(shown.dayName,
                            QDate::fromString(document.dayStamp(), QStringLiteral("yyyyMMdd")),
                            shown, dialogs, printer, &window);
        lector.resize(620, 460);
        lector.show();
        ok = save(&lector, folder, "lektor.png") && ok;

        writePreparation(dataDir, shown.series, shown.dayName, today.addDays(-4),
                         { QStringLiteral("EG 1,1-3 Macht hoch die Tür"),
                           QStringLiteral("EG 4 Nun komm, der Heiden Heiland"),
                           QStringLiteral("EG 7,1-4"), QStringLiteral("EG 16"),
                           QStringLiteral("EG 170") });
        HymnPlanDialog plan(dataDir, dialogs, printer, &window);
        plan.resize(1000, 360);
        plan.show();
        ok = save(&plan, folder, "liedplan.png") && ok;
    }

    // Nothing of this preparation is to be saved.
    document.setModified(false);
    return ok ? 0 : 1;
}
