#pragma once

class QWidget;

namespace KeyboardUse {

// The control with the focus shows its focus frame from the moment the
// window opens, not only after the first Tab: a keyboard user sees where
// the keys go before pressing any. (Styles draw the frame only once the
// window has seen a focus change from the keyboard.)
void FrameFocusFromTheStart(QWidget& window);

// Escape closes the window, as it closes a dialog.
void CloseOnEscape(QWidget& window);

} // namespace KeyboardUse
