// Targets traced in a DXF drawing (ASCII, as CAD programs write it), read with dxflib: the
// first entity of the drawing (or of one layer) that traces a curve gives the targets.
//   LWPOLYLINE, POLYLINE  its vertices, closed where the polyline is (meshes are skipped; a
//                         bulge's arc is read as its chord)
//   LINE                  the chain of LINEs on its layer that meet end to end, grown from
//                         it in both directions (either end of a line may meet), closed where
//                         the chain comes back to its start
//   POINT                 every POINT on its layer, in the drawing's order
//   SPLINE                its fit points, or where it has none its control points; closed
//                         where the spline is
// Entities inside block definitions are not read (nor blocks' insertions); heights (z) are
// dropped. A polyline or chain whose last point repeats its first is closed, that point once.
#pragma once

#include <string>
#include <string_view>

#include "synthesis/traced_curve.h"

namespace gyrenda {

enum class DxfTraceProblem {
  None,
  NotDxf,   // not an ASCII DXF drawing (it does not start with a SECTION), or one dxflib
            // cannot read
  NoCurve,  // no entity of the kinds above (on the layer asked for)
};

struct DxfTrace {
  DxfTraceProblem problem = DxfTraceProblem::None;
  TracedCurve curve;
  std::string entity;  // the kind read, as above ("LWPOLYLINE" and "POLYLINE" both POLYLINE)
  std::string layer;   // the layer it lies on
};

// Whether `bytes` start as an ASCII DXF drawing does: a SECTION group, comments before it.
bool looksLikeDxf(std::string_view bytes);

// The curve of the drawing `bytes`; with `layer` (not empty) only entities on that layer,
// its name compared as CAD programs do, without regard to case.
DxfTrace readDxfTrace(std::string_view bytes, std::string_view layer = {});

}  // namespace gyrenda
