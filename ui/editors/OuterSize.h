#pragma once

#include <QSize>

class QWidget;

// The editors give their window sizes as outer sizes, frame and caption
// included; Qt sizes a window by its client area. This is the client size
// that gives `window` the outer size `outer` with its current frame; a window
// the platform has not framed yet counts its frame as nothing.
// The width and height the frame adds to the client area: nothing while the
// window has no frame (not shown yet, or no window manager).
QSize FrameSize(const QWidget& window);
QSize ClientSizeForOuter(const QWidget& window, const QSize& outer);
