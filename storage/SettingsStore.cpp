#include "SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString Key(const QString& section, const QString& name)
{
    return section + u'/' + name;
}

} // namespace

SettingsStore::SettingsStore(QString applicationName)
    : m_applicationName(std::move(applicationName))
{
}

QString SettingsStore::programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

std::int32_t SettingsStore::readInt(const QString& section, const QString& name,
                                    std::int32_t fallback) const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                             QString::fromLatin1(kOrganization), m_applicationName);
    const QVariant value = settings.value(Key(section, name));
    if (!value.isValid())
        return fallback;
    // Text that is no number, and numbers beyond 32 bits, give the default
    // rather than a silent 0 or a truncated value.
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return fallback;
    return static_cast<std::int32_t>(number);
}

void SettingsStore::writeInt(const QString& section, const QString& name, std::int32_t value) const
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromLatin1(kOrganization), m_applicationName);
    settings.setValue(Key(section, name), static_cast<int>(value));
    settings.sync();
}

RememberedChoices SettingsStore::readChoices() const
{
    const QString section = QString::fromLatin1(kSection);
    const RememberedChoices defaults;
    RememberedChoices choices;
    choices.m_lastVirus = readInt(section, u"Virus"_s, defaults.m_lastVirus);
    choices.m_lastHero = readInt(section, u"Hero"_s, defaults.m_lastHero);
    choices.m_lastPlan = readInt(section, u"Plan"_s, defaults.m_lastPlan);
    choices.m_topmost = readInt(section, u"Topmost"_s, defaults.m_topmost);
    choices.m_planOrder = readInt(section, u"PlanOrder"_s, defaults.m_planOrder);
    return choices;
}

void SettingsStore::writeChoices(const RememberedChoices& choices) const
{
    const QString section = QString::fromLatin1(kSection);
    writeInt(section, u"Virus"_s, choices.m_lastVirus);
    writeInt(section, u"Hero"_s, choices.m_lastHero);
    writeInt(section, u"Plan"_s, choices.m_lastPlan);
    writeInt(section, u"Topmost"_s, choices.m_topmost);
    writeInt(section, u"PlanOrder"_s, choices.m_planOrder);
}
