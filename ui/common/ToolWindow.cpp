#include "ui/common/ToolWindow.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/KeyboardUse.h"
#include "ui/common/WindowPlacement.h"

void PrepareToolWindow(QWidget& window, const QString& name)
{
    WindowPlacement::RememberGeometry(window, name);
    AccessibleNames::NameOnShow(window);
    KeyboardUse::FrameFocusFromTheStart(window);
    KeyboardUse::CloseOnEscape(window);
}
