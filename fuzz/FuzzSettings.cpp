// Arbitrary text as the settings file, then the five remembered values read
// through the settings store: each is its default, or exactly the 32-bit
// number the file holds for it.

#include "FuzzSupport.h"

#include "SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QVariant>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();

// Decimal text with an optional sign, blanks allowed around it: the only text
// a remembered value may be read from.
std::optional<std::int32_t> DecimalNumber(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const QChar unit : text) {
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (unit.unicode() - u'0');
        if (magnitude > kHighest + 1)
            return std::nullopt;
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < kLowest || number > kHighest)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

// What the file holds for a value, judged apart from the store: a whole
// number in the 32-bit range, or nothing usable.
std::optional<std::int32_t> StoredNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return DecimalNumber(value.toString());
    case QMetaType::QByteArray:
        return DecimalNumber(QString::fromLatin1(value.toByteArray()));
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong: {
        const std::int64_t number = value.toLongLong();
        if (value.typeId() != QMetaType::LongLong && value.typeId() != QMetaType::Long &&
            number < 0)
            return std::nullopt;
        if (number < kLowest || number > kHighest)
            return std::nullopt;
        return static_cast<std::int32_t>(number);
    }
    case QMetaType::ULongLong: {
        const std::uint64_t number = value.toULongLong();
        if (number > static_cast<std::uint64_t>(kHighest))
            return std::nullopt;
        return static_cast<std::int32_t>(number);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, fuzz::ScratchFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fuzz::ScratchFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, fuzz::ScratchFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, fuzz::ScratchFolder());
    return QDir(fuzz::ScratchFolder()).mkpath(QString::fromLatin1(SettingsStore::kOrganization))
               ? 0
               : -1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The settings machinery keeps parsed files and notices a rewrite by the
    // file's size and time: every input gets a time of its own.
    static qint64 runs = 0;
    const QString program = u"fuzz"_s;
    const QString path = QDir(fuzz::ScratchFolder())
                             .filePath(QString::fromLatin1(SettingsStore::kOrganization) + u'/' +
                                       program + u".conf"_s);
    fuzz::WriteBytes(path, QByteArrayView(data, static_cast<qsizetype>(size)));
    {
        QFile file(path);
        const QDateTime time = QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++runs, Qt::UTC);
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(time, QFileDevice::FileModificationTime))
            fuzz::Fail("cannot set the settings file's time", __FILE__, __LINE__);
    }

    const RememberedChoices choices = SettingsStore(program).readChoices();
    const RememberedChoices defaults;
    const QSettings file(path, QSettings::IniFormat);
    const auto check = [&](const char* name, std::int32_t read, std::int32_t fallback) {
        const QVariant stored = file.value(QString::fromLatin1(SettingsStore::kSection) + u'/' +
                                           QString::fromLatin1(name));
        const std::optional<std::int32_t> number = StoredNumber(stored);
        // A number in the form the store writes must come back as itself;
        // other spellings of a number (blanks, a plus sign, leading zeros) may
        // also give the default.
        const bool canonical = !number || stored.typeId() != QMetaType::QString ||
                               stored.toString() == QString::number(*number);
        const bool readExactly = read == number.value_or(fallback);
        if (!readExactly && (canonical || read != fallback)) {
            std::fprintf(stderr, "%s: stored %s (type %s), read %d\n", name,
                         qPrintable(stored.toString()), stored.typeName(), read);
            FUZZ_CHECK(!"a remembered value is neither its default nor the stored number");
        }
    };
    check("Virus", choices.m_lastVirus, defaults.m_lastVirus);
    check("Hero", choices.m_lastHero, defaults.m_lastHero);
    check("Plan", choices.m_lastPlan, defaults.m_lastPlan);
    check("Topmost", choices.m_topmost, defaults.m_topmost);
    check("PlanOrder", choices.m_planOrder, defaults.m_planOrder);
    return 0;
}
