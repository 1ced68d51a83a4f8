#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

// The controls BuildDialog made for one dialog, looked up by template id.
class DialogControls final
{
public:
    DialogControls() = default;

    // Records a control; controls with kNoId are kept in order but not by id.
    void add(int id, QWidget* widget);

    // The control with that id, or nullptr.
    QWidget* widget(int id) const { return m_byId.value(id); }

    // The control with that id as T; a missing id or another type is a
    // programming error and stops the program, in release builds too.
    template <class T> T* get(int id) const
    {
        T* typed = qobject_cast<T*>(widget(id));
        if (typed == nullptr)
            failLookup(id, T::staticMetaObject.className());
        return typed;
    }

    // Every control in template order.
    const QList<QWidget*>& inOrder() const { return m_inOrder; }

private:
    [[noreturn]] void failLookup(int id, const char* typeName) const;

    QHash<int, QWidget*> m_byId;
    QList<QWidget*> m_inOrder;
};
