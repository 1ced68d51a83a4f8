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
    for (QAbstractButton* button : box.buttons()) {
        const QMessageBox::StandardButton kind = box.standardButton(button);
        const QString label = labels.value(kind, buttonText(kind));
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

QString MessageBox::buttonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return u"确定"_s;
    case QMessageBox::Cancel:
        return u"取消"_s;
    case QMessageBox::Yes:
        return u"是"_s;
    case QMessageBox::No:
        return u"否"_s;
    case QMessageBox::Retry:
        return u"重试"_s;
    case QMessageBox::Abort:
        return u"中止"_s;
    case QMessageBox::Ignore:
        return u"忽略"_s;
    case QMessageBox::Close:
        return u"关闭"_s;
    case QMessageBox::Discard:
        return u"放弃"_s;
    case QMessageBox::Save:
        return u"保存"_s;
    default:
        return {};
    }
}
