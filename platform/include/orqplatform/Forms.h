// The screen (its cursor table and current cursor) and the application
// object with its message processing.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Controls.h"

namespace orq {

// A cursor: an image with its hot spot. Handles are small positive numbers;
// 0 is no cursor. The predefined shapes (crArrow .. crSizeAll) have handles
// without an image, which a host maps to its own cursors.
using HCURSOR = int;

struct TCursorShape {
  std::string Name;
  TCursor Standard = crDefault;  // the predefined shape, or crDefault for an image cursor
  std::vector<uint32_t> Pixels;  // Width x Height, 0x00BBGGRR; clNone marks transparent pixels
  int Width = 0, Height = 0;
  TPoint HotSpot;
};

// Registers an image cursor; transparent pixels are those equal to
// TransparentColor.
HCURSOR CreateCursor(const TBitmap& Image, TPoint HotSpot, TColor TransparentColor = clWhite,
                     const std::string& Name = "");
// The shape of a handle; nullptr for 0 or an unknown handle.
const TCursorShape* CursorShape(HCURSOR Cursor);

class TScreen : public TComponent {
 public:
  TScreen();
  std::string ClassName() const override { return "TScreen"; }

  // The table indexed by TCursor: the predefined numbers crDefault ..
  // crSizeAll and any others an application adds (custom cursors by
  // number). Unknown numbers give the crDefault entry.
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Handle);

  // The cursor forced on the whole screen (crDefault: each control's own).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  void SetOnCursorChange(TNotifyEvent Handler) { FOnCursorChange = std::move(Handler); }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int AWidth, int AHeight) { FWidth = AWidth, FHeight = AHeight; }

 private:
  std::map<TCursor, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
  TNotifyEvent FOnCursorChange;
  int FWidth = 1920, FHeight = 1080;
};

// Processes pending window-system messages. Headless the pump does nothing;
// a host installs its event loop step, a test a scripted one.
using TMessagePump = std::function<void()>;

class TApplication : public TComponent {
 public:
  TApplication();
  std::string ClassName() const override { return "TApplication"; }

  void ProcessMessages();
  void SetMessagePump(TMessagePump Pump) { FPump = std::move(Pump); }
  const TMessagePump& MessagePump() const { return FPump; }
  bool Terminated() const { return FTerminated; }
  void Terminate() { FTerminated = true; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

 private:
  TMessagePump FPump;
  bool FTerminated = false;
  bool FInPump = false;
  std::string FTitle;
};

// The process-wide objects, created on first use.
extern TScreen* const& Screen;
extern TApplication* const& Application;

}  // namespace orq
