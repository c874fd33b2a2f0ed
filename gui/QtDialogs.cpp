#include "gui/QtDialogs.h"

#include "base/ProgramInfo.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

QStringList qtFilterList(const QString &windowsFilter)
{
    QStringList filters;
    const QStringList parts = windowsFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        QString caption = parts.at(i);
        // "Alle Dateien (*.*)" already names its pattern.
        filters.append(caption.contains(u'(') ? caption
                                              : caption + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}

QString withDefaultExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || extension.isEmpty())
        return path;
    const QString suffix = u'.' + extension;
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

QString Dialogs::saveFileName(const FileDialogRequest &request)
{
    return withDefaultExtension(chooseSaveFileName(request), request.defaultExtension);
}

namespace {

// The program separates the lines of its messages with carriage returns; a message box only
// breaks lines at line feeds.
QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

// Messages quote file contents, typed fields and server answers, which must show as they are:
// a text that merely looks like markup would otherwise be rendered, images and all.
QMessageBox::StandardButton showMessageBox(QWidget *owner, QMessageBox::Icon icon,
                                           const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, displayText(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QtDialogs::QtDialogs(QWidget *owner)
    : m_owner(owner)
{
}

void QtDialogs::message(const QString &text, const QString &title)
{
    showMessageBox(m_owner, QMessageBox::Information,
                   title.isEmpty() ? programinfo::title() : title, text, QMessageBox::Ok,
                   QMessageBox::Ok);
}

void QtDialogs::error(const QString &text)
{
    showMessageBox(m_owner, QMessageBox::Critical, programinfo::title(), text, QMessageBox::Ok,
                   QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const QString &text, const QString &title)
{
    return showMessageBox(m_owner, QMessageBox::Question,
                          title.isEmpty() ? programinfo::title() : title, text,
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString &text, const QString &title)
{
    // Escape and the box's close button give its escape button, Abbrechen.
    switch (showMessageBox(
        m_owner, QMessageBox::Question, title.isEmpty() ? programinfo::title() : title, text,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

int QtDialogs::askChoice(const QString &text, const QStringList &captions, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? programinfo::title() : title,
                    displayText(text), QMessageBox::NoButton, m_owner);
    box.setTextFormat(Qt::PlainText);
    QList<QPushButton *> buttons;
    for (const QString &caption : captions) {
        // The last answer changes nothing: it is the one Escape and the close button give.
        const bool last = buttons.size() == captions.size() - 1;
        buttons.append(
            box.addButton(caption, last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(buttons.constFirst());
    box.setEscapeButton(buttons.constLast());
    box.exec();
    const qsizetype index = buttons.indexOf(static_cast<QPushButton *>(box.clickedButton()));
    return int(index < 0 ? buttons.size() - 1 : index);
}

QString QtDialogs::runFileDialog(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(m_owner, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtFilterList(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    dialog.setDefaultSuffix(request.defaultExtension);
    // The program's own save never asked before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.initialDir.isEmpty())
        dialog.setDirectory(request.initialDir);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::cleanPath(dialog.selectedFiles().constFirst());
}

QString QtDialogs::openFileName(const FileDialogRequest &request)
{
    return runFileDialog(request, false);
}

QString QtDialogs::chooseSaveFileName(const FileDialogRequest &request)
{
    return runFileDialog(request, true);
}

std::optional<QFont> QtDialogs::chooseFont(const QFont &current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, m_owner);
    if (!ok)
        return std::nullopt;
    return font;
}

bool QtDialogs::setupPrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_owner);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    return dialog.exec() == QDialog::Accepted;
}

bool desktopHasMailProgram()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    QProcess query;
    query.start(xdgMime,
                { QStringLiteral("query"), QStringLiteral("default"),
                  QStringLiteral("x-scheme-handler/mailto") });
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return query.exitStatus() != QProcess::NormalExit
        || !query.readAllStandardOutput().trimmed().isEmpty();
}

bool QtDialogs::openExternally(const QUrl &url)
{
    // xdg-open starts, and so the desktop services report success, even when no program takes
    // a mail link: nothing would happen at all.
    if (url.scheme() == QStringLiteral("mailto") && !desktopHasMailProgram())
        return false;
    return QDesktopServices::openUrl(url);
}
