#include "app/startup.h"

#include "app/commands.h"
#include "app/number_text.h"

namespace gyrenda {

void Form_Load(Form& f) {
  for (int k = 0; k < kParamCount; ++k) f.paramIndex[k] = static_cast<std::int16_t>(k);
  f.zoomLevel = 3;
  const auto& info = paramInfo();
  for (int i = 0; i < kParamCount; ++i) f.parameterText[i] = std::string(info[i].defaultText);
  for (int i = 0; i < kParamCount; ++i) f.paramValue[i] = readNumber(f.parameterText[i]);
  // The spin bars start at the defaults; setting them at creation raises no change.
  for (int i = 0; i < kParamCount; ++i) f.spinValue[i] = static_cast<int>(f.paramValue[i]);
  AllEnable(f);
  selectSpeed(f, 1);
}

}  // namespace gyrenda
