#include "gui/StatusHelp.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include <QHash>

std::optional<QString> statusHelpText(const QString &objectName)
{
    static const QHash<QString, QString> texts = [] {
        QHash<QString, QString> t;
        // The window's background areas clear the status bar.
        for (const char *name :
             { "frmMainClient", "tshProprium", "tshOrdinarium", "tshLiturgie", "grpTexte",
               "grpKonstanteTexte", "GroupBox1", "pnlLiturgieMenu", "SpeedPanel", "txtAblauf" })
            t.insert(QString::fromLatin1(name), QString());
        t.insert(QStringLiteral("lblPredigttext"),
                 QStringLiteral("Klicken, um zur Predigt zu gelangen"));
        for (const char *name :
             { "txtPsalm", "txtATLesung", "txtEpistel", "txtEvangelium", "txtPredigttext" })
            t.insert(QString::fromLatin1(name),
                     QStringLiteral("Doppelklick, um zur Bibelstelle zu gelangen"));
        t.insert(QStringLiteral("grpLieder"),
                 QStringLiteral("Doppelklick auf \"Lieder\", um den Editor zu öffnen"));
        for (const char *name : { "txtCredo", "txtVaterUnser", "txtSegen", "txtGloriaPatri",
                                  "txtGloriaExcelsis", "txtKyrie" })
            t.insert(QString::fromLatin1(name),
                     QStringLiteral("Mit Rechtsklick können Sie einen alternativen Text aus einer "
                                    "Textdatei laden."));
        t.insert(QStringLiteral("lbxReihenfolge"),
                 QStringLiteral("Ändern Sie die Reihenfolge, indem Sie einen Eintrag markieren und "
                                "dann die Pfeile benutzen."));
        t.insert(QStringLiteral("btnUp"),
                 QStringLiteral("Das ausgewählte Element eine Ebene höher setzen"));
        t.insert(QStringLiteral("btnDown"),
                 QStringLiteral("Das ausgewählte Element eine Ebene tiefer setzen"));
        t.insert(QStringLiteral("btnCompile"),
                 QStringLiteral("Generieren Sie entsprechend Ihrer Eingaben und der eingestellten "
                                "Reihenfolge Ihren Gottesdienstablauf."));
        for (const char *name : { "btnPrinterSetup", "btnPrint" })
            t.insert(QString::fromLatin1(name),
                     QStringLiteral("Drucken Sie Ihren Ablauf auf Ihrem Standarddrucker aus."));
        t.insert(QStringLiteral("btnSeitenformat"),
                 QStringLiteral(
                     "Legen Sie das Seitenformat vor dem Export fest: Hochkant- oder Querformat"));
        t.insert(QStringLiteral("btnExport"),
                 QStringLiteral(
                     "Den erstellten Ablauf nach LibreOffice (sofern installiert) exportieren"));
        t.insert(QStringLiteral("cmbTag"),
                 QStringLiteral(
                     "Wählen Sie hier den Sonn- oder Feiertag aus, den Sie vorbereiten möchten!"));
        // The tab "Verlauf".
        for (const char *name : { "tshVerlauf", "grpLiederVerlauf" })
            t.insert(QString::fromLatin1(name), QString());
        t.insert(QStringLiteral("grdVorbereitungen"),
                 QStringLiteral("Frühere Vorbereitungen des gewählten Tages: Doppelklick öffnet "
                                "eine davon."));
        for (const char *name : { "dtpVon", "dtpBis" })
            t.insert(QString::fromLatin1(name),
                     QStringLiteral("Wählen Sie den Zeitraum, dessen Lieder gezählt werden."));
        t.insert(QStringLiteral("txtLiedFilter"),
                 QStringLiteral("Tippen Sie einen Text, um nur die passenden Lieder zu sehen."));
        t.insert(QStringLiteral("grdLieder"),
                 QStringLiteral("Wie oft welches Lied gesungen wurde. Ein Klick auf eine "
                                "Spaltenüberschrift sortiert die Liste."));
        t.insert(
            QStringLiteral("cmbGrundform"),
            QStringLiteral("Die vorgeschlagenen Liturgien entsprechen den Grundformen der EKBO."));
        return t;
    }();
    const auto it = texts.constFind(objectName);
    if (it == texts.constEnd())
        return std::nullopt;
    return *it;
}

StatusHelpFilter::StatusHelpFilter(std::function<void(const QString &)> show, QObject *parent)
    : QObject(parent)
    , m_show(std::move(show))
{
}

void StatusHelpFilter::watch(std::initializer_list<QWidget *> controls)
{
    for (QWidget *w : controls) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w)) {
            area->viewport()->installEventFilter(this);
            area->viewport()->setMouseTracking(true);
        }
    }
}

void StatusHelpFilter::watchFocus(QComboBox *combo)
{
    combo->installEventFilter(this);
    if (QLineEdit *edit = combo->lineEdit())
        edit->installEventFilter(this);
}

bool StatusHelpFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w)
        return false;
    if (event->type() == QEvent::FocusIn) {
        QWidget *control = qobject_cast<QComboBox *>(w->parentWidget()) ? w->parentWidget() : w;
        if (qobject_cast<QComboBox *>(control))
            if (const auto text = statusHelpText(control->objectName()))
                m_show(*text);
        return false;
    }
    if (event->type() != QEvent::MouseMove || qobject_cast<QComboBox *>(w))
        return false;
    // A control that ignores a mouse move (buttons, edits, labels do) passes it on to its
    // parent: only a move over the control itself counts.
    const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
    if (!w->rect().contains(at) || w->childAt(at))
        return false;
    QWidget *control = w;
    if (auto *area = qobject_cast<QAbstractScrollArea *>(w->parentWidget());
        area && area->viewport() == w)
        control = area;
    if (const auto text = statusHelpText(control->objectName()))
        m_show(*text);
    else if (!control->statusTip().isEmpty())
        m_show(control->statusTip());
    return false;
}
