#include "ui/common/DialogControls.h"

#include "resources/DialogTemplate.h"

#include <QtGlobal>

void DialogControls::add(int id, QWidget* widget)
{
    m_inOrder.append(widget);
    if (id != kNoId)
        m_byId.insert(id, widget);
}

void DialogControls::failLookup(int id, const char* typeName) const
{
    const QWidget* found = widget(id);
    if (found == nullptr)
        qFatal("dialog control %d does not exist", id);
    qFatal("dialog control %d is a %s, not a %s", id, found->metaObject()->className(), typeName);
}
