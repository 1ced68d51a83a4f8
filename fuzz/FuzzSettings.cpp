// Arbitrary text as the settings file, then the five remembered values read
// through the settings store: each is its default or a 32-bit number the file
// gives it, and values written afterwards read back as themselves.

#include "FuzzSupport.h"

#include "SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::uint32_t>::max();

// Decimal text with an optional sign, blanks allowed around it: the only text
// a remembered value may be read from. 2^31 .. 2^32 - 1 are the unsigned
// spelling of a 32-bit pattern and stand for its signed value.
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
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

// Whether some line of the file gives `name` the number `value` in a
// spelling a reader may accept ("Name=value", blanks, a sign, leading zeros).
bool FileSpells(const QByteArray& file, const char* name, std::int32_t value)
{
    for (const QByteArray& line : file.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || line.left(equals).trimmed() != name)
            continue;
        if (DecimalNumber(QString::fromUtf8(line.mid(equals + 1))) == value)
            return true;
    }
    return false;
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

    // Each value is its default, or a number the file gives it.
    const SettingsStore store(program);
    const RememberedChoices choices = store.readChoices();
    const RememberedChoices defaults;
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto check = [&](const char* name, std::int32_t read, std::int32_t fallback) {
        if (read != fallback && !FileSpells(file, name, read)) {
            std::fprintf(stderr, "%s: read %d, which the file does not hold\n", name, read);
            FUZZ_CHECK(!"a remembered value is neither its default nor a number in the file");
        }
    };
    check("Virus", choices.m_lastVirus, defaults.m_lastVirus);
    check("Hero", choices.m_lastHero, defaults.m_lastHero);
    check("Plan", choices.m_lastPlan, defaults.m_lastPlan);
    check("Topmost", choices.m_topmost, defaults.m_topmost);
    check("PlanOrder", choices.m_planOrder, defaults.m_planOrder);

    // Whatever the file held, values written now read back as themselves.
    RememberedChoices written;
    const auto pick = [&](std::size_t at) {
        std::int32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 8 |
                                              (at + i < size ? data[at + i] : 0x5A));
        return value;
    };
    written.m_lastVirus = pick(0);
    written.m_lastHero = pick(4);
    written.m_lastPlan = pick(8);
    written.m_topmost = pick(12);
    written.m_planOrder = pick(16);
    store.writeChoices(written);
    const RememberedChoices reread = store.readChoices();
    FUZZ_CHECK(reread.m_lastVirus == written.m_lastVirus &&
               reread.m_lastHero == written.m_lastHero && reread.m_lastPlan == written.m_lastPlan &&
               reread.m_topmost == written.m_topmost && reread.m_planOrder == written.m_planOrder);
    return 0;
}
