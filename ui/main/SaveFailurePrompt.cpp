#include "ui/main/SaveFailurePrompt.h"

#include "resources/DialogTemplate.h"
#include "storage/FileErrors.h"
#include "ui/common/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

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

QString PickFolder(QWidget* parent)
{
    if (FolderPicker())
        return FolderPicker()();
    return QFileDialog::getExistingDirectory(parent, u"选择保存数据文件的文件夹"_s);
}

bool ConfirmGivingUp(QWidget* parent)
{
    const auto answer = MessageBox::show(
        parent, QMessageBox::Warning, Caption(),
        u"放弃保存将丢失本次对英雄和病毒信息的全部修改。\n确定要放弃这些修改吗？"_s,
        QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel,
        {{QMessageBox::Discard, u"放弃修改"_s}, {QMessageBox::Cancel, u"返回"_s}});
    return answer == QMessageBox::Discard;
}

} // namespace

SaveDecision AskAfterSaveFailure(const QList<SaveFailure>& failures, QWidget* parent)
{
    QString text = u"无法保存以下数据文件，本次对英雄或病毒信息的修改尚未保存：\n"_s;
    for (const SaveFailure& failure : failures) {
        const QString reason = DescribeFileError(failure.error, failure.reason);
        text += u"\n%1\n原因：%2\n"_s.arg(ShownPath(failure.filePath), reason);
    }
    text += u"\n选择“重试”再次保存（可先排除上述原因）；选择“另存到其他文件夹”把两个数据"
            u"文件保存到您选择的文件夹；选择“放弃修改”将丢失这些修改。"_s;
    for (;;) {
        const auto answer = MessageBox::show(
            parent, QMessageBox::Warning, Caption(), text,
            QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard, QMessageBox::Retry,
            QMessageBox::Retry,
            {{QMessageBox::Save, u"另存到其他文件夹…"_s}, {QMessageBox::Discard, u"放弃修改"_s}});
        if (answer == QMessageBox::Save) {
            const QString folder = PickFolder(parent);
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
    QString text = u"无法读取以下数据文件，本次将使用默认的英雄或病毒信息：\n"_s;
    for (const LoadOutcome& file : files) {
        text += u"\n%1\n原因：%2\n"_s.arg(ShownPath(file.filePath),
                                          DescribeFileError(file.error, file.reason));
    }
    text += u"\n退出时，程序会先询问是否替换无法读取的文件。"_s;
    MessageBox::show(parent, QMessageBox::Warning, Caption(), text, QMessageBox::Ok,
                     QMessageBox::Ok);
}

bool AskToReplaceUnreadable(const QString& filePath, QWidget* parent)
{
    const QString text =
        u"启动时无法读取数据文件\n%1\n本次显示和修改的是默认信息。用它替换这个文件，"
        u"文件中原有的信息将会丢失。\n\n要保留原文件吗？（本次的修改会留在恢复文件中，"
        u"下次启动时可以恢复。）"_s.arg(ShownPath(filePath));
    const auto answer =
        MessageBox::show(parent, QMessageBox::Question, Caption(), text,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes,
                         {{QMessageBox::Yes, u"保留原文件"_s}, {QMessageBox::No, u"替换"_s}});
    return answer == QMessageBox::No;
}

bool AskToRestoreRecovery(const QString& recoveryPath, QWidget* parent)
{
    const QString text =
        u"上次运行没有正常结束，恢复文件\n%1\n中保存着当时已确认、但尚未写入数据文件的修改。"
        u"\n\n要恢复这些修改吗？选择“丢弃”将删除恢复文件。"_s.arg(ShownPath(recoveryPath));
    const auto answer = MessageBox::show(
        parent, QMessageBox::Question, Caption(), text, QMessageBox::Yes | QMessageBox::Discard,
        QMessageBox::Yes, QMessageBox::Yes,
        {{QMessageBox::Yes, u"恢复"_s}, {QMessageBox::Discard, u"丢弃"_s}});
    return answer != QMessageBox::Discard;
}

StartupPrompts InteractivePrompts()
{
    StartupPrompts prompts;
    prompts.unreadableFiles = [](const QList<LoadOutcome>& files) {
        TellUnreadableDataFiles(files);
    };
    prompts.restoreRecovery = [](const QString& path) { return AskToRestoreRecovery(path); };
    prompts.replaceUnreadable = [](const QString& path) { return AskToReplaceUnreadable(path); };
    prompts.saveFailed = [](const QList<SaveFailure>& failures) {
        return AskAfterSaveFailure(failures);
    };
    return prompts;
}

void SetFolderPickerForTests(std::function<QString()> picker)
{
    FolderPicker() = std::move(picker);
}
