#pragma once

#include <QPixmap>

// The banner above the main window's first row: the drawn picture (500 × 80,
// resources/images/banner.png) with the guild's name and what the program
// is for written on it in the program's language.
QPixmap TitledBanner();
