// Gesture scripts: a control driven by lines that read like the user's
// actions, delivered as a window system would (DispatchMouseDown/Move/Up).
//
//   down left 50 100     press a button at a control position
//   move left 300 200    move with the buttons named held ("move none 10 10":
//                        no button; "left+right" holds two)
//   up left 300 200      release
//   key ctrl             modifiers held for the following events
//                        ("key ctrl+shift", "key none" releases them)
//
// Blank lines and lines starting with '#' are skipped; anything else
// fails the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Forms.h"

namespace orq::viewtest {

class TGestureScript {
 public:
  explicit TGestureScript(TControl& Target) : FTarget(Target) {}

  // Runs the lines at once.
  void Run(const std::string& Script) {
    for (auto& step : Parse(Script)) step();
  }
  // Posts each line as one event to the pump, for a modal loop to handle.
  void Post(TEventPump& Pump, const std::string& Script) {
    for (auto& step : Parse(Script)) Pump.Post(std::move(step));
  }

 private:
  std::vector<std::function<void()>> Parse(const std::string& Script) {
    std::vector<std::function<void()>> steps;
    std::istringstream in(Script);
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      std::string verb, what;
      if (!(words >> verb) || verb[0] == '#') continue;
      words >> what;
      if (verb == "key") {
        steps.push_back([this, what] { FModifiers = Modifiers(what); });
        continue;
      }
      int x = 0, y = 0;
      if (!(words >> x >> y)) {
        ADD_FAILURE() << "gesture line without a position: " << line;
        continue;
      }
      if (verb == "down") {
        const TMouseButton b = Button(what);
        steps.push_back([this, b, x, y] {
          FHeld.insert(HeldItem(b));
          FTarget.DispatchMouseDown(b, Shift(), x, y);
        });
      } else if (verb == "up") {
        const TMouseButton b = Button(what);
        steps.push_back([this, b, x, y] {
          FHeld.erase(HeldItem(b));
          FTarget.DispatchMouseUp(b, Shift(), x, y);
        });
      } else if (verb == "move") {
        const TShiftState held = Buttons(what);
        steps.push_back([this, held, x, y] {
          FHeld = held;
          FTarget.DispatchMouseMove(Shift(), x, y);
        });
      } else {
        ADD_FAILURE() << "unknown gesture line: " << line;
      }
    }
    return steps;
  }

  TShiftState Shift() const {
    TShiftState s = FModifiers;
    for (TShiftStateItem i : {ssLeft, ssRight, ssMiddle})
      if (FHeld.contains(i)) s.insert(i);
    return s;
  }
  static TMouseButton Button(const std::string& w) {
    if (w == "right") return mbRight;
    if (w == "middle") return mbMiddle;
    if (w != "left") ADD_FAILURE() << "unknown button " << w;
    return mbLeft;
  }
  static TShiftStateItem HeldItem(TMouseButton b) { return b == mbRight ? ssRight : b == mbMiddle ? ssMiddle : ssLeft; }
  static TShiftState Buttons(const std::string& w) {
    TShiftState s;
    if (w == "none") return s;
    std::istringstream parts(w);
    std::string p;
    while (std::getline(parts, p, '+')) s.insert(HeldItem(Button(p)));
    return s;
  }
  static TShiftState Modifiers(const std::string& w) {
    TShiftState s;
    if (w == "none") return s;
    std::istringstream parts(w);
    std::string p;
    while (std::getline(parts, p, '+')) {
      if (p == "ctrl") s.insert(ssCtrl);
      else if (p == "shift") s.insert(ssShift);
      else if (p == "alt") s.insert(ssAlt);
      else ADD_FAILURE() << "unknown modifier " << p;
    }
    return s;
  }

  TControl& FTarget;
  TShiftState FModifiers;
  TShiftState FHeld;
};

// True when the control's window shows exactly the composed picture: all
// feedback drawn since the last Paint has been taken away again.
inline ::testing::AssertionResult WindowShowsComposedPicture(TGeoMap& m) {
  int differing = 0;
  TPoint first{-1, -1};
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x)
      if (m.Canvas()->Pixels(x, y) != m.AuxBmp()->Canvas()->Pixels(x, y) && differing++ == 0) first = TPoint{x, y};
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ, the first at " << first.X << "," << first.Y;
}

// Image 1000 x 1000 with lat = 50 - y / 100 and long = 10 + x / 100.
inline void EquiRectMap(TGeoMap& m) {
  TBitmap bmp;
  bmp.SetSize(1000, 1000);
  m.SetMapBitMap(&bmp);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(40.0, 10.0, 0, 1000);
  m.AddCalibPoint(40.0, 20.0, 1000, 1000);
}

}  // namespace orq::viewtest
