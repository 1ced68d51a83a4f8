#include "SaveFailurePrompt.h"

#include "MessageBox.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

bool AskToRetrySave(const QList<SaveFailure>& failures, QWidget* parent)
{
    QString text = u"无法保存以下数据文件，本次对英雄或病毒信息的修改尚未保存：\n"_s;
    for (const SaveFailure& failure : failures) {
        // The data files sit in the working folder: the full path tells the
        // user which folder that is.
        const QString path = QFileInfo(failure.filePath).absoluteFilePath();
        text += u"\n%1\n原因：%2\n"_s.arg(QDir::toNativeSeparators(path), failure.reason);
    }
    text += u"\n选择“重试”再次保存；选择“取消”将放弃这些修改。"_s;
    const QMessageBox::StandardButton answer =
        MessageBox::show(parent, QMessageBox::Warning, SettingsStore::programName(), text,
                         QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
    return answer == QMessageBox::Retry;
}
