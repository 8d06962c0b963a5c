// The application and the screen: the event pump behind
// Application->ProcessMessages, the host backend that gives controls their
// windows, and the screen's cursor table.
//
// Application and Screen are process-wide objects made on first use and
// never destroyed, so that controls living in static storage can still
// reach them while they are destroyed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "orqplatform/ControlPeer.h"
#include "orqplatform/Controls.h"

namespace orq {

class TBitmap;

// ---- Cursors ---------------------------------------------------------------

// A cursor's picture. A standard cursor has no pixels: Standard says which
// of the crXxx shapes the host should show. An image cursor carries its
// pixels as TColor with an opacity byte on top (0xAABBGGRR; 0 transparent,
// 255 opaque) and its hot spot, the pixel that points.
struct TCursorShape {
  std::string Name;
  TCursor Standard = crDefault;
  int Width = 0;
  int Height = 0;
  TPoint HotSpot;
  std::vector<uint32_t> Pixels;
};
using HCURSOR = std::shared_ptr<const TCursorShape>;

// An image cursor from a picture: pixels of TransparentColor become
// transparent, all others opaque. The hot spot is clamped into the picture.
// Raises EInvalidOperation for an empty picture.
HCURSOR CreateCursor(const TBitmap& Image, TPoint HotSpot, TColor TransparentColor = 0xFFFFFF,
                     const std::string& Name = "");
// The shape behind a handle; nullptr for none.
inline const TCursorShape* CursorShape(const HCURSOR& Cursor) { return Cursor.get(); }

class TScreen {
 public:
  TScreen();
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  // The cursor table: the standard cursors under their negative numbers,
  // application cursors under any other number. An unknown number gives
  // the crDefault entry, as the platform does.
  HCURSOR Cursors(TCursor Index) const;
  // Installs (or replaces) a cursor; nullptr removes an application cursor
  // and puts a standard one back to its standard shape.
  void SetCursors(TCursor Index, HCURSOR Handle);
  bool HasCursor(TCursor Index) const { return FCursors.count(Index) != 0; }

  // A cursor shown over every control (an hourglass during a long job);
  // crDefault lets each control show its own again.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);

  // The desktop's size in pixels; a host sets the real one.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int AWidth, int AHeight);

 private:
  std::map<TCursor, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
  int FWidth = 1920;
  int FHeight = 1080;
};

// ---- Event pump ------------------------------------------------------------

// What Application->ProcessMessages runs. The headless default is a
// TScriptedPump; a host plugs in one that handles its window system's events.
class TEventPump {
 public:
  virtual ~TEventPump() = default;
  // Handles the events that are pending, then returns; never waits.
  virtual void ProcessMessages() = 0;
  // Queues Event to run on this thread during a later ProcessMessages.
  virtual void Post(std::function<void()> Event) = 0;
  // Blocks until an event may be pending or Timeout has passed, running
  // nothing; a modal loop calls it between rounds so that it does not spin.
  // This default cannot tell when events arrive and sleeps the timeout out.
  virtual void WaitForEvent(std::chrono::milliseconds Timeout);
};

// A queue of events a program (or a test) posts. ProcessMessages runs them
// in order until the queue is empty, also the ones they post themselves,
// and it may be called again from inside an event (a modal loop). An event
// that throws is used up; the exception leaves ProcessMessages and the rest
// stays queued. When ProcessMessages finds nothing to do it calls OnIdle,
// which lets a test end a modal loop that would otherwise wait forever.
// Post may be called from any thread (a test's helper thread playing the
// user); the events still run on the thread that calls ProcessMessages,
// and WaitForEvent wakes as soon as one is posted.
class TScriptedPump final : public TEventPump {
 public:
  void ProcessMessages() override;
  void Post(std::function<void()> Event) override;
  void WaitForEvent(std::chrono::milliseconds Timeout) override;

  size_t PendingCount() const;
  void Clear();
  // ProcessMessages calls so far.
  long Rounds() const { return FRounds; }
  void SetOnIdle(std::function<void()> Handler) { FOnIdle = std::move(Handler); }

 private:
  // Pops the oldest event; false when there is none.
  bool TakeEvent(std::function<void()>& Event);

  mutable std::mutex FLock;  // guards FQueue
  std::condition_variable FPosted;
  std::deque<std::function<void()>> FQueue;
  std::function<void()> FOnIdle;
  long FRounds = 0;
};

// ---- Application -----------------------------------------------------------

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Lets the pump handle pending events, then paints the controls that
  // were invalidated (as a window system's paint messages would).
  void ProcessMessages();
  // Waits (at most Timeout) until the pump may have events to handle;
  // returns at once when paints are pending. Handles nothing itself: a
  // modal loop alternates it with ProcessMessages.
  void WaitForMessages(std::chrono::milliseconds Timeout);

  TEventPump* EventPump() const { return FPump.get(); }
  // nullptr puts back a fresh headless TScriptedPump.
  void SetEventPump(std::unique_ptr<TEventPump> Pump);
  // A pump made of one step that ProcessMessages runs after the posted
  // events. A step that calls ProcessMessages itself does not run again
  // inside (posted events still do). nullptr: the headless default.
  void SetMessagePump(std::function<void()> Step);

  THostBackend* HostBackend() const { return FBackend.get(); }
  // nullptr puts back the headless backend. Controls that already have a
  // window keep it; new windows come from the new backend.
  void SetHostBackend(std::unique_ptr<THostBackend> Backend);

  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

  // Paints every control marked by Invalidate.
  void UpdatePending();
  size_t PendingPaintCount() const { return FPendingPaint.size(); }

  // Bookkeeping of the controls (not for applications).
  void PaintRequested(TControl* Control);
  void PaintDone(TControl* Control);
  void ControlDestroyed(TControl* Control);

 private:
  std::unique_ptr<TEventPump> FPump;
  std::unique_ptr<THostBackend> FBackend;
  std::vector<TControl*> FPendingPaint;
  bool FTerminated = false;
  std::string FTitle;
};

// `Application->ProcessMessages()`, `Screen->Cursors(crHandPoint)`: handles
// to the process-wide objects, usable at any time, also during static
// initialisation and destruction.
struct TApplicationRef {
  static TApplication* Get();
  TApplication* operator->() const { return Get(); }
  TApplication& operator*() const { return *Get(); }
  operator TApplication*() const { return Get(); }
};
struct TScreenRef {
  static TScreen* Get();
  TScreen* operator->() const { return Get(); }
  TScreen& operator*() const { return *Get(); }
  operator TScreen*() const { return Get(); }
};
inline constexpr TApplicationRef Application{};
inline constexpr TScreenRef Screen{};

}  // namespace orq
