// Placeholder until the dialogs, encoder and printer are written.
#include "files/qt_file_services.h"

namespace gyrenda {

std::optional<SaveChoice> showSaveDialog(QWidget*, const std::string&) { return std::nullopt; }
std::optional<std::string> showOpenDialog(QWidget*) { return std::nullopt; }
std::optional<int> CanvasPrinter::showPrintDialog(QWidget*) { return std::nullopt; }
std::string CanvasPrinter::print(const Raster&) { return "not yet"; }

}  // namespace gyrenda
