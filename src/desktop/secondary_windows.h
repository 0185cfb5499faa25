// The version window and the help window, and bringing a window of the program back.
#pragma once

class QIcon;
class QWidget;

namespace gyrenda {

// Creates the version window afresh and shows it modal over `parent`; returns when closed.
void showVersionWindow(QWidget* parent);

// Opens the help document at its contents in the program's help window beside `parent`,
// without blocking it.
void showHelpWindow(QWidget* parent);

// Shows `window` in front and active, brought back first when it has been minimised.
void bringBack(QWidget& window);

// The program's icon in all its sizes, 16 × 16 to 256 × 256.
QIcon gyrendaIcon();

}  // namespace gyrenda
