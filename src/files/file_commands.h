// The File menu: save (numeric data file or bitmap), load, print.
#pragma once

#include <string>

#include "app/form.h"
#include "files/data_file_reader.h"

namespace gyrenda {

void File_Save_Click(Form& f);
void File_Load_Click(Form& f);
void File_Print_Click(Form& f);

// The load command after its dialog: reads `path` and, when it holds a design, puts it into
// the boxes, validates every box and runs one analysis. Returns an empty string or why
// nothing was loaded (the window stays silent about it; the headless program reports it).
std::string loadDesignFile(Form& f, const std::string& path);

// Puts a design read from a file into the form: boxes, vector, thirteen passes, one analysis.
void applyLoadedDesign(Form& f, const ParamSet& values);

}  // namespace gyrenda
