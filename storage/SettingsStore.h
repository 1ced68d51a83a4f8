#pragma once

#include "RememberedChoices.h"

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

    // applicationName keys the settings: by default the running program's
    // file name without its extension, so a renamed program starts afresh.
    explicit SettingsStore(QString applicationName = programName());

    // The five remembered choices, in the order "Virus", "Hero", "Plan",
    // "Topmost", "PlanOrder", each with its default. Each call opens the store
    // afresh; writing stores each value as a 32-bit integer (REG_DWORD on
    // Windows). Write failures are not reported: the choices are a
    // convenience, not data.
    RememberedChoices readChoices() const;
    void writeChoices(const RememberedChoices& choices) const;

    const QString& applicationName() const { return m_applicationName; }

    // The running program's file name without its extension.
    static QString programName();

private:
    QString m_applicationName;
};
