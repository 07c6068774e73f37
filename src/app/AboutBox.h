#pragma once

class QWidget;

// Help > About: the program's name and version, what it does, where its
// quotes and pages come from, and its terms.
void ShowAboutBox(QWidget* parent);
