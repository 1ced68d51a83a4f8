#include "ui/main/SaveFailurePrompt.h"

#include "resources/DialogTemplate.h"
#include "storage/FileErrors.h"
#include "storage/FileKinds.h"
#include "ui/common/MessageBox.h"
#include "ui/main/SharedFolderPrompts.h"

#include <QCoreApplication>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

std::function<QString()>& FolderPicker()
{
    static std::function<QString()> picker;
    return picker;
}

QString Caption()
{
    return QString::fromUtf8(MainDialogTemplate().caption);
}

QString ShownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// One file of a list of failures: a blank line, its path, and why.
QString FailureLines(const QString& filePath, const QString& reason)
{
    return u'\n' +
           QCoreApplication::translate("SaveFailurePrompt", "%1\n原因：%2")
               .arg(ShownPath(filePath), reason) +
           u'\n';
}

QString PickFolder(QWidget* parent)
{
    if (FolderPicker())
        return FolderPicker()();
    return QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("SaveFailurePrompt", "选择保存数据文件的文件夹"));
}

// A folder for both data files, with the user's leave to replace those
// already there; empty when the user picked none.
QString PickFolderForSaving(QWidget* parent)
{
    for (;;) {
        QString folder = PickFolder(parent);
        if (folder.isEmpty() || ConfirmReplacingInFolder(folder, parent))
            return folder;
    }
}

bool ConfirmGivingUp(QWidget* parent)
{
    const auto answer = MessageBox::show(
        parent, QMessageBox::Warning, Caption(),
        QCoreApplication::translate(
            "SaveFailurePrompt",
            "放弃保存将丢失本次对英雄和病毒信息的全部修改。\n确定要放弃这些修改吗？"),
        QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel,
        {{QMessageBox::Discard, QCoreApplication::translate("SaveFailurePrompt", "放弃修改")},
         {QMessageBox::Cancel, QCoreApplication::translate("SaveFailurePrompt", "返回")}});
    return answer == QMessageBox::Discard;
}

} // namespace

SaveDecision AskAfterSaveFailure(const QList<SaveFailure>& failures, QWidget* parent)
{
    QString text =
        QCoreApplication::translate("SaveFailurePrompt",
                                    "无法保存以下数据文件，本次对英雄或病毒信息的修改尚未保存：") +
        u'\n';
    for (const SaveFailure& failure : failures) {
        const QString reason = DescribeFileErrorAt(failure.filePath, failure.error, failure.reason);
        text += FailureLines(failure.filePath, reason);
    }
    text += u'\n' + QCoreApplication::translate(
                        "SaveFailurePrompt",
                        "选择“重试”再次保存（可先排除上述原因）；选择“另存到其他文件夹”把两个数据"
                        "文件保存到您选择的文件夹；选择“放弃修改”将丢失这些修改。");
    for (;;) {
        const auto answer = MessageBox::show(
            parent, QMessageBox::Warning, Caption(), text,
            QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard, QMessageBox::Retry,
            QMessageBox::Retry,
            {{QMessageBox::Save,
              QCoreApplication::translate("SaveFailurePrompt", "另存到其他文件夹…")},
             {QMessageBox::Discard, QCoreApplication::translate("SaveFailurePrompt", "放弃修改")}});
        if (answer == QMessageBox::Save) {
            const QString folder = PickFolderForSaving(parent);
            if (!folder.isEmpty())
                return {SaveDecision::Action::SaveElsewhere, folder};
            continue;
        }
        if (answer == QMessageBox::Discard) {
            if (ConfirmGivingUp(parent))
                return {SaveDecision::Action::GiveUp, {}};
            continue;
        }
        return {SaveDecision::Action::Retry, {}};
    }
}

void TellUnreadableDataFiles(const QList<LoadOutcome>& files, QWidget* parent)
{
    QString text =
        QCoreApplication::translate("SaveFailurePrompt",
                                    "无法读取以下数据文件，本次将使用默认的英雄或病毒信息：") +
        u'\n';
    for (const LoadOutcome& file : files) {
        text += FailureLines(file.filePath, DescribeFileError(file.error, file.reason));
    }
    text += u'\n' + QCoreApplication::translate("SaveFailurePrompt",
                                                "退出时，程序会先询问是否替换无法读取的文件。");
    MessageBox::show(parent, QMessageBox::Warning, Caption(), text, QMessageBox::Ok,
                     QMessageBox::Ok);
}

bool AskToReplaceUnreadable(const QString& filePath, QWidget* parent)
{
    const QString text =
        QCoreApplication::translate(
            "SaveFailurePrompt",
            "启动时无法读取数据文件\n%1\n本次显示和修改的是默认信息。用它替换这个文件，"
            "文件中原有的信息将会丢失。\n\n要保留原文件吗？（本次的修改会留在恢复文件中，"
            "下次启动时可以恢复。）")
            .arg(ShownPath(filePath));
    const auto answer = MessageBox::show(
        parent, QMessageBox::Question, Caption(), text, QMessageBox::Yes | QMessageBox::No,
        QMessageBox::Yes, QMessageBox::Yes,
        {{QMessageBox::Yes, QCoreApplication::translate("SaveFailurePrompt", "保留原文件")},
         {QMessageBox::No, QCoreApplication::translate("SaveFailurePrompt", "替换")}});
    return answer == QMessageBox::No;
}

bool AskToRestoreRecovery(const PendingRecovery& recovery, QWidget* parent)
{
    const QString path = ShownPath(recovery.path);
    const QString text =
        recovery.reason == RecoveryReason::KeptAtExit
            ? QCoreApplication::translate(
                  "SaveFailurePrompt",
                  "上次退出时保留了无法读取的数据文件，当时已确认的修改没有写入数据文件，"
                  "保存在恢复文件\n%1\n中。\n\n要恢复这些修改吗？选择“丢弃”将删除恢复文件。")
                  .arg(path)
            : QCoreApplication::translate(
                  "SaveFailurePrompt",
                  "上次运行没有正常结束，恢复文件\n%1\n中保存着当时已确认、但尚未写入数据文件"
                  "的修改。\n\n要恢复这些修改吗？选择“丢弃”将删除恢复文件。")
                  .arg(path);
    const auto answer = MessageBox::show(
        parent, QMessageBox::Question, Caption(), text, QMessageBox::Yes | QMessageBox::Discard,
        QMessageBox::Yes, QMessageBox::Yes,
        {{QMessageBox::Yes, QCoreApplication::translate("SaveFailurePrompt", "恢复")},
         {QMessageBox::Discard, QCoreApplication::translate("SaveFailurePrompt", "丢弃")}});
    return answer != QMessageBox::Discard;
}

SaveDecision AskAfterReadOnlyChanges(QWidget* parent)
{
    const QString text = QCoreApplication::translate(
        "SaveFailurePrompt",
        "本次以只读方式打开了数据文件，修改不能保存到正被另一个程序使用的文件夹。\n\n"
        "选择“另存到其他文件夹”把两个数据文件保存到您选择的文件夹；选择“放弃修改”将丢失"
        "这些修改。");
    for (;;) {
        const auto answer = MessageBox::show(
            parent, QMessageBox::Warning, Caption(), text, QMessageBox::Save | QMessageBox::Discard,
            QMessageBox::Save, QMessageBox::Save,
            {{QMessageBox::Save,
              QCoreApplication::translate("SaveFailurePrompt", "另存到其他文件夹…")},
             {QMessageBox::Discard, QCoreApplication::translate("SaveFailurePrompt", "放弃修改")}});
        if (answer == QMessageBox::Discard) {
            if (ConfirmGivingUp(parent))
                return {SaveDecision::Action::GiveUp, {}};
            continue;
        }
        const QString folder = PickFolderForSaving(parent);
        if (!folder.isEmpty())
            return {SaveDecision::Action::SaveElsewhere, folder};
    }
}

bool ConfirmReplacingInFolder(const QString& folder, QWidget* parent)
{
    QStringList present;
    for (const char* name : {kVirusFileName, kHeroFileName}) {
        const QString path = DataFilePath(folder, name);
        if (ExamineFile(path).kind != FileKind::Nothing)
            present.append(ShownPath(path));
    }
    if (present.isEmpty())
        return true;
    const QString text =
        QCoreApplication::translate("SaveFailurePrompt",
                                    "所选文件夹中已经有数据文件：\n\n%1\n\n替换后，这些文件中原有的"
                                    "英雄或病毒信息将会丢失。要替换它们吗？")
            .arg(present.join(u'\n'));
    const auto answer = MessageBox::show(
        parent, QMessageBox::Warning, Caption(), text, QMessageBox::Yes | QMessageBox::No,
        QMessageBox::No, QMessageBox::No,
        {{QMessageBox::Yes, QCoreApplication::translate("SaveFailurePrompt", "替换")},
         {QMessageBox::No, QCoreApplication::translate("SaveFailurePrompt", "另选文件夹")}});
    return answer == QMessageBox::Yes;
}

StartupPrompts InteractivePrompts()
{
    StartupPrompts prompts;
    prompts.unreadableFiles = [](const QList<LoadOutcome>& files) {
        TellUnreadableDataFiles(files);
    };
    prompts.openReadOnly = [](const GuildFolderLock::Holder& holder, const QString& folder) {
        return AskToOpenReadOnly(holder, folder);
    };
    prompts.restoreRecovery = [](const PendingRecovery& recovery) {
        return AskToRestoreRecovery(recovery);
    };
    prompts.replaceUnreadable = [](const QString& path) { return AskToReplaceUnreadable(path); };
    prompts.saveFailed = [](const QList<SaveFailure>& failures) {
        return AskAfterSaveFailure(failures);
    };
    prompts.resolveConflict = [](const RecordConflict& conflict) {
        return AskAboutConflict(conflict);
    };
    prompts.readOnlyChanged = [] { return AskAfterReadOnlyChanges(); };
    return prompts;
}

void SetFolderPickerForTests(std::function<QString()> picker)
{
    FolderPicker() = std::move(picker);
}
