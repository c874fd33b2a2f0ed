// The main window's handlers for the liturgical text memos of the tab "Ordinarium".
#include "gui/FrmMain.h"

#include "storage/LiturgicalTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

using liturgicaltexts::Memo;

QPlainTextEdit *memoControl(TfrmMain &w, Memo memo)
{
    switch (memo) {
    case Memo::Dialog1:
        return w.txtDialog1;
    case Memo::Dialog2:
        return w.txtDialog2;
    case Memo::Dialog3:
        return w.txtDialog3;
    case Memo::Credo:
        return w.txtCredo;
    case Memo::VaterUnser:
        return w.txtVaterUnser;
    case Memo::Segen:
        return w.txtSegen;
    case Memo::GloriaPatri:
        return w.txtGloriaPatri;
    case Memo::Kyrie:
        return w.txtKyrie;
    case Memo::GloriaExcelsis:
        return w.txtGloriaExcelsis;
    }
    return nullptr;
}

// Only the memos that have a text file can be loaded from and saved to a file; the three
// dialogues are edited by typing.
bool hasTextFile(TfrmMain &w, const QPlainTextEdit *memo)
{
    if (!memo)
        return false;
    for (const auto &file : liturgicaltexts::startupFiles()) {
        if (memoControl(w, file.memo) == memo)
            return true;
    }
    return false;
}

void setLines(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(liturgicaltexts::memoText(lines));
}

} // namespace

void TfrmMain::setBuiltInLiturgicalTexts()
{
    for (const Memo memo :
         { Memo::Dialog1, Memo::Dialog2, Memo::Dialog3, Memo::Credo, Memo::VaterUnser, Memo::Segen,
           Memo::GloriaPatri, Memo::Kyrie, Memo::GloriaExcelsis })
        setLines(memoControl(*this, memo), liturgicaltexts::builtInText(memo));
}

Result<> TfrmMain::LoadLiturgicalTexts()
{
    // A missing file leaves the built-in text; a file that cannot be read ends the start-up
    // sequence with its error, before the later files.
    for (const auto &file : liturgicaltexts::startupFiles()) {
        const QString path = liturgicaltexts::textFilePath(QString::fromUtf16(file.fileName));
        if (!QFileInfo::exists(path))
            continue;
        const Result<QStringList> lines = liturgicaltexts::readTextFile(path);
        if (!lines)
            return lines.failure();
        setLines(memoControl(*this, file.memo), *lines);
    }
    return {};
}

void TfrmMain::txtGloriaPatriContextPopup(QPlainTextEdit *memo, const QPoint &globalPos)
{
    // The menu offers loading a text file into this memo and saving the memo's text.
    m_popupMemo = memo;
    MemoMenu->popup(globalPos);
}

void TfrmMain::mnuTextoeffnenClick()
{
    QPlainTextEdit *memo = m_popupMemo;
    if (!hasTextFile(*this, memo))
        return;
    OpenDialog1.filter = QStringLiteral("Texte|*.txt|Alle Dateien|*.*");
    const QString path = dialogs().openFileName(OpenDialog1);
    if (path.isEmpty())
        return;
    OpenDialog1.fileName = path;
    run([&]() -> Result<> {
        const Result<QStringList> lines = liturgicaltexts::readTextFile(path);
        if (lines)
            setLines(memo, *lines);
        return lines ? Result<>() : lines.failure();
    });
}

void TfrmMain::Speichern1Click()
{
    QPlainTextEdit *memo = m_popupMemo;
    if (!hasTextFile(*this, memo))
        return;
    // The save dialog is shared with the service-order file, which selects its own filter.
    SaveDialog1.filter = QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*");
    SaveDialog1.filterIndex = 1;
    SaveDialog1.defaultExtension = QStringLiteral("txt");
    const QString path = dialogs().saveFileName(SaveDialog1);
    if (path.isEmpty())
        return;
    SaveDialog1.fileName = path;
    run([&] {
        return liturgicaltexts::writeTextFile(path,
                                              liturgicaltexts::memoLines(memo->toPlainText()));
    });
}
