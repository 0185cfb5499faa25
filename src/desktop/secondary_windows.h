// The version window and the help window.
#pragma once

class QIcon;
class QWidget;

namespace gyrenda {

// Creates the version window afresh and shows it modal over `parent`; returns when closed.
void showVersionWindow(QWidget* parent);

// Opens the help document at its contents in the program's help window beside `parent`,
// without blocking it.
void showHelpWindow(QWidget* parent);

// The program's icon in all its sizes, 16 × 16 to 256 × 256.
QIcon gyrendaIcon();

}  // namespace gyrenda
