#pragma once

// Helpers shared by the window tests: a private settings folder, answers for
// message boxes and menus required in advance, and closing a modal dialog
// from inside its own loop.

#include "ui/common/MessageBox.h"
#include "ui/common/PopupMenu.h"

#include <QApplication>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Shows a window and waits until it has the focus, as a user's click would
// leave it; keyboard tests need the focus to be where they send their keys.
inline void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
}

// Points the user-scope native settings at a temporary folder for the life
// of the object (the test environment's XDG_CONFIG_HOME already keeps them
// out of the user's real settings; this keeps tests apart from each other).
class TemporarySettings final
{
public:
    TemporarySettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    Q_DISABLE_COPY_MOVE(TemporarySettings)

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A test that shows a message box or opens a menu without having prepared
// the answer fails at once instead of hanging in a modal loop.
inline void RequirePreparedAnswers()
{
    MessageBox::setAnswersRequired(true);
    PopupMenu::setChoicesRequired(true);
}

// The class names of the top-level widgets still alive; cleanup() checks it
// is empty.
inline QStringList LeftoverWindows()
{
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        names.append(QString::fromLatin1(widget->metaObject()->className()));
    return names;
}

// Runs `action` on the modal widget as soon as one is running (call it just
// before the exec() that opens it), e.g. to fill it in and accept it.
inline void WhenModalShown(QObject* context, std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, context, [context, action = std::move(action)]() {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            WhenModalShown(context, action);
    });
}
