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

    // Reads and parses a Windows-1252 file. Fails with a German reason when it is no regular
    // file of at most maxBytes or cannot be read.
    static Result<IniFile> read(const QString &path, qint64 maxBytes = boundedfile::kIniLimit);

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
    struct Section
    {
        QString name;
        QList<std::pair<QString, QString>> entries; // in written order
        QHash<QString, qsizetype> index; // folded key -> position in entries
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name -> position in m_sections
};
