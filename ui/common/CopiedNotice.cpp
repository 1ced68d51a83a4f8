#include "ui/common/CopiedNotice.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr char kObjectName[] = "copiedNotice";

} // namespace

namespace CopiedNotice {

QLabel* Shown(const QWidget& window)
{
    for (QLabel* label : window.findChildren<QLabel*>(QString::fromLatin1(kObjectName),
                                                      Qt::FindDirectChildrenOnly)) {
        if (label->isVisible())
            return label;
    }
    return nullptr;
}

void Show(QWidget& window)
{
    if (QLabel* previous = Shown(window)) {
        previous->hide();
        previous->deleteLater();
    }
    // A tooltip-like window of its own: shown without taking the focus or
    // the activation, and drawn over the window's controls.
    auto* note = new QLabel(QCoreApplication::translate("CopiedNotice", "已复制到剪贴板"), &window,
                            Qt::ToolTip | Qt::FramelessWindowHint);
    note->setObjectName(QString::fromLatin1(kObjectName));
    note->setAttribute(Qt::WA_ShowWithoutActivating);
    note->setForegroundRole(QPalette::ToolTipText);
    note->setBackgroundRole(QPalette::ToolTipBase);
    note->setAutoFillBackground(true);
    note->setMargin(note->fontMetrics().height() / 3);
    note->setFrameShape(QFrame::Box);
    note->adjustSize();
    const QRect client = window.rect();
    const QPoint at(client.center().x() - note->width() / 2,
                    client.bottom() - note->height() - note->fontMetrics().height());
    note->move(window.mapToGlobal(at));
    note->show();
    QTimer::singleShot(kShownMs, note, [note] {
        note->hide();
        note->deleteLater();
    });
}

} // namespace CopiedNotice
