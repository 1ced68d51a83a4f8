#pragma once

#include <QString>

#include <optional>

class QWidget;

// Every file dialog of the program goes through here, so tests can name the
// file in advance instead of running a real dialog.
class FileDialog final
{
public:
    FileDialog() = delete;

    // The file the user picked, or an empty string when the dialog was
    // cancelled. `start` is the folder (open) or the suggested file (save).
    // A save adds `defaultSuffix` to a name given without one, before the
    // dialog asks whether to replace the file (a prepared answer gets it
    // too).
    static QString openFileName(QWidget* parent, const QString& caption, const QString& start,
                                const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& start,
                                const QString& filter, const QString& defaultSuffix = {});

    // Test hook: the next dialog records where it would have started and
    // returns `path` at once (an empty path: cancelled). Calls queue.
    static void setNextAnswer(const QString& path);
    // Test hook: while set, a dialog with no answer queued aborts the process
    // instead of blocking a test in a dialog nobody will close.
    static void setAnswersRequired(bool required);
    // Where the last dialog started.
    static std::optional<QString> lastStart();
};
