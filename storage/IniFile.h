#pragma once

#include "storage/BoundedFile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// An INI document read and written by the rules of the program's settings and service-order
// files: section and key names match without regard to case, blanks around keys and values
// are dropped, empty lines and lines starting with ';' are skipped, a missing section or key
// yields the caller's default. Sections and keys are written in the order they were set.
// Files are Windows-1252 with CR LF line endings.
class IniFile
{
public:
    IniFile() = default;

    // Parses already decoded text. Lines before the first section header and lines without
    // '=' are ignored; of two equal keys in one section the first one counts.
    static IniFile fromText(const QString &text);

    // What reading keeps of a file: a section (its name without regard to case), whole when
    // `keys` is empty, else only those keys. The other lines are passed over, which makes
    // reading a few values out of many files cheap.
    struct Wanted
    {
        QString section;
        QStringList keys;
    };
    static IniFile fromText(const QString &text, const QList<Wanted> &wanted);

    // Reads and parses a Windows-1252 file. Fails with a German reason when it is no regular
    // file of at most maxBytes or cannot be read.
    static Result<IniFile> read(const QString &path, qint64 maxBytes = boundedfile::kIniLimit);
    static Result<IniFile> read(const QString &path, qint64 maxBytes, const QList<Wanted> &wanted);

    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = {}) const;
    bool contains(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;

    // Reads an integer value; a missing key or a value that is not an integer yields
    // defaultValue.
    int intValue(const QString &section, const QString &key, int defaultValue) const;

    // Sets a value, appending the section and key at the end when they are new.
    void setValue(const QString &section, const QString &key, const QString &value);

    QString toText() const;
    QByteArray toBytes() const; // Windows-1252, CR LF

    // Writes the whole file or nothing (the earlier file survives a failure).
    Result<> save(const QString &path) const;

private:
    // Names found without regard to case: compared one by one while they are few (a file has a
    // handful of sections and keys), through a hash of the folded names once they are many.
    class Names
    {
    public:
        qsizetype find(QStringView name) const; // -1 when absent
        qsizetype add(const QString &name); // a name not there yet; its position
        const QStringList &list() const { return m_names; }

    private:
        QStringList m_names; // as written, in written order
        QHash<QString, qsizetype> m_folded; // folded name -> position, once there are many
    };

    struct Section
    {
        QString name;
        Names keys;
        QStringList values; // by the keys' positions
    };

    static IniFile parse(const QString &text, const QList<Wanted> *wanted);
    Section *findSection(QStringView name);
    const Section *findSection(QStringView name) const;
    Section &section(QStringView name); // added when missing

    Names m_sectionNames;
    QList<Section> m_sections; // by the names' positions
};
