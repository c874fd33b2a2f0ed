#pragma once

// A headless LibreOffice of the test run's own, on a pipe nobody else uses, with a private user
// profile. While it runs, PERGOLAN_OFFICE_PIPE points the program's bridge at it and
// PERGOLAN_SOFFICE is empty, so the code under test never starts an office of its own.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

class OfficeProcess
{
public:
    OfficeProcess();
    ~OfficeProcess();

    // Starts the office and waits until it answers on its pipe; false when it does not. The
    // user profile lies in profileDir when given, else in a fresh temporary folder.
    bool start(const QString &profileDir = {});
    // Asks the office to end, then ends its process group by the process id.
    void stop();

    QString pipeName() const { return m_pipe; }

private:
    QTemporaryDir m_profile;
    QString m_pipe;
    std::unique_ptr<QProcess> m_process;
};

// Points the bridge at a pipe nobody serves and forbids starting an office, for as long as
// the object lives.
class NoOfficeScope
{
public:
    NoOfficeScope();
    ~NoOfficeScope();

private:
    QByteArray m_pipe;
    QByteArray m_soffice;
};

// Closes every document open in the office, without storing.
void closeAllDocuments();

// Stores the open document with the title as an OpenDocument text file at path and closes
// it. False when no such document is open.
bool storeOpenDocument(const QString &title, const QString &path);

// A run of characters of one look in a paragraph of an open document, as the office holds it.
struct OfficePortion
{
    QString text;
    int escapement = 0; // CharEscapement: > 0 raised, < 0 lowered
    int escapementHeight = 100; // CharEscapementHeight, percent of the size
};

struct OpenDocumentText
{
    bool found = false;
    QList<QList<OfficePortion>> paragraphs; // the portions of each paragraph of the body text
    bool viewAtStart = false; // the view cursor stands at the start of the text
};

// The body text of the open document with the title, portion by portion, and where its view
// cursor stands; found is false when no such document is open.
OpenDocumentText readOpenDocument(const QString &title);

// A member of a zipped document (unzip -p), as UTF-8 text.
QString zipMember(const QString &archive, const QString &member);

// A paragraph of content.xml: its (parent) style, its text with line breaks as "\n" and tabs
// as "\t", and the runs that have a text shadow.
struct OdtParagraph
{
    QString element; // "p" or "h"
    QString style;
    QString text;
    QStringList shadowedRuns;
    bool inSection = false;
    QString masterPage;
};

struct OdtContent
{
    QList<OdtParagraph> paragraphs;
    int sections = 0;
    int sectionColumns = 0; // the column count of the last section's style
    // Per table its rows, per row its cells; a cell's paragraphs are joined with "\r".
    QList<QList<QStringList>> tables;
    // Per table the relative widths of its columns.
    QList<QStringList> tableColumnWidths;
};

OdtContent readOdtContent(const QString &archive);
