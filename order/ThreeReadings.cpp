#include "order/ThreeReadings.h"

namespace threereadings {

QString entryName()
{
    return QStringLiteral("AT-Lesung");
}

bool place(SequenceList &list, bool threeReadings)
{
    const SequenceList before = list;
    for (int i = list.find(entryName()); i >= 0; i = list.find(entryName()))
        list.deleteAt(i);
    if (threeReadings) {
        int anchor = list.find(QStringLiteral("Epistel"));
        if (anchor < 0)
            anchor = list.find(QStringLiteral("Evangelium"));
        if (anchor >= 0)
            list.insert(anchor, entryName());
    }
    return list != before;
}

} // namespace threereadings
