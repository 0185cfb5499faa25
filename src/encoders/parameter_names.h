// The thirteen parameters by the names the report, the 公差 tab and the 軌跡合成 window give
// them, in the user's language.
#pragma once

#include <QString>

namespace gyrenda {

// The name of parameter `index`, 0 … kParamCount − 1 in the order of ParamName.
QString parameterName(int index);

}  // namespace gyrenda
