#include "storage/RecordMerge.h"

#include <cassert>

RecordMergeResult MergeRecords(QByteArrayView loaded, QByteArrayView mine, QByteArrayView theirs,
                               qsizetype recordSize)
{
    assert(recordSize > 0);
    assert(loaded.size() == mine.size() && mine.size() == theirs.size());
    assert(mine.size() % recordSize == 0);
    RecordMergeResult result;
    result.merged = mine.toByteArray();
    const qsizetype count = mine.size() / recordSize;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = i * recordSize;
        const QByteArrayView base = loaded.sliced(at, recordSize);
        const QByteArrayView ours = mine.sliced(at, recordSize);
        const QByteArrayView other = theirs.sliced(at, recordSize);
        if (other == base || other == ours)
            continue; // unchanged in the file, or changed the same way here
        result.merged.replace(at, recordSize, other.toByteArray());
        result.tookTheirs = true;
        if (ours != base)
            result.conflicts.append(static_cast<int>(i));
    }
    return result;
}
