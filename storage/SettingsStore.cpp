#include "SettingsStore.h"

#include "PlainSettingsFormat.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <limits>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The registry on Windows; elsewhere the native store is an INI file, read
// as plain text (see PlainSettingsFormat).
QSettings::Format StoreFormat()
{
#ifdef Q_OS_WIN
    return QSettings::NativeFormat;
#else
    return PlainSettingsFormat();
#endif
}

QString Key(const QString& section, const QString& name)
{
    return section + u'/' + name;
}

// The whole number a stored value holds: decimal text (blanks around it
// allowed) or an integer. Text that only begins with a number ("12" and then
// a zero character and more), a truth value and a fraction hold none, rather
// than a number the user never wrote.
std::optional<qlonglong> WholeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed();
        const qsizetype digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
        if (text.size() == digitsFrom)
            return std::nullopt;
        for (qsizetype i = digitsFrom; i < text.size(); ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return std::nullopt;
        }
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qlonglong>::max()))
            return std::nullopt;
        return value.toLongLong();
    default:
        return std::nullopt;
    }
}

// The stored value, or `fallback` when it is missing or is not a 32-bit
// integer: text that is no number and numbers beyond 32 bits give the default
// rather than a silent 0 or a truncated value.
std::int32_t ReadInt(const QSettings& settings, const QString& name, std::int32_t fallback)
{
    const QVariant value = settings.value(Key(QString::fromLatin1(SettingsStore::kSection), name));
    if (!value.isValid())
        return fallback;
    const std::optional<qlonglong> number = WholeNumber(value);
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max())
        return fallback;
    return static_cast<std::int32_t>(*number);
}

void WriteInt(QSettings& settings, const QString& name, std::int32_t value)
{
    settings.setValue(Key(QString::fromLatin1(SettingsStore::kSection), name),
                      static_cast<int>(value));
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

RememberedChoices SettingsStore::readChoices() const
{
    const QSettings settings(StoreFormat(), QSettings::UserScope,
                             QString::fromLatin1(kOrganization), m_applicationName);
    const RememberedChoices defaults;
    RememberedChoices choices;
    choices.m_lastVirus = ReadInt(settings, u"Virus"_s, defaults.m_lastVirus);
    choices.m_lastHero = ReadInt(settings, u"Hero"_s, defaults.m_lastHero);
    choices.m_lastPlan = ReadInt(settings, u"Plan"_s, defaults.m_lastPlan);
    choices.m_topmost = ReadInt(settings, u"Topmost"_s, defaults.m_topmost);
    choices.m_planOrder = ReadInt(settings, u"PlanOrder"_s, defaults.m_planOrder);
    return choices;
}

void SettingsStore::writeChoices(const RememberedChoices& choices) const
{
    QSettings settings(StoreFormat(), QSettings::UserScope, QString::fromLatin1(kOrganization),
                       m_applicationName);
    WriteInt(settings, u"Virus"_s, choices.m_lastVirus);
    WriteInt(settings, u"Hero"_s, choices.m_lastHero);
    WriteInt(settings, u"Plan"_s, choices.m_lastPlan);
    WriteInt(settings, u"Topmost"_s, choices.m_topmost);
    WriteInt(settings, u"PlanOrder"_s, choices.m_planOrder);
    settings.sync();
}
