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

    // The stored value, or `fallback` when it is missing or is not a 32-bit
    // integer. Each call opens the store afresh.
    std::int32_t readInt(const QString& section, const QString& name, std::int32_t fallback) const;
    // Stores the value as a 32-bit integer (REG_DWORD on Windows). Failures
    // are not reported: the choices are a convenience, not data.
    void writeInt(const QString& section, const QString& name, std::int32_t value) const;

    // The five remembered choices, in the order "Virus", "Hero", "Plan",
    // "Topmost", "PlanOrder", each with its default.
    RememberedChoices readChoices() const;
    void writeChoices(const RememberedChoices& choices) const;

    const QString& applicationName() const { return m_applicationName; }

    // The running program's file name without its extension.
    static QString programName();

private:
    QString m_applicationName;
};
