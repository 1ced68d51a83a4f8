#include "OuterSize.h"

#include <QWidget>

QSize ClientSizeForOuter(const QWidget& window, const QSize& outer)
{
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    return outer - frame;
}
