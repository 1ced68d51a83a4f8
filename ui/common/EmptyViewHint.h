#pragma once

#include <QLabel>

class QAbstractItemView;

// A quiet line of text over an item view that has no rows: where to start,
// or why nothing is shown. It takes no input and goes as soon as rows come.
class CEmptyViewHint final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEmptyViewHint)

public:
    explicit CEmptyViewHint(QAbstractItemView& view);

    // The hint to show while the view is empty; empty for none. The view's
    // tooltip carries it too, where a screen reader or a mouse finds it.
    void setHint(const QString& text);
    QString hint() const { return text(); }
    // Whether it is shown (with the view) right now.
    bool isShown() const { return isVisibleTo(parentWidget()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followView();

    QAbstractItemView& m_view;
};
