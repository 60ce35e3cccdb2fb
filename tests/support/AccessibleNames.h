#pragma once

#include <QStringList>

class QWidget;

// What a screen reader cannot use in a dialog, one line per fault: an input
// (field, list, box, button) with nothing to speak for it (no accessible name,
// no label that is its buddy, no text of its own), and two controls showing at
// the same time with the same mnemonic. Every page of a tab widget is looked
// at as it shows.
QStringList accessibilityFaults(QWidget *dialog);
