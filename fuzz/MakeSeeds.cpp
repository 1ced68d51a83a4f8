// Writes the seed corpora of the fuzz targets: `quorvel-fuzz-seeds FOLDER`
// fills FOLDER/datafiles, FOLDER/settings, FOLDER/plancommand and
// FOLDER/rostercsv. The seeds are small and deterministic; the committed ones
// are this program's output, together with inputs the fuzzers once failed on,
// kept under their own names.

#include "storage/DataFiles.h"
#include "storage/RosterCsv.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool g_failed = false;

void Write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        g_failed = true;
    }
}

template <typename Table> QByteArray Image(const Table& table)
{
    return QByteArray(reinterpret_cast<const char*>(table.data()), sizeof table);
}

// Four searches of (virus, leader, strategy 0..20).
using Searches = std::array<std::array<std::uint8_t, 3>, 4>;

// The data-file target's input: split point, searches, then both files.
QByteArray DataSeed(const Searches& searches, const QByteArray& virusFile,
                    const QByteArray& heroFile)
{
    QByteArray seed;
    seed.append(static_cast<char>(virusFile.size() & 0xFF));
    seed.append(static_cast<char>(virusFile.size() >> 8));
    for (const auto& search : searches)
        for (std::uint8_t byte : search)
            seed.append(static_cast<char>(byte));
    return seed + virusFile + heroFile;
}

void SetName(char16_t* field, int units, const char16_t* text)
{
    std::memset(field, 0, sizeof(char16_t) * static_cast<std::size_t>(units));
    for (int i = 0; i < units && text[i] != u'\0'; ++i)
        field[i] = text[i];
}

// A small guild: 64 levels of rising strength, `checked` heroes of varied
// stats in the first places of the roster.
std::unique_ptr<PlanningTables> Guild(int checked)
{
    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    for (int i = 0; i < kVirusCount; ++i) {
        VirusRecord& virus = tables->virusTable[i];
        SetName(virus.name, kVirusNameUnits, u"病毒");
        virus.name[2] = static_cast<char16_t>(u'A' + i % 26);
        virus.stupid = static_cast<std::uint16_t>(300 + 70 * i);
        virus.hateful = static_cast<std::uint16_t>(250 + 60 * i);
        virus.notAbnormal = static_cast<std::uint16_t>(100 + 30 * i);
    }
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = tables->heroTable[i];
        SetName(hero.name, kHeroNameUnits, u"英雄");
        hero.name[2] = static_cast<char16_t>(u'a' + i % 26);
        hero.checked = i < checked ? 1 : 0;
        hero.smart = static_cast<std::uint16_t>(400 + (i * 389) % 900);
        hero.cute = static_cast<std::uint16_t>(300 + (i * 577) % 700);
        hero.abnormal = static_cast<std::uint16_t>(50 + (i * 211) % 400);
    }
    return tables;
}

void DataFileSeeds(const QString& folder)
{
    const Searches mixed{{{4, 0, 3}, {30, 1, 9}, {63, 2, 20}, {26, 0, 14}}};
    Write(folder, u"empty"_s, {});
    Write(folder, u"defaults"_s, DataSeed(mixed, {}, {}));

    auto guild = Guild(30);
    Write(folder, u"guild"_s, DataSeed(mixed, Image(guild->virusTable), Image(guild->heroTable)));
    Write(folder, u"short-files"_s,
          DataSeed(mixed, Image(guild->virusTable).left(45), Image(guild->heroTable).left(100)));
    Write(folder, u"long-files"_s,
          DataSeed(mixed, Image(guild->virusTable) + QByteArray(52, '\x07'),
                   Image(guild->heroTable) + QByteArray(104, '\x09')));

    // Names that fill their whole field with no zero unit.
    auto unterminated = Guild(12);
    for (VirusRecord& virus : unterminated->virusTable)
        std::fill(std::begin(virus.name), std::end(virus.name), u'名');
    for (HeroRecord& hero : unterminated->heroTable)
        std::fill(std::begin(hero.name), std::end(hero.name), u'名');
    Write(folder, u"unterminated-names"_s,
          DataSeed(mixed, Image(unterminated->virusTable), Image(unterminated->heroTable)));

    // Every stat at its largest, for a dozen heroes and every virus.
    auto maxed = Guild(12);
    for (HeroRecord& hero : maxed->heroTable)
        hero.smart = hero.cute = hero.abnormal = 65535;
    for (int i = 0; i < kVirusCount; ++i) {
        VirusRecord& virus = maxed->virusTable[i];
        virus.stupid = virus.hateful = 65535;
        virus.notAbnormal = static_cast<std::uint16_t>(i % 2 == 0 ? 0 : 65535);
    }
    Write(folder, u"max-stats"_s,
          DataSeed({{{0, 0, 0}, {1, 3, 20}, {40, 5, 15}, {27, 11, 5}}}, Image(maxed->virusTable),
                   Image(maxed->heroTable)));

    // Equal heroes: many teams tie, the first found must win in both searches.
    auto tied = Guild(14);
    for (int i = 0; i < 14; ++i) {
        HeroRecord& hero = tied->heroTable[i];
        hero.smart = 900;
        hero.cute = static_cast<std::uint16_t>(i % 3 == 0 ? 700 : 650);
        hero.abnormal = 200;
    }
    Write(folder, u"ties"_s,
          DataSeed({{{2, 0, 5}, {10, 4, 2}, {30, 13, 9}, {50, 7, 20}}}, Image(tied->virusTable),
                   Image(tied->heroTable)));

    // A checked hero whose 可爱 beats the 9999 start takes the leader's place.
    auto displaced = Guild(20);
    displaced->heroTable[9].cute = 12000;
    displaced->heroTable[3].checked = 0;
    Write(folder, u"displaced-leader"_s,
          DataSeed({{{3, 3, 3}, {20, 9, 6}, {33, 0, 10}, {1, 3, 0}}}, Image(displaced->virusTable),
                   Image(displaced->heroTable)));

    // Every byte 0xFF and every byte 0: all heroes checked at 65535, or none.
    Write(folder, u"all-ff"_s, DataSeed(mixed, QByteArray(2048, '\xFF'), QByteArray(4096, '\xFF')));
    Write(folder, u"all-zero"_s, DataSeed(mixed, QByteArray(2048, '\0'), QByteArray(4096, '\0')));

    // Both files with long tails past their tables, which a save keeps.
    QByteArray virusTail(3000, '\0');
    QByteArray heroTail(5000, '\0');
    for (qsizetype i = 0; i < virusTail.size(); ++i)
        virusTail[i] = static_cast<char>(i * 7 + 1);
    for (qsizetype i = 0; i < heroTail.size(); ++i)
        heroTail[i] = static_cast<char>(i * 13 + 5);
    Write(
        folder, u"long-tails"_s,
        DataSeed(mixed, Image(guild->virusTable) + virusTail, Image(guild->heroTable) + heroTail));
}

// A settings file holding values of other types, as the settings machinery
// writes them.
QByteArray TypedSettings()
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(u"typed.conf"_s);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(u"Last Select/Virus"_s, 1.5);
        settings.setValue(u"Last Select/Hero"_s, true);
        settings.setValue(u"Last Select/Plan"_s, QVariant(qint64{1} << 40));
        settings.setValue(u"Last Select/Topmost"_s, QByteArray("7"));
        settings.setValue(u"Last Select/PlanOrder"_s, QStringList{u"1"_s, u"2"_s});
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SettingsSeeds(const QString& folder)
{
    Write(folder, u"empty"_s, {});
    Write(folder, u"valid"_s, "[Last Select]\nVirus=5\nHero=-1\nPlan=3\nTopmost=1\nPlanOrder=0\n");
    Write(folder, u"extremes"_s,
          "[Last Select]\nVirus=2147483647\nHero=-2147483648\nPlan=2147483648\n"
          "Topmost=-2147483649\nPlanOrder=99999999999999999999\n");
    Write(folder, u"not-numbers"_s,
          "[Last Select]\nVirus=abc\nHero=1.5\nPlan=\nTopmost=0x10\nPlanOrder=1e3\n");
    Write(folder, u"spellings"_s,
          "[Last Select]\nVirus=\" 12 \"\nHero=+7\nPlan=007\nTopmost=1, 2\nPlanOrder=\\x31\n");
    Write(folder, u"other-sections"_s,
          "[General]\nVirus=3\n[Last%20Select]\nHero=4\n[last select]\nPlan=5\n"
          "[Last Select]\nTopmost=1\nTopmost=0\n");
    Write(folder, u"typed"_s, TypedSettings());
    // As some editors on Windows save it: a byte-order mark and CR LF.
    Write(folder, u"byte-order-mark"_s,
          "\xEF\xBB\xBF[Last%20Select]\r\nVirus=12\r\nHero=4294967295\r\nPlan=2\r\n");
    // Keys the store does not know, in its own section and in others.
    Write(folder, u"unknown-keys"_s,
          "[General]\nTheme=dark\n\n[Last%20Select]\nVirus=4\nWindowX=120\nHero=2\n");
    // Values serialised with their type: a fraction, a truth value, a 32-bit
    // and a 64-bit integer.
    Write(folder, u"variants"_s,
          "[Last%20Select]\nVirus=@Variant(\\0\\0\\0\\x6\\0?\\xf8\\0\\0\\0\\0\\0\\0)\n"
          "Hero=@Variant(\\0\\0\\0\\x1\\0\\x1)\nPlan=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)\n"
          "Topmost=@Variant(\\0\\0\\0\\x4\\0\\0\\0\\0\\x1\\0\\0\\0\\0)\n");
}

QByteArray Arguments(const QStringList& arguments)
{
    return arguments.join(QChar(u'\0')).toUtf8();
}

void PlanCommandSeeds(const QString& folder)
{
    const auto plan = [](const QStringList& extra) {
        return QStringList{u"--virus"_s,  u"4"_s, u"--leader"_s, u"0"_s,
                           u"--rounds"_s, u"3"_s, u"--crits"_s,  u"1"_s} +
               extra;
    };
    Write(folder, u"empty"_s, {});
    Write(folder, u"plan"_s, Arguments(plan({})));
    Write(folder, u"plan-json"_s, Arguments(plan({u"--json"_s})));
    Write(folder, u"plan-dir-reference"_s,
          Arguments({u"--dir"_s, u"."_s, u"--virus=30"_s, u"--leader=5"_s, u"--rounds=6"_s,
                     u"--crits=5"_s, u"--reference"_s, u"--stats"_s}));
    Write(folder, u"strategies"_s, Arguments({u"--strategies"_s, u"--by-chance"_s}));
    Write(folder, u"help"_s, Arguments({u"--help"_s}));
    Write(folder, u"version"_s, Arguments({u"--version"_s}));
    Write(folder, u"out-of-range"_s, Arguments(plan({u"--virus"_s, u"64"_s})));
    Write(folder, u"not-a-number"_s,
          Arguments({u"--virus"_s, u"4"_s, u"--leader"_s, u"0"_s, u"--rounds"_s, u"three"_s,
                     u"--crits"_s, u"0"_s}));
    Write(folder, u"unknown"_s, Arguments({u"--colour"_s, u"extra"_s}));
    Write(folder, u"mixed-modes"_s, Arguments({u"--strategies"_s, u"--virus"_s, u"3"_s}));
    Write(folder, u"missing-folder"_s, Arguments(plan({u"--dir"_s, u"no such folder"_s})));
    Write(folder, u"line-break"_s, Arguments({u"--virus"_s, u"4\nfour"_s}));
}

} // namespace

// Whole exports, files in the other encoding, and the shapes a spreadsheet
// or a hand edit gives a CSV file.
void RosterCsvSeeds(const QString& folder)
{
    auto heroes = std::make_unique<HeroTable>();
    auto viruses = std::make_unique<VirusTable>();
    FillDefaultHeroTable(*heroes);
    FillDefaultVirusTable(*viruses);
    Write(folder, u"heroes-export"_s, RosterCsv::WriteHeroes(*heroes));
    Write(folder, u"viruses-export"_s, RosterCsv::WriteViruses(*viruses));
    const QString heroHeader = u"序号,名称,勾选,聪明,可爱,不正常\n"_s;
    Write(folder, u"reordered"_s,
          u"不正常,备注,可爱,聪明,勾选,名称,序号\r\n3,x,2,1,0,新名,40\r\n"_s.toUtf8());
    Write(
        folder, u"quoted"_s,
        (heroHeader + u"1,\"逗号,和\"\"引号\"\"\",1,1,2,3\n2,\"两\r\n行\",0,4,5,6\n\n"_s).toUtf8());
    Write(folder, u"problems"_s,
          (heroHeader + u"0,甲,1,0,0,0\n5,丙,2,65536,-1,x\n5,丁,1,0\n"_s).toUtf8());
    Write(folder, u"long-names"_s,
          (heroHeader + u"1,一二三四五六七八九十壹,1,0,0,0\n2,一二三四五六七八九十😀,1,0,0,0\n"_s)
              .toUtf8());
    Write(folder, u"open-quote"_s, (heroHeader + u"1,\"甲,1,0,0,0\n"_s).toUtf8());
    QStringEncoder gb18030("GB18030");
    if (gb18030.isValid()) {
        const QByteArray bytes =
            gb18030.encode(u"关卡,名称,愚蠢,可恨,不异常\r\n7,瘟疫之王,1,2,3\r\n"_s);
        Write(folder, u"gb18030"_s, bytes);
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir root(QFile::decodeName(argv[1]));
    DataFileSeeds(root.filePath(u"datafiles"_s));
    SettingsSeeds(root.filePath(u"settings"_s));
    PlanCommandSeeds(root.filePath(u"plancommand"_s));
    RosterCsvSeeds(root.filePath(u"rostercsv"_s));
    return g_failed ? 1 : 0;
}
