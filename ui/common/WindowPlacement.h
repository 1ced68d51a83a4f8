#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Where a top-level window may lie: wholly inside the available area of the
// screen it opens on (the screen of its parent, else the primary one), its
// frame included. A window larger than that area is made smaller, never
// moved partly off the screen; template dialogs lay their controls out
// again on the new size (their lists shrink), so every button stays in reach.
namespace WindowPlacement {

// The available area of the screen `window` is on or will open on.
QRect AvailableArea(const QWidget& window);

// `frame` (a window's outer rectangle) moved, and first made smaller where it
// is larger than `area`, so that it lies wholly inside `area`.
QRect FittedFrame(const QRect& frame, const QRect& area);

// Fits the window into its available area now: its minimum size gives way
// where the area is smaller.
void FitOnScreen(QWidget& window);

// Fits the window into its screen every time it is shown and while the
// window system frames it (the frame adds to its size some time after the show).
void KeepOnScreen(QWidget& window);

// As KeepOnScreen, and the window opens where it was last closed, at that
// size, under `name` in the window settings (kept apart from the remembered
// choices). A geometry from another screen setup is fitted again.
void RememberGeometry(QWidget& window, const QString& name);

// Puts a window that opens for the first time beside `anchor` (the window
// it belongs to): to its right where it fits wholly on the screen there, else
// to its left, else over it; inside the screen in any case. A window that
// opened where the user last left it (RememberGeometry) stays there.
void PlaceBeside(QWidget& window, const QWidget& anchor);

// Whether the window opened at a geometry it remembered.
bool OpenedWhereLeft(const QWidget& window);

} // namespace WindowPlacement
