#pragma once

#include <QString>
#include <QStringList>

// The sequence of the service: an ordered list of element names such as "Eingangslied" or
// "Predigt", from the ringing of the bells to the blessing. An entry is nothing but its name;
// the rules of the occasional services and of the order text are keyed on these names.
// The list may hold any text, duplicates included (a restored list takes whatever the file
// holds).
class SequenceList
{
public:
    SequenceList() = default;
    explicit SequenceList(QStringList entries)
        : m_entries(std::move(entries))
    {
    }

    // Index of the first entry equal to name without regard to letter case; -1 if none.
    int find(QStringView name) const;
    // Puts name at index; the entries from index on move down by one. index equal to the
    // count appends. An index outside 0..count is taken as the nearest end of the list.
    void insert(int index, const QString &name);
    // Removes the entry at index; an index outside the list (-1, -2, count, ...) changes
    // nothing, so delete(find(name)) is safe for a name that is missing.
    void deleteAt(int index);
    // Appends name.
    void add(const QString &name) { m_entries.append(name); }
    void clear() { m_entries.clear(); }
    // Takes the entry out of position from and puts it at position to. Positions outside the
    // list change nothing.
    void move(int from, int to);

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QString &at(int index) const { return m_entries.at(index); }
    const QStringList &entries() const { return m_entries; }

    friend bool operator==(const SequenceList &, const SequenceList &) = default;

private:
    QStringList m_entries;
};

// The moves of the two arrow buttons. selected is the selected index, -1 for none. Each
// returns the index that is selected afterwards: the moved entry's new place, so repeated
// moves carry it further, or selected unchanged when nothing moved (the first entry up, the
// last entry down, nothing selected).
int moveEntryUp(SequenceList &list, int selected);
int moveEntryDown(SequenceList &list, int selected);
