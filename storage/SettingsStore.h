#pragma once

#include "storage/RememberedChoices.h"
#include "texts/Language.h"

#include <QString>

#include <cstdint>

// The per-user settings store: QSettings in the platform's native store (the
// registry under HKEY_CURRENT_USER\Software\Quorvel\<program> on Windows,
// the INI file <config folder>/Quorvel/<program>.conf on Linux, read as plain
// text), where every value is a 32-bit integer.
class SettingsStore final
{
public:
    static constexpr char kOrganization[] = "Quorvel";
    static constexpr char kSection[] = "Last Select";
    // Program-wide options, apart from the choices of the last run.
    static constexpr char kOptionsSection[] = "Options";

    // applicationName keys the settings: by default the running program's
    // file name without its extension, so a renamed program starts afresh.
    // A settings file that is not a regular file (a pipe, a device) is never
    // opened: reads give the defaults and writes are skipped. The file is
    // looked up when the store is made (QSettings::setPath comes before).
    explicit SettingsStore(QString applicationName = programName());

    // The five remembered choices, in the order "Virus", "Hero", "Plan",
    // "Topmost", "PlanOrder", each with its default. Each call opens the store
    // afresh; writing stores each value as a 32-bit integer (REG_DWORD on
    // Windows). Write failures are not reported: the choices are a
    // convenience, not data. A write waits at most about a second for the
    // settings file's lock (another run holding it, a folder in its place)
    // and then gives up.
    RememberedChoices readChoices() const;
    void writeChoices(const RememberedChoices& choices) const;

    // The language chosen in the window's "语言 / Language" menu, "Language"
    // under kOptionsSection: System where none was chosen or the value is
    // not one of the choices. It is written when chosen, not at exit, and
    // the write tells whether it reached the store.
    LanguageChoice readLanguageChoice() const;
    bool writeLanguageChoice(LanguageChoice choice) const;

    const QString& applicationName() const { return m_applicationName; }

    // The running program's file name without its extension: ".exe" on
    // Windows; elsewhere programs have none, so the whole name.
    static QString programName();
    static QString programNameOf(const QString& programFile);

    // Where the settings of `applicationName` are kept on systems whose store
    // is a file (<config folder>/Quorvel/<name>.conf, the folder QSettings
    // uses for INI files).
    static QString filePath(const QString& applicationName);

private:
    QString m_applicationName;
    // Where the file is on systems whose store is a file, found once: finding
    // it costs as much as reading it.
    QString m_filePath;
};
