#include "ui/common/EmptyViewHint.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QEvent>

EmptyViewHint::EmptyViewHint(QAbstractItemView& view) : QLabel(view.viewport()), m_view(view)
{
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setForegroundRole(QPalette::PlaceholderText);
    setMargin(fontMetrics().height() / 2);
    view.viewport()->installEventFilter(this);
    // The view's model stays for its life (the plan list's own).
    if (const QAbstractItemModel* model = view.model()) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyViewHint::update);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyViewHint::update);
        connect(model, &QAbstractItemModel::modelReset, this, &EmptyViewHint::update);
    }
    hide();
}

void EmptyViewHint::setHint(const QString& text)
{
    setText(text);
    m_view.setToolTip(text);
    update();
}

bool EmptyViewHint::eventFilter(QObject* watched, QEvent* event)
{
    // The hint takes the view's whole area.
    if (watched == m_view.viewport() && event->type() == QEvent::Resize)
        update();
    return QLabel::eventFilter(watched, event);
}

void EmptyViewHint::update()
{
    const QAbstractItemModel* model = m_view.model();
    const bool empty = model == nullptr || model->rowCount() == 0;
    setGeometry(m_view.viewport()->rect());
    setVisible(empty && !text().isEmpty());
}
