// The controls of the main window and where they stand. The window has a fixed client size,
// so the controls are placed by position, as the day panel and the tabs were designed.
#include "gui/BibleImportRun.h"
#include "gui/ChurchYearCalendarMenu.h"
#include "gui/FrmMain.h"
#include "gui/HistoryTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 783;
constexpr int kClientHeight = 666;
constexpr int kToolBarHeight = 41;
constexpr int kDayPanelHeight = 34;
constexpr int kStatusHeight = 19;

template<typename T> T *make(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QToolButton *toolButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon,
                        const QString &tip, int x)
{
    auto *b = make<QToolButton>(parent, name);
    b->setAutoRaise(true);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tip);
    b->setGeometry(x, 4, 33, 33);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y, int w = 110)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 21);
    return l;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *e = make<QLineEdit>(parent, name);
    e->setGeometry(x, y, w, 21);
    return e;
}

QPlainTextEdit *memo(QWidget *parent, const char *name, bool scrolls)
{
    auto *m = make<QPlainTextEdit>(parent, name);
    m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    return m;
}

QPushButton *showButton(QWidget *parent, const char *name, int tag, int x, int y)
{
    auto *b = make<QPushButton>(parent, name);
    b->setProperty("tag", tag);
    b->setText(QStringLiteral("…"));
    b->setGeometry(x, y, 23, 21);
    return b;
}

// A letter for the feedback button: the platform styles have no icon for it.
QIcon feedbackIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 70, 140), 1.5));
    p.setBrush(QColor(250, 246, 230));
    p.drawRect(QRectF(2.5, 5.5, 19, 13));
    p.drawPolyline(QPolygonF({ QPointF(2.5, 5.5), QPointF(12, 13), QPointF(21.5, 5.5) }));
    return QIcon(pixmap);
}

} // namespace

void TfrmMain::buildUi()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Pergolan"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPointSize(8);
    setFont(windowFont);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);

    // ---- Tool bar ------------------------------------------------------------------------
    SpeedPanel = make<QWidget>(client, "SpeedPanel");
    SpeedPanel->setGeometry(0, 0, kClientWidth, kToolBarHeight);
    BtnNew = toolButton(SpeedPanel, "BtnNew", QStyle::SP_FileIcon,
                        QStringLiteral("Einen neuen Gottesdienstablauf erstellen"), 4);
    BtnOpen = toolButton(SpeedPanel, "BtnOpen", QStyle::SP_DialogOpenButton,
                         QStringLiteral("Einen Gottesdienstablauf öffnen"), 38);
    btnSave = toolButton(SpeedPanel, "btnSave", QStyle::SP_DialogSaveButton,
                         QStringLiteral("Eingaben als Gottesdienstablauf speichern"), 72);
    btnSave->setProperty("tag", 0);
    btnCopyright = toolButton(SpeedPanel, "btnCopyright", QStyle::SP_MessageBoxInformation,
                              QStringLiteral("Versionsinfo abrufen"), 114);
    BtnHilfe = toolButton(SpeedPanel, "BtnHilfe", QStyle::SP_MessageBoxQuestion,
                          QStringLiteral("Hilfe anzeigen"), 148);
    BtnFeedback = toolButton(SpeedPanel, "BtnFeedback", QStyle::SP_MessageBoxQuestion,
                             QStringLiteral("Feedback geben"), 182);
    BtnFeedback->setIcon(feedbackIcon());
    // Designed as "Beenden|": the text before the bar is the tooltip.
    BtnExit = toolButton(SpeedPanel, "BtnExit", QStyle::SP_DialogCloseButton,
                         QStringLiteral("Beenden"), 224);
    lblTag = label(SpeedPanel, QStringLiteral("Sonn- bzw. Feiertag:"), 290, 10, 110);
    lblTag->setObjectName(QStringLiteral("lblTag"));
    cmbTag = make<QComboBox>(SpeedPanel, "cmbTag");
    cmbTag->setEditable(true);
    cmbTag->setInsertPolicy(QComboBox::NoInsert);
    cmbTag->setMaxVisibleItems(24);
    cmbTag->setGeometry(400, 9, 370, 23);
    cmbTag->setToolTip(QStringLiteral("Hier den nächsten Sonn- oder Feiertag auswählen, für den  "
                                      "der Gottesdienst vorbereitet werden soll."));

    // ---- Day panel -----------------------------------------------------------------------
    lblTagesname = make<QLabel>(client, "lblTagesname");
    lblTagesname->setGeometry(0, kToolBarHeight, kClientWidth, kDayPanelHeight);
    lblTagesname->setText(QStringLiteral("   Sonntag"));
    lblTagesname->setAutoFillBackground(true);
    lblTagesname->setToolTip(QStringLiteral("Liturgische Farbe"));
    // Designed green with white lettering, until a day paints it in its own colour.
    QPalette panelPalette = lblTagesname->palette();
    panelPalette.setColor(QPalette::Window, QColor(0, 128, 0));
    panelPalette.setColor(QPalette::WindowText, Qt::white);
    lblTagesname->setPalette(panelPalette);
    QFont panelFont = windowFont;
    panelFont.setPointSize(14);
    panelFont.setBold(true);
    lblTagesname->setFont(panelFont);
    lblPredigtreihe = make<QLabel>(lblTagesname, "lblPredigtreihe");
    lblPredigtreihe->setText(QStringLiteral("Predigtreihe:"));
    lblPredigtreihe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPredigtreihe->setGeometry(560, 0, 180, kDayPanelHeight);
    lblPredigtreiheWert = make<QLabel>(lblTagesname, "lblPredigtreiheWert");
    lblPredigtreiheWert->setText(QStringLiteral("1"));
    lblPredigtreiheWert->setGeometry(748, 0, 30, kDayPanelHeight);
    for (QLabel *l : { lblPredigtreihe, lblPredigtreiheWert })
        l->setFont(panelFont);

    // ---- Tabs ------------------------------------------------------------------------------
    const int tabsTop = kToolBarHeight + kDayPanelHeight;
    pclPageControl = make<QTabWidget>(client, "pclPageControl");
    pclPageControl->setGeometry(0, tabsTop, kClientWidth, kClientHeight - tabsTop - kStatusHeight);
    tshProprium = make<QWidget>(nullptr, "tshProprium");
    tshOrdinarium = make<QWidget>(nullptr, "tshOrdinarium");
    tshLiturgie = make<QWidget>(nullptr, "tshLiturgie");
    tshPerikope = make<QWidget>(nullptr, "tshPerikope");
    pclPageControl->addTab(tshProprium, QStringLiteral("Proprium"));
    pclPageControl->addTab(tshOrdinarium, QStringLiteral("Ordinarium"));
    pclPageControl->addTab(tshLiturgie, QStringLiteral("Liturgie"));
    pclPageControl->addTab(tshPerikope, QStringLiteral("Perikope"));
    tshVerlauf = new HistoryTab(*this);
    pclPageControl->addTab(tshVerlauf, QStringLiteral("Verlauf"));

    // Tab "Proprium": the readings of the day and the hymns.
    grpTexte = make<QGroupBox>(tshProprium, "grpTexte");
    grpTexte->setTitle(QStringLiteral("Texte"));
    grpTexte->setGeometry(8, 8, 759, 196);
    const int editX = 130;
    const int editW = 580;
    label(grpTexte, QStringLiteral("Wochenspruch:"), 16, 28);
    txtWochenspruch = lineEdit(grpTexte, "txtWochenspruch", editX, 28, editW + 29);
    label(grpTexte, QStringLiteral("Psalm/AT-Lesung:"), 16, 60);
    txtPsalm = lineEdit(grpTexte, "txtPsalm", editX, 60, editW);
    btnOpenPsalm = showButton(grpTexte, "btnOpenPsalm", 1, editX + editW + 6, 60);
    label(grpTexte, QStringLiteral("Epistel:"), 16, 92);
    txtEpistel = lineEdit(grpTexte, "txtEpistel", editX, 92, editW);
    btnOpenEpistel = showButton(grpTexte, "btnOpenEpistel", 2, editX + editW + 6, 92);
    label(grpTexte, QStringLiteral("Evangelium:"), 16, 124);
    txtEvangelium = lineEdit(grpTexte, "txtEvangelium", editX, 124, editW);
    btnOpenEvangelium = showButton(grpTexte, "btnOpenEvangelium", 3, editX + editW + 6, 124);
    lblPredigttext = label(grpTexte, QStringLiteral("Predigttext:"), 16, 156);
    lblPredigttext->setObjectName(QStringLiteral("lblPredigttext"));
    lblPredigttext->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    lblPredigttext->setCursor(Qt::PointingHandCursor);
    lblPredigttext->setToolTip(QStringLiteral("Klick mich! Hier gehts zur Predigt!"));
    txtPredigttext = lineEdit(grpTexte, "txtPredigttext", editX, 156, editW);
    btnOpenPredigttext = showButton(grpTexte, "btnOpenPredigttext", 4, editX + editW + 6, 156);
    for (QPushButton *b : { btnOpenPsalm, btnOpenEpistel, btnOpenEvangelium, btnOpenPredigttext })
        b->setToolTip(QStringLiteral("Bibelstelle anzeigen"));

    grpLieder = make<QGroupBox>(tshProprium, "grpLieder");
    grpLieder->setTitle(QStringLiteral("Lieder"));
    grpLieder->setGeometry(8, 214, 759, 196);
    label(grpLieder, QStringLiteral("Eingangslied:"), 16, 28);
    txtEingangslied = lineEdit(grpLieder, "txtEingangslied", editX, 28, editW + 29);
    label(grpLieder, QStringLiteral("Wochenlied:"), 16, 60);
    txtWochenlied = lineEdit(grpLieder, "txtWochenlied", editX, 60, editW + 29);
    label(grpLieder, QStringLiteral("Vorpredigtslied:"), 16, 92);
    txtVorpredigtslied = lineEdit(grpLieder, "txtVorpredigtslied", editX, 92, editW + 29);
    label(grpLieder, QStringLiteral("Kollektenlied:"), 16, 124);
    txtKollektenlied = lineEdit(grpLieder, "txtKollektenlied", editX, 124, editW + 29);
    label(grpLieder, QStringLiteral("Ausgangslied:"), 16, 156);
    txtAusgangslied = lineEdit(grpLieder, "txtAusgangslied", editX, 156, editW + 29);

    // Tab "Ordinarium": the constant texts of the service.
    grpKonstanteTexte = make<QGroupBox>(tshOrdinarium, "grpKonstanteTexte");
    grpKonstanteTexte->setTitle(QStringLiteral("Texte"));
    grpKonstanteTexte->setGeometry(8, 8, 380, 516);
    GroupBox1 = make<QGroupBox>(tshOrdinarium, "GroupBox1");
    GroupBox1->setTitle(QStringLiteral("Lieder"));
    GroupBox1->setGeometry(396, 8, 371, 516);

    const auto placeDialog
        = [this](QPlainTextEdit *m, const QString &caption, const QString &sub, int y) {
              auto *c = label(grpKonstanteTexte, caption, 10, y, 80);
              auto *s = label(grpKonstanteTexte, sub, 10, y + 16, 80);
              Q_UNUSED(c);
              Q_UNUSED(s);
              m->setGeometry(92, y, 278, 40);
          };
    txtDialog1 = memo(grpKonstanteTexte, "txtDialog1", false);
    placeDialog(txtDialog1, QStringLiteral("1. Dialog"), QStringLiteral("(Votum)"), 22);
    txtDialog2 = memo(grpKonstanteTexte, "txtDialog2", false);
    placeDialog(txtDialog2, QStringLiteral("2. Dialog"), QStringLiteral("(Votum)"), 68);
    txtDialog3 = memo(grpKonstanteTexte, "txtDialog3", false);
    placeDialog(txtDialog3, QStringLiteral("3. Dialog"), QStringLiteral("(Gruß)"), 114);
    label(grpKonstanteTexte, QStringLiteral("Credo:"), 10, 162, 80);
    txtCredo = memo(grpKonstanteTexte, "txtCredo", true);
    txtCredo->setGeometry(92, 162, 278, 150);
    label(grpKonstanteTexte, QStringLiteral("Vater Unser:"), 10, 320, 80);
    txtVaterUnser = memo(grpKonstanteTexte, "txtVaterUnser", true);
    txtVaterUnser->setGeometry(92, 320, 278, 110);
    label(grpKonstanteTexte, QStringLiteral("Segen:"), 10, 438, 80);
    txtSegen = memo(grpKonstanteTexte, "txtSegen", true);
    txtSegen->setGeometry(92, 438, 278, 68);

    label(GroupBox1, QStringLiteral("Gloria Patri:"), 10, 22, 90);
    txtGloriaPatri = memo(GroupBox1, "txtGloriaPatri", true);
    txtGloriaPatri->setGeometry(100, 22, 261, 80);
    label(GroupBox1, QStringLiteral("Kyrie:"), 10, 112, 90);
    txtKyrie = memo(GroupBox1, "txtKyrie", true);
    txtKyrie->setGeometry(100, 112, 261, 120);
    label(GroupBox1, QStringLiteral("Gloria Excelsis:"), 10, 242, 90);
    txtGloriaExcelsis = memo(GroupBox1, "txtGloriaExcelsis", true);
    txtGloriaExcelsis->setGeometry(100, 242, 261, 264);

    MemoMenu = new QMenu(this);
    MemoMenu->setObjectName(QStringLiteral("MemoMenu"));
    QAction *open = MemoMenu->addAction(QStringLiteral("Öffnen"));
    open->setObjectName(QStringLiteral("mnuTextoeffnen"));
    QAction *save = MemoMenu->addAction(QStringLiteral("Speichern"));
    save->setObjectName(QStringLiteral("Speichern1"));
    connect(open, &QAction::triggered, this, &TfrmMain::mnuTextoeffnenClick);
    connect(save, &QAction::triggered, this, &TfrmMain::Speichern1Click);

    // Tab "Liturgie": the sequence, the occasional services and the generated order.
    pnlLiturgieMenu = make<QWidget>(tshLiturgie, "pnlLiturgieMenu");
    pnlLiturgieMenu->setGeometry(0, 0, kClientWidth - 8, 36);
    btnUp = make<QToolButton>(pnlLiturgieMenu, "btnUp");
    btnUp->setAutoRaise(true);
    btnUp->setArrowType(Qt::UpArrow);
    btnUp->setGeometry(6, 5, 26, 26);
    btnUp->setToolTip(
        QStringLiteral("Den markierten Eintrag in der Liste unten weiter nach oben verschieben."));
    btnDown = make<QToolButton>(pnlLiturgieMenu, "btnDown");
    btnDown->setAutoRaise(true);
    btnDown->setArrowType(Qt::DownArrow);
    btnDown->setGeometry(34, 5, 26, 26);
    btnDown->setToolTip(
        QStringLiteral("Den markierten Eintrag in der Liste unten weiter nach unten verschieben."));
    cmbGrundform = make<QComboBox>(pnlLiturgieMenu, "cmbGrundform");
    cmbGrundform->setEditable(true);
    cmbGrundform->setInsertPolicy(QComboBox::NoInsert);
    cmbGrundform->setGeometry(66, 7, 137, 22);
    cmbGrundform->setToolTip(
        QStringLiteral("Die in Ihrer Gemeinde verwendete Grundform auswählen"));

    const auto commandButton
        = [this](const char *name, const QString &text, const QString &tip, int x, int w) {
              auto *b = make<QPushButton>(pnlLiturgieMenu, name);
              b->setText(text);
              b->setToolTip(tip);
              b->setGeometry(x, 5, w, 26);
              return b;
          };
    btnCompile = commandButton("btnCompile", QStringLiteral("Ablauf generieren"),
                               QStringLiteral("Schritt 1: Ablauf generieren"), 222, 120);
    btnPrinterSetup = commandButton("btnPrinterSetup", QStringLiteral("Drucker..."),
                                    QStringLiteral("Optional: Druckereinstellung"), 348, 80);
    btnPrint = commandButton("btnPrint", QStringLiteral("Drucken"),
                             QStringLiteral("Optional: Drucken"), 434, 80);
    btnSeitenformat = commandButton(
        "btnSeitenformat", QStringLiteral("Seitenformat"),
        QStringLiteral("Schritt 2: Seitenformat wählen (Aktuell: Hochkant)"), 520, 110);
    btnSeitenformat->setProperty("tag", 0);
    btnSeitenformat->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    btnExport = commandButton("btnExport", QStringLiteral("Nach LibreOffice"),
                              QStringLiteral("Schritt 3: Nach LibreOffice exportieren, dort "
                                             "weiterbearbeiten, speichern und drucken"),
                              636, 130);

    const auto tick = [this](const char *name, const QString &text, const QString &tip, int y) {
        auto *c = make<QCheckBox>(tshLiturgie, name);
        c->setText(text);
        c->setToolTip(tip);
        c->setGeometry(10, y, 190, 19);
        return c;
    };
    chkAbendmahl = tick("chkAbendmahl", QStringLiteral("Abendmahl"),
                        QStringLiteral("Die Abendmahlsliturgie einfügen"), 42);
    chkTaufe = tick("chkTaufe", QStringLiteral("Taufe"),
                    QStringLiteral("Die Taufliturgie einfügen"), 62);
    chkKonfirmation = tick("chkKonfirmation", QStringLiteral("Konfirmation"),
                           QStringLiteral("Die Konfirmationsliturgie einfügen"), 82);
    chkTrauung = tick("chkTrauung", QStringLiteral("Trauung"),
                      QStringLiteral("Die Trauliturgie einfügen"), 102);
    lbxReihenfolge = make<QListWidget>(tshLiturgie, "lbxReihenfolge");
    lbxReihenfolge->setGeometry(6, 126, 201, 400);
    lbxReihenfolge->setUniformItemSizes(true);

    txtAblauf = make<QTextEdit>(tshLiturgie, "txtAblauf");
    txtAblauf->setGeometry(214, 42, 555, 484);
    QFont orderFont(QStringLiteral("Verdana"));
    orderFont.setPointSize(8);
    txtAblauf->setFont(orderFont);
    txtAblauf->setLineWrapMode(QTextEdit::NoWrap);
    txtAblauf->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAblauf->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAblauf->setTabChangesFocus(false);
    txtAblauf->setAcceptRichText(true);

    // Tab "Perikope": the passage offline on top, online below.
    auto *perikopeLayout = new QVBoxLayout(tshPerikope);
    perikopeLayout->setContentsMargins(4, 4, 4, 4);
    splPerikope = new QSplitter(Qt::Vertical, tshPerikope);
    splPerikope->setObjectName(QStringLiteral("splPerikope"));
    perikopeLayout->addWidget(splPerikope);
    rchBibelstelle = make<QTextEdit>(splPerikope, "rchBibelstelle");
    rchBibelstelle->setToolTip(QStringLiteral("offline"));
    QFont bibleFont(QStringLiteral("Verdana"));
    bibleFont.setPointSize(9);
    rchBibelstelle->setFont(bibleFont);
    rchBibelstelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pnlBrowser = make<QWidget>(splPerikope, "pnlBrowser");
    pnlBrowser->setToolTip(QStringLiteral("online"));
    auto *browserLayout = new QVBoxLayout(pnlBrowser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    splPerikope->addWidget(rchBibelstelle);
    splPerikope->addWidget(pnlBrowser);
    splPerikope->setSizes({ 185, 320 });
    bibleimport::install(*this);

    // ---- Status bar and timer ---------------------------------------------------------------
    Status = new QStatusBar(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setSizeGripEnabled(false);
    Status->setFixedHeight(kStatusHeight);
    setStatusBar(Status);

    tmrClose = new QTimer(this);
    tmrClose->setObjectName(QStringLiteral("tmrClose"));
    tmrClose->setInterval(3000);

    setFixedSize(kClientWidth, kClientHeight);
    initSequenceControls();
    churchyearmenu::install(*this);

    // The memos hold their built-in texts before anything is loaded at start-up.
    setBuiltInLiturgicalTexts();
}
