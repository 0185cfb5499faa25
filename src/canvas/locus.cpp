#include "canvas/locus.h"

namespace gyrenda {

CouplerPoints couplerPoints(const Form& f, WorldPoint c, WorldPoint e) {
  const float dx = e.x - c.x, dy = e.y - c.y;
  const WorldPoint axis{c.x - dx * f.outAlongFactor, c.y - dy * f.outAlongFactor};
  const WorldPoint output{axis.x - (-dy * f.outAcrossFactor), axis.y - dx * f.outAcrossFactor};
  return {axis, output};
}

void drawLocusStep(Form& f, WorldPoint axis, WorldPoint output) {
  if (f.prevAxisX == 0.0f && f.prevAxisY == 0.0f && f.prevOutX == 0.0f && f.prevOutY == 0.0f) {
    f.prevAxisX = axis.x;
    f.prevAxisY = axis.y;
    f.prevOutX = output.x;
    f.prevOutY = output.y;
  }
  const Colour colour = quadrantColour(f.crankAngle);
  drawWorldLine(f, {f.prevAxisX, f.prevAxisY}, axis, colour);
  drawWorldLine(f, {f.prevOutX, f.prevOutY}, output, colour);
  f.prevAxisX = axis.x;
  f.prevAxisY = axis.y;
  f.prevOutX = output.x;
  f.prevOutY = output.y;
}

void Kiseki(Form& f) {
  const int i = angleIndex(f.crankAngle);
  const auto [axis, output] =
      couplerPoints(f, {f.crankTipX[i], f.crankTipY[i]}, {f.probeX, f.probeY});
  drawLocusStep(f, axis, output);
  f.outputX[i] = output.x;
  f.outputY[i] = output.y;
  f.hits.axisX[i] = axis.x;
  f.hits.axisY[i] = axis.y;
  f.hits.leverTipX[i] = f.probeX;
  f.hits.leverTipY[i] = f.probeY;
}

void mXmYcls(Form& f) {
  for (f.crankAngle = 0.0f; f.crankAngle <= 360.0f; f.crankAngle += 0.5f) {
    const int i = angleIndex(f.crankAngle);
    for (AngleTable* t : {&f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY, &f.sixAxisX,
                          &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY})
      (*t)[i] = kNoPose;
  }
  f.hits = {};
  for (AngleTable* t : {&f.hits.axisX, &f.hits.axisY, &f.hits.leverTipX, &f.hits.leverTipY,
                        &f.hits.sixAxisX, &f.hits.sixAxisY, &f.hits.sixOutputX,
                        &f.hits.sixOutputY, &f.hits.sliderX, &f.hits.sliderY})
    t->fill(kNoPose);
}

}  // namespace gyrenda
