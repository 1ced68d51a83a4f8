#pragma once

#include <QString>

class QWidget;

// What every window of the program that is not a dialog template shares:
// it opens wholly on the screen and where it was last left (its geometry kept
// under `name`), its controls are named for screen readers, the focus is
// framed from the start and Escape closes it.
void PrepareToolWindow(QWidget& window, const QString& name);
