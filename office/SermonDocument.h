#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the sermon document is filled with besides the title.
struct SermonDocumentInput
{
    // The sermon text's reference exactly as its field holds it.
    QString reference;
    // Looks the reference up in the offline Bible view and returns that view's lines
    // (heading, two empty lines, the verses), or nothing when the lookup found no passage
    // or did not refill the view.
    std::function<std::optional<QStringList>(const QString &reference)> lookUpPassage;
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

// Opens the document at path (a copy of the sermon template) in LibreOffice, or a new text
// document when the file is missing, writes the title, the heading and the preparation table,
// stores it and leaves it open. Gives false when the office cannot be reached; fails with the
// office's message when it fails on the way.
Result<bool> CreateSermonDocument(const QString &title, const QString &path,
                                  const SermonDocumentInput &input);
