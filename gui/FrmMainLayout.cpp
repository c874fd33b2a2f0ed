// What the main window's layout (FrmMain.ui) cannot declare: the window's frame, the icons
// of the platform style and the drawn ones, the tabs and menus that are made in code, the
// splitter's first sizes and the close timer.
#include "gui/BibleImportRun.h"
#include "gui/ChurchYearCalendarMenu.h"
#include "gui/FrmMain.h"
#include "gui/HistoryTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

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
    setupUi(this);
    // The typing field of an editable selector is what takes the focus: it is announced by the
    // selector's name.
    for (QComboBox *combo : findChildren<QComboBox *>())
        if (QLineEdit *edit = combo->lineEdit())
            edit->setAccessibleName(combo->accessibleName());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The tool bar's icons come from the platform style; the feedback letter is drawn.
    const std::pair<QToolButton *, QStyle::StandardPixmap> icons[] = {
        { BtnNew, QStyle::SP_FileIcon },
        { BtnOpen, QStyle::SP_DialogOpenButton },
        { btnSave, QStyle::SP_DialogSaveButton },
        { btnCopyright, QStyle::SP_MessageBoxInformation },
        { BtnHilfe, QStyle::SP_MessageBoxQuestion },
        { BtnExit, QStyle::SP_DialogCloseButton },
    };
    for (const auto &[button, icon] : icons)
        button->setIcon(style()->standardIcon(icon));
    BtnFeedback->setIcon(feedbackIcon());
    btnSeitenformat->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    tshVerlauf = new HistoryTab(*this);
    pclPageControl->addTab(tshVerlauf, QStringLiteral("Verlauf"));

    MemoMenu = new QMenu(this);
    MemoMenu->setObjectName(QStringLiteral("MemoMenu"));
    QAction *open = MemoMenu->addAction(QStringLiteral("Öffnen"));
    open->setObjectName(QStringLiteral("mnuTextoeffnen"));
    QAction *save = MemoMenu->addAction(QStringLiteral("Speichern"));
    save->setObjectName(QStringLiteral("Speichern1"));
    connect(open, &QAction::triggered, this, &TfrmMain::mnuTextoeffnenClick);
    connect(save, &QAction::triggered, this, &TfrmMain::Speichern1Click);

    splPerikope->setSizes({ 185, 320 });
    bibleimport::install(*this);

    tmrClose = new QTimer(this);
    tmrClose->setObjectName(QStringLiteral("tmrClose"));
    tmrClose->setInterval(3000);

    initSequenceControls();
    churchyearmenu::install(*this);

    // The memos hold their built-in texts before anything is loaded at start-up.
    setBuiltInLiturgicalTexts();
}
