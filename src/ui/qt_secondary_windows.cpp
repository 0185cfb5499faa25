// Placeholder until the windows are written.
#include "ui/qt_secondary_windows.h"

namespace gyrenda {

void showVersionWindow(QWidget*) {}
void showHelpWindow(QWidget*) {}

}  // namespace gyrenda
