#pragma once

class QMenu;
class QWidget;

// The "语言 / Language" menu: follow the system's languages, or always
// Chinese, or always English. Its title is the same in every language, so
// that a user who cannot read the current one still finds it. A choice is
// written to the settings store at once and applies from the next start (the
// fixed-size dialogs are laid out once, for one language); the menu says so
// when it is chosen. `parent` owns the menu and is the message's parent.
QMenu* CreateLanguageMenu(QWidget* parent);
