#include "ui/common/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace {

struct Hooks
{
    QList<QString> answers;
    std::optional<QString> lastStart;
    bool answersRequired = false;
};

Hooks& TestHooks()
{
    static Hooks hooks;
    return hooks;
}

// A prepared answer, if a test gave one.
std::optional<QString> PreparedAnswer(const QString& start)
{
    Hooks& hooks = TestHooks();
    hooks.lastStart = start;
    if (!hooks.answers.isEmpty())
        return hooks.answers.takeFirst();
    if (hooks.answersRequired) {
        std::fprintf(stderr, "a file dialog opened without a prepared answer\n");
        std::abort();
    }
    return std::nullopt;
}

} // namespace

QString FileDialog::openFileName(QWidget* parent, const QString& caption, const QString& start,
                                 const QString& filter)
{
    if (const std::optional<QString> answer = PreparedAnswer(start))
        return *answer;
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& start,
                                 const QString& filter, const QString& defaultSuffix)
{
    // The dialog adds the suffix to a name typed without one before it asks
    // about replacing a file, so its question is about the file written.
    if (std::optional<QString> answer = PreparedAnswer(start)) {
        if (!answer->isEmpty() && !defaultSuffix.isEmpty() && QFileInfo(*answer).suffix().isEmpty())
            *answer += u'.' + defaultSuffix;
        return *answer;
    }
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileDialog::setNextAnswer(const QString& path)
{
    TestHooks().answers.append(path);
}

void FileDialog::setAnswersRequired(bool required)
{
    TestHooks().answersRequired = required;
}

std::optional<QString> FileDialog::lastStart()
{
    return TestHooks().lastStart;
}
