#pragma once

class DialogControls;

// Names and tooltips for the main window's controls whose purpose their
// place does not tell: the two spins, the strategy selector and the
// feasibility index. Screen readers read the names, the mouse shows the tips.
void AddMainWindowHints(const DialogControls& controls);
