#include "ui/common/DigitKeysOnly.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Whether a typed text would put anything but ASCII digits into the edit;
// control characters (Backspace, Enter) are keys, not text.
bool TypesNonDigit(const QString& text)
{
    for (const QChar unit : text) {
        if (unit.isPrint() && !(unit >= u'0' && unit <= u'9'))
            return true;
    }
    return false;
}

} // namespace

void DigitKeysOnly::install(QLineEdit* edit)
{
    edit->installEventFilter(new DigitKeysOnly(edit));
}

bool DigitKeysOnly::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (paste, undo, select all) carry Ctrl; AltGr and Shift
        // alone still type characters.
        const bool shortcut = (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
        if (!shortcut && TypesNonDigit(key->text()))
            return true;
    } else if (event->type() == QEvent::InputMethod) {
        // An input method composes text from keys: typing too.
        if (TypesNonDigit(static_cast<QInputMethodEvent*>(event)->commitString()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
