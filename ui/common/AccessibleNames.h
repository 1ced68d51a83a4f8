#pragma once

#include <QList>

class QWidget;

// Names for screen readers. Every control the keyboard reaches gets an
// accessible name: its own text (buttons, check boxes), else the text of the
// label that names it (its buddy, or the static text just left of it on the
// same line, as the dialog templates place them), else the title of the group
// around it, else the heading right above it, else its tooltip, else the
// window's title (a window's list). A name set by hand is kept.
namespace AccessibleNames {

// Names the window's controls now and again each time it is shown, so that
// controls added later are named too.
void NameOnShow(QWidget& window);

// One pass over the window's controls.
void NameControls(QWidget& window);

// The controls of `window` that take the focus and have no accessible name.
QList<QWidget*> Unnamed(const QWidget& window);

} // namespace AccessibleNames
