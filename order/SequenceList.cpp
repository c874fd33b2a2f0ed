#include "order/SequenceList.h"

#include <algorithm>

int SequenceList::find(QStringView name) const
{
    for (int i = 0; i < count(); ++i) {
        const QString &entry = m_entries.at(i);
        // Letter case is folded one code unit for one, so names of different length never
        // match; checking the length first keeps the many misses of the service rules cheap.
        if (entry.size() == name.size()
            && QStringView(entry).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void SequenceList::insert(int index, const QString &name)
{
    m_entries.insert(std::clamp(index, 0, count()), name);
}

void SequenceList::deleteAt(int index)
{
    if (index >= 0 && index < count())
        m_entries.removeAt(index);
}

void SequenceList::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count())
        return;
    m_entries.move(from, to);
}

int moveEntryUp(SequenceList &list, int selected)
{
    if (selected <= 0 || selected >= list.count())
        return selected;
    list.move(selected, selected - 1);
    return selected - 1;
}

int moveEntryDown(SequenceList &list, int selected)
{
    if (selected < 0 || selected >= list.count() - 1)
        return selected;
    list.move(selected, selected + 1);
    return selected + 1;
}
