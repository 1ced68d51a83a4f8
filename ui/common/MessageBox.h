#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <optional>

// windows.h maps MessageBox to MessageBoxW; this class keeps the plain name.
#ifdef MessageBox
#undef MessageBox
#endif

// Every message box of the program goes through here, so tests can answer a
// box in advance instead of running a real modal loop.
class MessageBox final
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
        QMap<QMessageBox::StandardButton, QString> labels;
    };

    MessageBox() = delete;

    // Shows a modal box with the buttons labelled in the program's language,
    // like the rest of it, and returns the button the user pressed (Escape and the
    // close box give `escapeButton`, or when that is NoButton the one Qt
    // picks, usually Cancel or No). `labels` replaces the usual label of a
    // button where a plain "保存" or "放弃" would not say what happens.
    static QMessageBox::StandardButton
    show(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
         QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
         QMessageBox::StandardButton escapeButton = QMessageBox::NoButton,
         const QMap<QMessageBox::StandardButton, QString>& labels = {});

    // Test hook: the next show() records its arguments and returns `answer`
    // at once, without a modal loop. Several calls queue several answers.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // Test hook: while set, a show() with no answer queued aborts the process
    // instead of blocking a test in a modal loop nobody will close.
    static void setAnswersRequired(bool required);
    static std::optional<Shown> lastShown();
    static void resetLastShown();
    // How many boxes show() has put up or answered since the last reset.
    static int shownCount();
};
