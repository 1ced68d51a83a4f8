#pragma once

#include <QString>

// The error code of a data file that exists but is a pipe, a device or a
// socket: no system error code says that on its own.
inline constexpr int kNotARegularFile = -1;

// The system's own text for an error code (strerror), and for
// kNotARegularFile a text in the same style.
QString SystemErrorText(int error);

// What the user is told about a failed file operation: the cause in Chinese
// for the usual cases (no permission, read-only file system, no space left,
// folder missing, a folder in the way, file too large, not a regular file),
// followed by the system's own text, which is all there is for the rest.
QString DescribeFileError(int error, const QString& systemText);
