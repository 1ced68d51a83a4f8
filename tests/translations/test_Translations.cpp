// The translations as files (every text keeps what the program fills into
// it) and as the program uses them (which language a user gets, and that the
// English one loads and answers).

#include "engine/Strategies.h"
#include "texts/Language.h"
#include "texts/PlanTexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one, or one per plural form
    bool unfinished = false;
};

std::vector<Message> ReadTs(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name"_s) {
            context = xml.readElementText();
        } else if (xml.name() == u"message"_s) {
            messages.push_back({context, {}, {}, false});
        } else if (xml.name() == u"source"_s) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == u"translation"_s) {
            Message& message = messages.back();
            message.unfinished = !xml.attributes().value(u"type"_s).isEmpty();
            // Plain text, or one numerusform child per plural form.
            QString text;
            while (!(xml.readNext() == QXmlStreamReader::EndElement &&
                     xml.name() == u"translation"_s) &&
                   !xml.atEnd()) {
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement() && xml.name() == u"numerusform"_s)
                    message.translations.append(xml.readElementText());
            }
            if (message.translations.isEmpty() && !text.trimmed().isEmpty())
                message.translations.append(text);
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return messages;
}

// printf conversions, in order: the arguments are passed in that order.
QStringList PrintfConversions(const QString& text)
{
    static const QRegularExpression conversion(u"%(?:%|[-+ #0]*[0-9]*(?:\\.[0-9]+)?[dsfu])"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : conversion.globalMatch(text))
        found.append(match.captured());
    return found;
}

// Qt's placeholders (%1…%99, %L1, %n), in any order.
QStringList QtPlaceholders(const QString& text)
{
    static const QRegularExpression placeholder(u"%(?:L?[0-9]{1,2}(?![0-9dsfu]|\\.[0-9])|L?n)"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.append(match.captured());
    std::sort(found.begin(), found.end());
    return found;
}

// "&X" marks a key; "&&" is a plain ampersand.
bool HasAccelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] == u'&')
                ++i;
            else if (!text[i + 1].isSpace())
                return true;
        }
    }
    return false;
}

TEST(Translations, keepWhatTheProgramFillsIn)
{
    const std::vector<Message> messages = ReadTs(QString::fromUtf8(QUORVEL_TS_EN));
    ASSERT_GT(messages.size(), 100u) << "not the program's translation";
    for (const Message& message : messages) {
        const std::string where = (message.context + u": "_s + message.source).toStdString();
        EXPECT_FALSE(message.unfinished) << where;
        ASSERT_FALSE(message.translations.isEmpty()) << where;
        for (const QString& translation : message.translations) {
            EXPECT_EQ(PrintfConversions(translation), PrintfConversions(message.source)) << where;
            EXPECT_EQ(QtPlaceholders(translation), QtPlaceholders(message.source)) << where;
            if (HasAccelerator(message.source)) {
                EXPECT_TRUE(HasAccelerator(translation)) << where << " has lost its key";
            }
        }
    }
}

TEST(Language, followsTheFirstPreferredLanguageTheProgramSpeaks)
{
    const struct
    {
        QStringList preferred;
        UiLanguage expected;
    } cases[] = {
        {{u"en-US"_s, u"en-Latn-US"_s, u"en"_s}, UiLanguage::English},
        {{u"en-GB"_s}, UiLanguage::English},
        {{u"zh-CN"_s, u"zh-Hans-CN"_s, u"zh"_s}, UiLanguage::Chinese},
        {{u"zh-TW"_s}, UiLanguage::Chinese},
        // LANG=C, and no locale at all.
        {{u"C"_s}, UiLanguage::Chinese},
        {{}, UiLanguage::Chinese},
        // A language without a translation gives way to the next preferred.
        {{u"de"_s, u"de-DE"_s, u"en"_s, u"en-US"_s}, UiLanguage::English},
        {{u"fr-FR"_s, u"zh-CN"_s, u"en-US"_s}, UiLanguage::Chinese},
        {{u"de-DE"_s}, UiLanguage::Chinese},
    };
    for (const auto& item : cases) {
        EXPECT_EQ(LanguageForUiLanguages(item.preferred), item.expected)
            << qPrintable(item.preferred.join(u',')) << " chose the wrong language";
    }
}

TEST(Language, aChoiceInTheMenuOverridesTheSystem)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    EXPECT_EQ(ChosenLanguage(LanguageChoice::System, english), UiLanguage::English);
    EXPECT_EQ(ChosenLanguage(LanguageChoice::System, chinese), UiLanguage::Chinese);
    EXPECT_EQ(ChosenLanguage(LanguageChoice::Chinese, english), UiLanguage::Chinese);
    EXPECT_EQ(ChosenLanguage(LanguageChoice::English, chinese), UiLanguage::English);
}

// The embedded English answers for the texts the headless planner and the
// window share, numbers formatted as in the Chinese; taken back, the
// Chinese is exactly as before.
TEST(Language, theEnglishTranslationIsEmbeddedAndTakenBack)
{
    const Strategy strategy = BuildStrategyList(false)[0];
    const QString chinese = PlanTexts::StrategyEntry(strategy);
    EXPECT_EQ(InstallProgramTranslation(UiLanguage::Chinese), nullptr);
    EXPECT_EQ(PlanTexts::PlanCaption(), u"组队方案"_s);

    QTranslator* english = InstallProgramTranslation(UiLanguage::English);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(PlanTexts::PlanCaption(), u"Team plan"_s);
    const QString entry = PlanTexts::StrategyEntry(strategy);
    EXPECT_NE(entry, chinese);
    EXPECT_TRUE(entry.contains(QString::asprintf("%5.1f%%", double(strategy.winChance))))
        << qPrintable(entry);
    VirusRecord virus{};
    virus.stupid = 9999;
    virus.hateful = 12;
    virus.notAbnormal = 3;
    const QString level = PlanTexts::VirusEntry(4, virus);
    EXPECT_TRUE(level.startsWith(u"Level 05"_s)) << qPrintable(level);
    EXPECT_TRUE(level.endsWith(u"9999/12/3"_s)) << qPrintable(level);

    QCoreApplication::removeTranslator(english);
    delete english;
    EXPECT_EQ(PlanTexts::StrategyEntry(strategy), chinese);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
