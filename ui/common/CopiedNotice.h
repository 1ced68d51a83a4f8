#pragma once

class QLabel;
class QWidget;

// A brief note over a window that what the user asked to copy is on the
// clipboard: no box to close, no focus taken; it goes by itself.
namespace CopiedNotice {

// How long the note stays.
inline constexpr int kShownMs = 1800;

// Shows the note near the bottom of `window`'s client area; a note still
// shown there is replaced.
void Show(QWidget& window);

// The note shown over `window` right now, if any.
QLabel* Shown(const QWidget& window);

} // namespace CopiedNotice
