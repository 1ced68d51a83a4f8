#include "ui/main/SharedFolderPrompts.h"

#include "resources/DialogTemplate.h"
#include "texts/RecordTexts.h"
#include "ui/common/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QString Caption()
{
    return QString::fromUtf8(MainDialogTemplate().caption);
}

QString ShownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString HolderText(const GuildFolderLock::Holder& holder)
{
    if (holder.pid == 0)
        return QCoreApplication::translate("SharedFolderPrompts",
                                           "另一个程序（无法读出它的进程号和主机）");
    const QString program = holder.application.isEmpty()
                                ? QCoreApplication::translate("SharedFolderPrompts", "未知程序")
                                : holder.application;
    return QCoreApplication::translate("SharedFolderPrompts", "程序 %1（进程号 %2，主机 %3）")
        .arg(program, QString::number(holder.pid),
             holder.host.isEmpty() ? QCoreApplication::translate("SharedFolderPrompts", "未知")
                                   : holder.host);
}

// Both versions of one record, this run's first.
QString RecordPair(const RecordConflict& conflict, int record)
{
    static_assert(sizeof(HeroRecord) == sizeof(VirusRecord));
    const qsizetype at = qsizetype(record) * qsizetype(sizeof(HeroRecord));
    QString mine;
    QString theirs;
    if (conflict.heroes) {
        HeroRecord ours{};
        HeroRecord other{};
        std::memcpy(&ours, conflict.mine.constData() + at, sizeof ours);
        std::memcpy(&other, conflict.theirs.constData() + at, sizeof other);
        mine = RecordTexts::HeroLine(record, ours);
        theirs = RecordTexts::HeroLine(record, other);
    } else {
        VirusRecord ours{};
        VirusRecord other{};
        std::memcpy(&ours, conflict.mine.constData() + at, sizeof ours);
        std::memcpy(&other, conflict.theirs.constData() + at, sizeof other);
        mine = RecordTexts::VirusLine(record, ours);
        theirs = RecordTexts::VirusLine(record, other);
    }
    return QCoreApplication::translate("SharedFolderPrompts", "本次：%1\n文件：%2")
        .arg(mine, theirs);
}

} // namespace

bool AskToOpenReadOnly(const GuildFolderLock::Holder& holder, const QString& folder,
                       QWidget* parent)
{
    const QString text =
        QCoreApplication::translate(
            "SharedFolderPrompts",
            "文件夹\n%1\n正由%2使用。同一个文件夹同时只能由一个窗口修改。\n\n"
            "选择“只读打开”可以查看和组队，但退出时不会写入这个文件夹；选择“退出”则不打开。")
            .arg(ShownPath(folder), HolderText(holder));
    const auto answer = MessageBox::show(
        parent, QMessageBox::Warning, Caption(), text, QMessageBox::Open | QMessageBox::Close,
        QMessageBox::Open, QMessageBox::Close,
        {{QMessageBox::Open, QCoreApplication::translate("SharedFolderPrompts", "只读打开")},
         {QMessageBox::Close, QCoreApplication::translate("SharedFolderPrompts", "退出")}});
    return answer == QMessageBox::Open;
}

ConflictChoice AskAboutConflict(const RecordConflict& conflict, QWidget* parent)
{
    const int records = static_cast<int>(conflict.records.size());
    QStringList pairs;
    for (int i = 0; i < records && i < kConflictsShown; ++i)
        pairs.append(RecordPair(conflict, conflict.records[i]));
    if (const int more = records - kConflictsShown; more > 0) {
        pairs.append(
            QCoreApplication::translate("SharedFolderPrompts", "……还有 %n 条。", nullptr, more));
    }
    const QString text =
        QCoreApplication::translate(
            "SharedFolderPrompts",
            "本次运行期间，另一个程序修改了数据文件\n%1\n其他改动已经合并。以下 %n 条记录"
            "双方都改了，而且改得不同：\n\n%2\n\n选择“保留两者”：文件中保留另一个程序的版本，"
            "本次的版本另存到\n%3\n选择“用本次的版本”或“用文件中的版本”则只保留一方。",
            nullptr, records)
            .arg(ShownPath(conflict.filePath), pairs.join(u"\n\n"_s),
                 ShownPath(conflict.keepBothPath));
    const auto answer = MessageBox::show(
        parent, QMessageBox::Question, Caption(), text,
        QMessageBox::Save | QMessageBox::Yes | QMessageBox::No, QMessageBox::Save,
        QMessageBox::Save,
        {{QMessageBox::Save, QCoreApplication::translate("SharedFolderPrompts", "保留两者")},
         {QMessageBox::Yes, QCoreApplication::translate("SharedFolderPrompts", "用本次的版本")},
         {QMessageBox::No, QCoreApplication::translate("SharedFolderPrompts", "用文件中的版本")}});
    if (answer == QMessageBox::Yes)
        return ConflictChoice::KeepThisRun;
    if (answer == QMessageBox::No)
        return ConflictChoice::KeepFile;
    return ConflictChoice::KeepBoth;
}
