#include "ui/common/EmptyViewHint.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QEvent>

CEmptyViewHint::CEmptyViewHint(QAbstractItemView& view) : QLabel(view.viewport()), m_view(view)
{
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setForegroundRole(QPalette::PlaceholderText);
    setMargin(fontMetrics().height() / 2);
    view.viewport()->installEventFilter(this);
    // The view's model stays for its life (the plan list's own).
    if (const QAbstractItemModel* model = view.model()) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &CEmptyViewHint::followView);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &CEmptyViewHint::followView);
        connect(model, &QAbstractItemModel::modelReset, this, &CEmptyViewHint::followView);
    }
    hide();
}

void CEmptyViewHint::setHint(const QString& text)
{
    setText(text);
    m_view.setToolTip(text);
    followView();
}

bool CEmptyViewHint::eventFilter(QObject* watched, QEvent* event)
{
    // The hint takes the view's whole area.
    if (watched == m_view.viewport() && event->type() == QEvent::Resize)
        followView();
    return QLabel::eventFilter(watched, event);
}

void CEmptyViewHint::followView()
{
    const QAbstractItemModel* model = m_view.model();
    const bool empty = model == nullptr || model->rowCount() == 0;
    setGeometry(m_view.viewport()->rect());
    setVisible(empty && !text().isEmpty());
}
