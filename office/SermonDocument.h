#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class SermonSession;

// What the sermon document is filled with besides the title.
struct SermonDocumentInput
{
    // The sermon text's reference exactly as its field holds it.
    QString reference;
    // The lines of the offline Bible view after the reference was looked up (heading, two
    // empty lines, the verses), or nothing when the lookup found no passage or did not refill
    // the view.
    std::optional<QStringList> passageLines;
};

// The office a sermon document is made in. Reaching it comes first and on its own, so that
// the caller looks the sermon text up (and shows what the lookup has to say) only once the
// office is there to take the document.
class SermonOffice
{
public:
    // Loads the office plugin and connects to the office, starting it when nobody answers.
    SermonOffice();
    ~SermonOffice();

    SermonOffice(const SermonOffice &) = delete;
    SermonOffice &operator=(const SermonOffice &) = delete;

    bool connected() const;
    // Empty when the office plugin is there; otherwise the German text saying what is missing
    // (and then connected() is false).
    QString problem() const;

private:
    friend Result<bool> CreateSermonDocument(const SermonOffice &, const QString &, const QString &,
                                             const SermonDocumentInput &);
    std::unique_ptr<SermonSession> m_session;
    QString m_problem;
};

// The sermon folder of a series inside the data folder, with a trailing "/". Fails when series
// names no series folder.
Result<QString> sermonFolder(const QString &dataFolder, const QString &series);

// The sermon document's file name: series, " ", day stamp, " - ", day name, ".odt". Fails when
// the day name cannot be part of a file name.
Result<QString> sermonDocumentName(const QString &series, const QString &dayStamp,
                                   const QString &dayName);

// The document's title: day name, ", Predigtreihe ", series.
QString sermonDocumentTitle(const QString &dayName, const QString &series);

// One of the two pulpit greetings (1 in 3 the first), then a line break, a paragraph break and
// "Liebe Gemeinde,". The draw is 0, 1 or 2; 0 gives the first greeting.
QString PulpitGreeting();
QString PulpitGreeting(int draw);

// For tests: the source of the draw (an empty function restores the random one).
void setGreetingDrawForTesting(std::function<int()> draw);

// Opens the document at path (a copy of the sermon template) in the office, or a new text
// document when the file is missing, writes the title, the heading and the preparation table,
// stores it and leaves it open. Gives false when the office is not connected; fails with the
// office's message when it fails on the way.
Result<bool> CreateSermonDocument(const SermonOffice &office, const QString &title,
                                  const QString &path, const SermonDocumentInput &input);
