// The settings file as plain text: files written by QSettings' own INI writer
// (earlier versions of the program) read the same, typed values are only
// text, and what it writes QSettings' INI reader reads back.

#include "storage/PlainSettingsFormat.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QSettings::SettingsMap Read(const QByteArray& text)
{
    QByteArray bytes = text;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    QSettings::SettingsMap map;
    EXPECT_TRUE(ReadPlainSettings(buffer, map));
    return map;
}

TEST(PlainSettingsFormat, ReadsWhatTheIniWriterWrote)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(u"store.conf"_s);
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(u"Last Select/Virus"_s, 12);
        ini.setValue(u"Last Select/Hero"_s, -1);
        ini.setValue(u"Other/Name"_s, u"text"_s);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QSettings::SettingsMap map = Read(file.readAll());
    EXPECT_EQ(map.value(u"Last Select/Virus"_s).toString(), u"12"_s);
    EXPECT_EQ(map.value(u"Last Select/Hero"_s).toString(), u"-1"_s);
    EXPECT_EQ(map.value(u"Other/Name"_s).toString(), u"text"_s);
}

TEST(PlainSettingsFormat, TypedValuesStayText)
{
    const QSettings::SettingsMap map = Read("[Last%20Select]\r\n"
                                            "Virus=@Variant(\\0\\0\\0\\x6\\0?\\xf9\\0\\0)\r\n"
                                            "  Plan = 7 \n"
                                            "; Hero=3\n"
                                            "=9\n"
                                            "no equals sign\n");
    EXPECT_EQ(map.value(u"Last Select/Virus"_s).toString(),
              u"@Variant(\\0\\0\\0\\x6\\0?\\xf9\\0\\0)"_s);
    EXPECT_EQ(map.value(u"Last Select/Plan"_s).toString(), u"7"_s);
    EXPECT_EQ(map.size(), 2);
}

TEST(PlainSettingsFormat, WrittenFileReadsBackThroughBothReaders)
{
    QSettings::SettingsMap written;
    written.insert(u"Last Select/PlanOrder"_s, 0);
    written.insert(u"Last Select/Hero"_s, -2147483647 - 1);
    written.insert(u"Last Select/Odd"_s, u"two\nlines"_s);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(WritePlainSettings(buffer, written));

    const QSettings::SettingsMap map = Read(bytes);
    EXPECT_EQ(map.value(u"Last Select/PlanOrder"_s).toString(), u"0"_s);
    EXPECT_EQ(map.value(u"Last Select/Hero"_s).toString(), u"-2147483648"_s);
    EXPECT_EQ(map.value(u"Last Select/Odd"_s).toString(), u"twolines"_s);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(u"store.conf"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QSettings ini(path, QSettings::IniFormat);
    EXPECT_EQ(ini.value(u"Last Select/PlanOrder"_s).toInt(), 0);
    EXPECT_EQ(ini.value(u"Last Select/Hero"_s).toInt(), -2147483647 - 1);
}

} // namespace
