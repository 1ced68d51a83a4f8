#pragma once

#include <QString>

// The error code of a data file that exists but is a pipe, a device or a
// socket: no system error code says that on its own.
inline constexpr int kNotARegularFile = -1;
// A symbolic link whose target does not exist: not a missing file (the link
// says a file was meant to be there) but one that cannot be read, and one a
// write must not follow.
inline constexpr int kDanglingLink = -2;
// A file that cannot be created or replaced because its folder does not let
// this user write in it (read-only, or not the user's).
inline constexpr int kFolderNotWritable = -3;

// The system's own text for an error code (strerror), and for
// kNotARegularFile a text in the same style.
QString SystemErrorText(int error);

// What the user is told about a failed file operation: the cause in Chinese
// for the usual cases (no permission, read-only file system, no space left,
// folder missing, a folder in the way, file too large, not a regular file),
// followed by the system's own text, which is all there is for the rest.
QString DescribeFileError(int error, const QString& systemText);
// The same for the file at `path`; a folder that refuses new files is named.
QString DescribeFileErrorAt(const QString& path, int error, const QString& systemText);
