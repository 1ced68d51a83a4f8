#pragma once

#include "DataFiles.h"

#include <QList>

class QWidget;

// Tells the user which data files could not be saved and why, and asks
// whether to try again. True: try again; false: the user gives the changes up.
bool AskToRetrySave(const QList<SaveFailure>& failures, QWidget* parent = nullptr);
