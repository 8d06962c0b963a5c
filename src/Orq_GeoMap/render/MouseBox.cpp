// TGeoMap::MouseBox: a modal request for a rectangle, answered by the mouse
// handlers while a nested message loop runs.
#include <algorithm>
#include <chrono>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Forms.h"

namespace orq {

bool TGeoMap::MouseBox(int& xLo, int& yLo, int& xHi, int& yHi) {
  const TMouseActMode saved = FMouse.MouseAction;
  FMouse.MouseAction = maNone;
  FMouse.MouseBoxState = mbsArmed;
  const auto alive = LifeToken();
  auto finished = [this] { return FMouse.MouseBoxState == mbsDone || FMouse.MouseBoxState == mbsIdle; };
  auto restore = [&] {
    FMouse.MouseBoxState = mbsIdle;
    FMouse.MouseAction = saved;
  };
  try {
    for (;;) {
      Application->ProcessMessages();
      if (alive.expired()) return false;  // an event freed the control
      if (finished()) break;
      // Sleeps until the next event (the timeout only bounds a pump that
      // cannot tell), rather than spinning a core while the user thinks.
      Application->WaitForMessages(std::chrono::milliseconds(MouseBoxWaitMs));
    }
  } catch (...) {
    if (!alive.expired()) restore();
    throw;
  }
  const bool done = FMouse.MouseBoxState == mbsDone;
  if (done) {
    xLo = std::min(FMouse.MouseBoxX1, FMouse.MouseBoxX2);
    xHi = std::max(FMouse.MouseBoxX1, FMouse.MouseBoxX2);
    yLo = std::min(FMouse.MouseBoxY1, FMouse.MouseBoxY2);
    yHi = std::max(FMouse.MouseBoxY1, FMouse.MouseBoxY2);
  }
  restore();
  return done;
}

void TGeoMap::MouseBoxAbort() { FMouse.MouseBoxState = mbsIdle; }

}  // namespace orq
