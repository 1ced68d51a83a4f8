#pragma once

#include <QSettings>

// The settings file format used where the native store is a file (Linux):
// the lines of an INI file ("[Section]", "Name=value"; section names
// percent-encoded as QSettings writes them), with every value read as plain
// text.
//
// QSettings' own INI reader decodes values written as "@Variant(…)" and the
// like from binary streams, and a hand-edited or damaged file can make that
// decoding allocate without bound and end the program at start-up. The store
// only ever keeps 32-bit numbers, so it needs none of it.
QSettings::Format PlainSettingsFormat();

// Far above any file the store writes (a few dozen bytes); a larger file is
// not the store's: it reads as empty and is never written over.
inline constexpr qint64 kLargestSettingsFile = qint64{64} * 1024;

// The reader and writer behind the format, open to tests.
bool ReadPlainSettings(QIODevice& device, QSettings::SettingsMap& map);
bool WritePlainSettings(QIODevice& device, const QSettings::SettingsMap& map);
