#include "ui/common/MessageBox.h"

#include <QAbstractButton>
#include <QList>
#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace {

struct Hooks
{
    QList<QMessageBox::StandardButton> answers;
    std::optional<MessageBox::Shown> last;
    int count = 0;
    bool answersRequired = false;
};

Hooks& TestHooks()
{
    static Hooks hooks;
    return hooks;
}

} // namespace

QMessageBox::StandardButton
MessageBox::show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                 const QString& text, QMessageBox::StandardButtons buttons,
                 QMessageBox::StandardButton defaultButton,
                 QMessageBox::StandardButton escapeButton,
                 const QMap<QMessageBox::StandardButton, QString>& labels)
{
    Hooks& hooks = TestHooks();
    hooks.last = Shown{icon, caption, text, buttons, defaultButton, escapeButton, labels};
    ++hooks.count;
    if (!hooks.answers.isEmpty())
        return hooks.answers.takeFirst();
    if (hooks.answersRequired)
        qFatal("MessageBox::show without a prepared answer: %s", qUtf8Printable(text));

    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(escapeButton);
    // The standard buttons speak the program's language through Qt's own
    // translations (QtTranslations); only a caller's own labels are set here.
    for (QAbstractButton* button : box.buttons()) {
        const QString label = labels.value(box.standardButton(button));
        if (!label.isEmpty())
            button->setText(label);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    TestHooks().answers.append(answer);
}

void MessageBox::setAnswersRequired(bool required)
{
    TestHooks().answersRequired = required;
}

std::optional<MessageBox::Shown> MessageBox::lastShown()
{
    return TestHooks().last;
}

void MessageBox::resetLastShown()
{
    TestHooks().last.reset();
    TestHooks().count = 0;
}

int MessageBox::shownCount()
{
    return TestHooks().count;
}
