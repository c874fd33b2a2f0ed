#pragma once

#include "base/Result.h"
#include "order/OccasionalServices.h"
#include "storage/Preparation.h"
#include "storage/WatchedFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The preparation the main window shows, with the day it belongs to and whether it has been
// changed since it was loaded or saved. The pages show it and hand every edit to it; it holds
// the rules (which field counts as an edit, what a tick does to the sequence, how a file or a
// day is loaded) and signals each change. No widget: its rules are tested on their own.
class PreparationDocument : public QObject
{
    Q_OBJECT

public:
    // The fields of the tab "Proprium", in the order a preparation stores them.
    enum class Field {
        Wochenspruch,
        Psalm,
        ATLesung,
        Epistel,
        Evangelium,
        Predigttext,
        Eingangslied,
        Wochenlied,
        Vorpredigtslied,
        Kollektenlied,
        Ausgangslied,
    };
    static constexpr int kFieldCount = 11;
    static QString ProperTexts::*member(Field field);

    explicit PreparationDocument(QObject *parent = nullptr);

    // The preparation with the day's name trimmed, as it is saved and written out.
    Preparation preparation() const;
    QString text(Field field) const { return m_preparation.*member(field); }

    // The caption of the day panel: the day's name behind three blanks.
    QString dayCaption() const { return QStringLiteral("   ") + m_preparation.dayName; }
    // The date of the chosen day as yyyymmdd; empty until a day is loaded.
    const QString &dayStamp() const { return m_dayStamp; }
    // The day's liturgical colour in the Windows layout 0x02BBGGRR, -1 until one is known.
    int dayColour() const { return m_colour; }

    // Puts a day in by hand, as a loaded day or file does: its name (as the file or the day list
    // gives it) and series, and its colour.
    void setDay(const QString &name, const QString &series);
    void setDayColour(int colour);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // A field typed or set: a real change of its text marks the preparation modified.
    void setText(Field field, const QString &text);

    // What the user does to the order of service (choosing a basic form, a tick, moving an
    // entry, the page format) is saved with the preparation and would be lost on closing, so
    // it marks the preparation modified as a typed field does; putting a preparation in
    // (loading a day or a file, restoring the order settings) does not.

    // The basic form the sequence is rebuilt from: its position among the four forms, -1 for
    // a text that names none of them. Choosing rebuilds the list with the services ticked.
    int basicForm() const { return m_basicForm; }
    void setBasicForm(int position);
    void chooseBasicForm(int position);

    // Sets one tick as a click does: the service is placed into the list, or the list rebuilt
    // from the basic form. Returns true when the list was rebuilt; nothing happens (and false
    // is returned) when the tick already has that state.
    bool setTick(occasional::Service service, bool on);
    // The same as the user's click: a tick that changes marks the preparation modified.
    bool chooseTick(occasional::Service service, bool on);
    // The entry at index moved up or down; returns its new index (unchanged when it cannot
    // move).
    int moveEntryUp(int index);
    int moveEntryDown(int index);
    // Replaces the list without any rule.
    void setSequence(const QStringList &entries);

    // "Drei Lesungen": the Old Testament reading is read before the epistle (see
    // threereadings::place). Choosing places it into the list or takes it out; a list rebuilt
    // from the basic form gets it again. Setting it, as loading does, leaves the list alone.
    bool threeReadings() const { return m_preparation.threeReadings; }
    void setThreeReadings(bool on);
    void chooseThreeReadings(bool on);

    // 0 portrait, 1 landscape.
    int pageFormat() const { return m_preparation.pageFormat; }
    void setPageFormat(int format);
    void togglePageFormat();

    // Puts the day of a day-list entry ("dd.MM.yyyy s Name") in: date, series and name, then
    // the stored preparation of that day in the data folder when there is one, otherwise the
    // day's colour and propers from the liturgical library. What was set before a failure stays
    // set; the day counts as unchanged afterwards. An entry too short to hold a date and a name
    // changes nothing. The failure's text is the whole message to show.
    Result<> loadDay(const QString &entry);
    // Whether a day-list entry is long enough to hold a date and a name.
    static bool namesADay(const QString &entry);
    // The stored preparation of the day shown, in the data folder given; empty when it has none.
    QString storedOrderPath(const QString &dataFolder) const;

    // Loads a service-order file step by step: texts, the day's colour, page format, readings,
    // sequence and ticks. Whatever was set before a failure stays set; a failure means a damaged
    // file. Loaded whole, the preparation is unchanged: it is as the file stores it.
    Result<> loadFile(const QString &path);
    // Writes the preparation to path as choice says and clears the modified state when it was
    // saved; the outcome's path is the file written. By default a file that somebody else
    // changed since this document loaded or last saved it is not written: the outcome asks
    // (SaveOutcome::Status::Asks with the question), and the caller saves again with the
    // answer (Überschreiben, Als neue Datei speichern beside it, Abbrechen).
    Result<SaveOutcome> saveFile(const QString &path, SaveChoice choice = SaveChoice::AskIfChanged);
    // The file last loaded or saved (absolute), or the day's file nobody had saved when the day
    // was loaded; empty when there is none.
    const QString &watchedPath() const { return m_file.stamp().path; }
    // Whether the day shown was last put in from the liturgical library's propers (no file
    // of it was loaded since).
    bool showsPropers() const { return m_showsPropers; }
    // Restores the sequence and the ticks of the order settings file, when there is one; three
    // readings are chosen when its list holds the Old Testament reading.
    Result<> restoreOrderSettings();

signals:
    void dayChanged(); // name, series or colour
    void textChanged(PreparationDocument::Field field);
    void ticksChanged();
    void threeReadingsChanged();
    void sequenceChanged();
    void pageFormatChanged();
    void basicFormChanged();
    void modifiedChanged(bool modified);
    // A service-order file is being loaded (from "Öffnen", the history or the chosen day).
    void fileLoading(const QString &path);
    // A day nobody has saved yet got its propers from the liturgical library.
    void propersLoaded();
    // What the order of service is generated from changes: another day or file, a tick, a
    // basic form, a move. An order generated before no longer belongs to it.
    void orderInputsChanged();

private:
    Result<> applyDayColour(const QString &dayName);
    void setTexts(const ProperTexts &texts);
    // The stored list and ticks in, each tick that changes applied as a click would.
    void restoreSequence(const QStringList &entries, const ServiceTicks &ticks);

    Preparation m_preparation;
    // The file last loaded or saved, as it was then, to notice another writer.
    WatchedFile m_file;
    QString m_dayStamp;
    int m_colour = -1;
    int m_basicForm = 0;
    bool m_modified = false;
    bool m_showsPropers = false;
};
