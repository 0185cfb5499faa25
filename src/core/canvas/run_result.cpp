#include "canvas/run_result.h"

namespace gyrenda {

void clearRunTables(RunResult& r) {
  for (AngleTable* t : {&r.outputX, &r.outputY, &r.leverTipX, &r.leverTipY, &r.sixAxisX,
                        &r.sixAxisY, &r.sixOffsetX, &r.sixOffsetY})
    t->fill(kNoPose);
  r.hits = {};
  RunHits& h = r.hits;
  for (AngleTable* t : {&h.axisX, &h.axisY, &h.leverTipX, &h.leverTipY, &h.sixAxisX, &h.sixAxisY,
                        &h.sixOutputX, &h.sixOutputY, &h.sliderX, &h.sliderY})
    t->fill(kNoPose);
}

}  // namespace gyrenda
