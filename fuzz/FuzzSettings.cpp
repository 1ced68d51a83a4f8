// Arbitrary text as the settings file, then the five remembered values read
// through the settings store: each is its default or a 32-bit number the file
// gives it, values written afterwards read back as themselves, and keys the
// store does not know survive the write. The same text behind a byte-order
// mark reads the same; padded past the size limit it reads as the defaults
// and is never cut down by a write.

#include "fuzz/FuzzSupport.h"

#include "storage/PlainSettingsFormat.h"
#include "storage/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringDecoder>

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
        // As written: a U+FEFF before the digits is no part of a number.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        if (DecimalNumber(QString(utf8.decode(line.mid(equals + 1)))) == value)
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

namespace {

const QString kProgram = QStringLiteral("fuzz");

QString SettingsPath()
{
    return QDir(fuzz::ScratchFolder())
        .filePath(QString::fromLatin1(SettingsStore::kOrganization) + u'/' + kProgram + u".conf"_s);
}

// The settings machinery keeps parsed files and notices a rewrite by the
// file's size and time: every file gets a time of its own.
void WriteSettingsFile(QByteArrayView bytes)
{
    static qint64 runs = 0;
    QFile file(SettingsPath());
    const QDateTime time = QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++runs, Qt::UTC);
    // Unbuffered, so that no write reaches the file after its time is set.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        file.write(bytes.data(), bytes.size()) != bytes.size() ||
        !file.setFileTime(time, QFileDevice::FileModificationTime))
        fuzz::Fail("cannot write the settings file", __FILE__, __LINE__);
}

// Whether the settings file holds exactly these bytes. Read into a buffer
// kept for the whole run: a fresh one past the size limit for every input
// cost more than the rest of the comparison.
bool SettingsFileIs(QByteArrayView expected)
{
    static QByteArray held;
    QFile file(SettingsPath());
    if (!file.open(QIODevice::ReadOnly) || file.size() != expected.size())
        return false;
    held.resize(expected.size());
    return file.read(held.data(), held.size()) == expected.size() &&
           QByteArrayView(held) == expected;
}

bool Same(const RememberedChoices& a, const RememberedChoices& b)
{
    return a.m_lastVirus == b.m_lastVirus && a.m_lastHero == b.m_lastHero &&
           a.m_lastPlan == b.m_lastPlan && a.m_topmost == b.m_topmost &&
           a.m_planOrder == b.m_planOrder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const SettingsStore store(kProgram);
    const RememberedChoices defaults;

    // Each value is its default, or a number the file gives it.
    WriteSettingsFile(file);
    const RememberedChoices choices = store.readChoices();
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

    // Behind a byte-order mark: the same choices.
    // (A file that has one already reads like the file without it.)
    const QByteArray mark("\xEF\xBB\xBF");
    WriteSettingsFile(file.startsWith(mark) ? file.sliced(mark.size()) : mark + file);
    FUZZ_CHECK(Same(store.readChoices(), choices));

    // Past the size limit: not the store's file; the defaults, and a write
    // leaves it whole.
    // (One buffer for the whole run, as in SettingsFileIs.)
    static const QByteArray padding = "\n#" + QByteArray(kLargestSettingsFile, 'x') + '\n';
    static QByteArray oversized;
    oversized.resize(0);
    oversized.append(file).append(padding);
    WriteSettingsFile(oversized);
    FUZZ_CHECK(Same(store.readChoices(), defaults));
    store.writeChoices(RememberedChoices{1, 2, 3, 4, 5});
    FUZZ_CHECK(SettingsFileIs(oversized));

    // Whatever the file held, values written now read back as themselves, and
    // keys of others, in a section of their own and in the store's section,
    // survive the write.
    const QByteArray keep = QByteArray::number(size);
    WriteSettingsFile(file + "\n[Fuzz%20Other]\nKeep=" + keep + "\n[Last%20Select]\nExtra=" + keep +
                      "\n");
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
    FUZZ_CHECK(Same(store.readChoices(), written));
    // Read back as the store reads its file: Qt's own INI reader would also
    // decode "@Variant(…)" values in the fuzzed text, whose faults are Qt's.
    QFile reread(SettingsPath());
    QSettings::SettingsMap kept;
    FUZZ_CHECK(reread.open(QIODevice::ReadOnly) && ReadPlainSettings(reread, kept));
    FUZZ_CHECK(kept.value(u"Fuzz Other/Keep"_s).toByteArray() == keep);
    FUZZ_CHECK(kept.value(u"Last Select/Extra"_s).toByteArray() == keep);
    return 0;
}
