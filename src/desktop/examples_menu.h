// ファイル › 例を開く: the designs that come with the program, each with a line saying what
// it shows. They are files in a folder of their own (installed under share/gyrenda/examples),
// opened as the load command opens a file.
#pragma once

#include <QString>
#include <functional>
#include <span>
#include <string>

class QMenu;

namespace gyrenda {

struct Example {
  const char* file;         // the file's name in the examples folder
  const char* name;         // a few words, translated where shown
  const char* description;  // one line, translated where shown
};

// The examples in the order the menu lists them; the first is the design the window opens with.
std::span<const Example> examples();

// The folder the examples are read from: beside the program (a build), share/gyrenda/examples
// beside its bin folder (an installation), else where the system keeps its programs' data.
// Empty when none holds them.
QString examplesFolder();

// Adds the submenu to `file`; choosing an example hands its path to `open`.
QMenu* addExamplesMenu(QMenu* file, const std::function<void(const std::string&)>& open);

}  // namespace gyrenda
