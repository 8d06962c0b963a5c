// TSLine: an infinite straight line in the plane, and its clipping to a box.
#pragma once

#include "orqplatform/Components.h"

namespace orq {

class TSLine : public TObject {
 public:
  std::string ClassName() const override { return "TSLine"; }

  // The line through (x1, y1) and (x2, y2). Two equal points (or a
  // non-finite coordinate) leave the line undefined.
  void LineFrom2Points(double x1, double y1, double x2, double y2);
  bool IsDefined() const { return FDefined; }

  // The part of the (infinite) line inside the closed box xLo..xHi, yLo..yHi
  // (the bounds may come in either order). True with the two ends of that
  // part when the line meets the box, ordered in the direction from the first
  // to the second defining point; a line that only touches a corner gives
  // two equal ends. False, ends unchanged, when the line misses the box or is
  // undefined, or when a bound is not finite. The ends always lie within the
  // box.
  bool ClipBox(double xLo, double yLo, double xHi, double yHi, double& x1, double& y1, double& x2,
               double& y2) const;

 private:
  double FX0 = 0, FY0 = 0, FDx = 0, FDy = 0;
  bool FDefined = false;
};

}  // namespace orq
