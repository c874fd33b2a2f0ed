#include "tests/support/ScriptedDialogs.h"

#include <QPrinter>
#include <gtest/gtest.h>

void ScriptedDialogs::message(const QString &text, const QString &title)
{
    Q_UNUSED(title);
    messages.append(text);
}

void ScriptedDialogs::error(const QString &text)
{
    messages.append(text);
    errors.append(text);
}

bool ScriptedDialogs::askYesNo(const QString &text, const QString &title)
{
    Q_UNUSED(title);
    questions.append(text);
    if (yesNoAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

Dialogs::Answer ScriptedDialogs::askYesNoCancel(const QString &text, const QString &title)
{
    Q_UNUSED(title);
    questions.append(text);
    if (yesNoCancelAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Answer::Cancel;
    }
    const Answer answer = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return answer;
}

int ScriptedDialogs::askChoice(const QString &text, const QStringList &captions,
                               const QString &title)
{
    Q_UNUSED(title);
    questions.append(text);
    choiceCaptions.append(captions);
    if (choiceAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return int(captions.size()) - 1;
    }
    const int answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::openFileName(const FileDialogRequest &request)
{
    fileRequests.append(request);
    if (fileNames.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::chooseSaveFileName(const FileDialogRequest &request)
{
    return openFileName(request);
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont &current)
{
    Q_UNUSED(current);
    if (fonts.empty()) {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    }
    auto font = fonts.front();
    fonts.pop_front();
    return font;
}

bool ScriptedDialogs::setupPrinter(QPrinter &printer, PrinterPurpose purpose)
{
    Q_UNUSED(printer);
    Q_UNUSED(purpose);
    if (printerAnswers.empty()) {
        ADD_FAILURE() << "unexpected printer dialog";
        return false;
    }
    const bool answer = printerAnswers.front();
    printerAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::openExternally(const QUrl &url)
{
    openedUrls.append(url);
    return openSucceeds;
}

bool PdfChoosingDialogs::setupPrinter(QPrinter &printer, PrinterPurpose purpose)
{
    ++setups;
    purposes.append(purpose);
    proposedFiles.append(printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : QString());
    if (proposalTaken && !proposedFiles.constLast().isEmpty())
        return true;
    if (pdfPath.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}
