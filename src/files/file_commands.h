// The File menu: save (numeric data file, bitmap, or a PNG, SVG or DXF export), load, print.
#pragma once

#include <string>

#include "app/form.h"
#include "files/data_file_reader.h"

namespace gyrenda {

// Saves through saveFile (atomic_file.h); a failure is shown in one message that names the
// file and the cause in Japanese.
void File_Save_Click(Form& f);
void File_Load_Click(Form& f);
void File_Print_Click(Form& f);

// The load command after its dialog: reads `path` and, when it holds a design, puts it into
// the boxes, validates every box and runs one analysis. A path that is not a regular file
// (FIFO, device, folder) is refused at once, without waiting. Returns an empty string or why
// nothing was loaded, in English (the menu stays silent about it; elsewhere it is reported).
std::string loadDesignFile(Form& f, const std::string& path);

// Puts a design read from a file into the form: boxes, vector, thirteen passes, one analysis.
void applyLoadedDesign(Form& f, const ParamSet& values);

}  // namespace gyrenda
