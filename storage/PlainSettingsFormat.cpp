#include "storage/PlainSettingsFormat.h"

#include <QByteArray>
#include <QIODevice>
#include <QMap>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace {

constexpr qint64 kLargestFile = kLargestSettingsFile;

// UTF-8 as it stands: QString::fromUtf8 drops a U+FEFF that opens the
// bytes, which would make "\uFEFFPlan" the key "Plan" and change the name of
// somebody else's key when the file is written back.
QString Utf8Text(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString Decoded(QByteArrayView encoded)
{
    encoded = encoded.trimmed();
    if (!encoded.contains('%'))
        return Utf8Text(encoded);
    return Utf8Text(QByteArray::fromPercentEncoding(encoded.toByteArray()));
}

QByteArray Encoded(const QString& name)
{
    return name.toUtf8().toPercentEncoding();
}

// A value on one line: line breaks and other control characters would end or
// split it, so they are dropped.
QByteArray OneLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar unit : text) {
        if (unit.category() != QChar::Other_Control)
            line.append(unit);
    }
    return line.toUtf8();
}

} // namespace

bool ReadPlainSettings(QIODevice& device, QSettings::SettingsMap& map)
{
    if (device.size() > kLargestFile)
        return false;
    QString section;
    // What the file holds and one byte more, so that a file grown past the
    // limit since its size was taken is still refused, without a buffer of
    // the largest size for every read.
    QByteArray text = device.read(std::min(device.size(), kLargestFile) + 1);
    if (text.size() > kLargestFile)
        return false;
    // Editors on Windows start UTF-8 text with a byte-order mark, and one that
    // takes the mark for text adds another before it; the first line is the
    // same line without them.
    while (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    // Lines are views into the text: reading makes no copy of each line.
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = text.indexOf('\n', from);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(from, end - from).trimmed();
        from = end + 1;
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            section = close > 0 ? Decoded(line.sliced(1, close - 1)) : QString();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString name = Decoded(line.first(equals));
        if (name.isEmpty())
            continue;
        const QString key = section.isEmpty() ? name : section + u'/' + name;
        map.insert(key, Utf8Text(line.sliced(equals + 1).trimmed()));
    }
    return true;
}

bool WritePlainSettings(QIODevice& device, const QSettings::SettingsMap& map)
{
    // Keys come as "Section/Name"; one block of lines per section.
    QMap<QString, QList<QPair<QString, QString>>> sections;
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
        const qsizetype slash = entry.key().lastIndexOf(u'/');
        const QString section = slash < 0 ? QString() : entry.key().left(slash);
        const QString name = entry.key().mid(slash + 1);
        sections[section].append({name, entry.value().toString()});
    }
    QByteArray text;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!text.isEmpty())
            text += '\n';
        if (!section.key().isEmpty())
            text += '[' + Encoded(section.key()) + "]\n";
        for (const auto& [name, value] : section.value())
            text += Encoded(name) + '=' + OneLine(value) + '\n';
    }
    return device.write(text) == text.size();
}

QSettings::Format PlainSettingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), &ReadPlainSettings, &WritePlainSettings);
    return format;
}
