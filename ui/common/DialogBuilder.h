#pragma once

#include "resources/DialogTemplate.h"
#include "ui/common/DialogControls.h"

#include <QFont>
#include <QRect>
#include <QSize>

#include <functional>

class QDialog;

// The font dialogs are laid out in: the platform's dialog font at 9 points,
// or, when that font has no Chinese glyphs, a Chinese sans of the platform
// (WenQuanYi Micro Hei on Linux) so the Chinese texts fit their controls.
QFont DialogFont(int points = 9);

// The dialog base units of a font, as Windows computes them: the width is the
// average width of the 52 Latin letters, rounded; the height is the font's
// height. A horizontal dialog unit is a quarter of the width, a vertical one
// an eighth of the height.
QSize DialogBaseUnits(const QFont& font);

// A rectangle in dialog units converted to pixels, each coordinate rounded
// on its own as Windows maps dialog templates.
QRect DialogUnitsToPixels(const QRect& dialogUnits, const QFont& font);

// Makes a widget for a control in place of the default one, or returns
// nullptr to get the default.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

// Lays a dialog out from its template: caption, font, client size (fixed
// unless the template is resizable) and window buttons; every control created
// in template order as a child at its rectangle; tab order = template order
// over the tab stops. Default widgets: QLabel, QGroupBox, QPushButton (the
// default one setDefault), QCheckBox, QComboBox, QLineEdit, QTreeWidget in
// report style, CUpDownCtrl. With a clientArea the controls are its children
// and it takes the template's client size; the caller then places it inside
// the dialog (below a menu bar, say) and sizes the dialog around it.
DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& tmpl,
                           const ControlFactory& customFactory = {}, QWidget* clientArea = nullptr);
