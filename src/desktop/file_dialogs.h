// The Qt side of the File menu: the save, open and print dialogs and the printer.
#pragma once

#include <QPrinter>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <string>

#include "session/platform.h"
#include "canvas/raster.h"

class QWidget;

namespace gyrenda {

// The save dialog with a filter for each of the five file types (*.BMP, *.GYR, *.png, *.svg,
// *.dxf), named in the user's language, proposing `proposedName`, adding the chosen type's
// extension to a name that ends in none of the five, asking before it overwrites; empty when
// cancelled.
std::optional<SaveChoice> showSaveDialog(QWidget* parent, const std::string& proposedName);

// The open dialog for the numeric data files (*.GYR) or all files (*); empty when cancelled.
std::optional<std::string> showOpenDialog(QWidget* parent);

// Where the canvas image goes on a page whose printable area is `printable` device pixels at
// `dpi`: top-left at the origin, at the size it has on a 96 dpi screen, scaled down (keeping
// its shape) only when that does not fit.
QRectF canvasPrintRect(QSizeF printable, double dpi);

// Holds the printer between the print dialog and the copies printed on it.
class CanvasPrinter {
 public:
  // The print dialog (copies; page range fixed to page 1; a printer or a PDF file). Returns
  // the number of copies, or empty when cancelled.
  std::optional<int> showPrintDialog(QWidget* parent);
  // Whether a printer or an output file is chosen.
  bool hasDestination() const;
  // Prints the canvas image at the page origin as one document of one page. Returns an
  // empty string or the reason it failed, in the user's language.
  std::string print(const Raster& canvas);
  QPrinter& printer() { return printer_; }

 private:
  QPrinter printer_;
};

}  // namespace gyrenda
