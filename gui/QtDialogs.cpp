#include "gui/QtDialogs.h"

#include "base/ProgramInfo.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

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

} // namespace

QtDialogs::QtDialogs(QWidget *owner)
    : m_owner(owner)
{
}

void QtDialogs::message(const QString &text, const QString &title)
{
    QMessageBox::information(m_owner, title.isEmpty() ? programinfo::title() : title,
                             displayText(text));
}

void QtDialogs::error(const QString &text)
{
    QMessageBox::critical(m_owner, programinfo::title(), displayText(text));
}

bool QtDialogs::askYesNo(const QString &text, const QString &title)
{
    return QMessageBox::question(m_owner, title.isEmpty() ? programinfo::title() : title,
                                 displayText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
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

QString QtDialogs::saveFileName(const FileDialogRequest &request)
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

bool QtDialogs::openExternally(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
