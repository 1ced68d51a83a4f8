#pragma once

#include <QByteArray>
#include <QString>

// What stands at a path, and the one check every file the program reads or
// writes on the user's behalf goes through (data files, CSV files, the
// recovery file, the settings): only a regular file, or nothing for a write,
// is ever opened. A pipe, a device or a socket would block a read for ever or
// be replaced by a write; a link that leads nowhere is a file that cannot be
// read, and writing through it would make a file somewhere the user never
// chose.
enum class FileKind
{
    Nothing,      // no entry at the path
    Regular,      // a regular file, or a link to one
    Folder,       // a folder, or a link to one
    Special,      // a pipe, a device or a socket, or a link to one
    DanglingLink, // a link whose target does not exist
    Unknown,      // the path could not be examined (see the error code)
};

struct FileKindAt
{
    FileKind kind = FileKind::Nothing;
    bool isLink = false; // the path itself is a symbolic link
    int error = 0;       // errno value when kind is Unknown
};

FileKindAt ExamineFile(const QString& path);

// The error code that refuses a read of `path` (kNotARegularFile, EISDIR,
// kDanglingLink, ENOENT for nothing, or the system's code), 0 when it is a
// regular file.
int ReadRefusal(const FileKindAt& found);

// The error code that refuses replacing `path` with a new regular file, 0
// when it holds a regular file or nothing. `followLinks` false also refuses a
// link, whatever it leads to: for files in folders others may write to.
int WriteRefusal(const FileKindAt& found, bool followLinks = true);

// The first `limit` bytes of a regular file, read without ever blocking on a
// pipe or a device: the open does not wait, and what it opened is checked
// before anything is read. `noFollow` refuses a link at the path.
struct ReadOutcome
{
    QByteArray bytes;
    int error = 0;   // 0 on success; else as ReadRefusal or the system's code
    qint64 size = 0; // the file's size
    QString reason;  // the system's text for error
    bool ok() const { return error == 0; }
};
ReadOutcome ReadRegularFile(const QString& path, qint64 limit, bool noFollow = false);
