#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// A three-way merge of one table image, record by record, for a data file
// that another program changed while this run had it open.
//
// `loaded` is the table as this run read it at start-up, `mine` the table as
// this run leaves it, `theirs` the table the file holds now; all three are
// images of the same size, a whole number of records of `recordSize` bytes.
// A record changed on one side only takes that side's version; one changed
// on both sides to the same bytes takes them. One changed on both sides to
// different bytes is a conflict: `merged` holds the file's version of it
// (nothing on disk is replaced until the user has chosen) and its index is
// listed in `conflicts`, in table order.
struct RecordMergeResult
{
    QByteArray merged;
    QList<int> conflicts;
    // Whether `merged` differs from `mine`: records came in from the file.
    bool tookTheirs = false;
};

RecordMergeResult MergeRecords(QByteArrayView loaded, QByteArrayView mine, QByteArrayView theirs,
                               qsizetype recordSize);
