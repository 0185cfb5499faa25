// A plot saved as a picture, as both report tabs save theirs.
#pragma once

#include <string>

class QChartView;

namespace gyrenda {

// Writes what `view` shows as SVG (a name ending in .svg, in any case) or PNG through the
// careful save: 0 or the system's error number, -1 when the picture could not be made.
int saveChartView(QChartView* view, const std::string& path);

}  // namespace gyrenda
