// TApplication (event pump, host backend, pending paints) and TScreen
// (cursor table).
#include "orqplatform/Forms.h"

#include <algorithm>
#include <thread>

#include "orqplatform/Bitmap.h"

namespace orq {

// ---- Screen ----------------------------------------------------------------

namespace {

HCURSOR MakeStandardCursor(TCursor Index) {
  auto shape = std::make_shared<TCursorShape>();
  shape->Standard = Index;
  return shape;
}

// A pump of one step, guarded against running inside itself.
class TStepPump final : public TEventPump {
 public:
  explicit TStepPump(std::function<void()> Step) : FStep(std::move(Step)) {}
  void ProcessMessages() override {
    FQueue.ProcessMessages();
    if (FRunning) return;
    FRunning = true;
    try {
      FStep();
    } catch (...) {
      FRunning = false;
      throw;
    }
    FRunning = false;
  }
  void Post(std::function<void()> Event) override { FQueue.Post(std::move(Event)); }
  // The step cannot say when its window system has something, so the wait
  // is cut short enough that its events are not held up noticeably.
  void WaitForEvent(std::chrono::milliseconds Timeout) override {
    FQueue.WaitForEvent(std::min(Timeout, kStepWait));
  }

 private:
  static constexpr std::chrono::milliseconds kStepWait{10};
  std::function<void()> FStep;
  TScriptedPump FQueue;
  bool FRunning = false;
};

constexpr TCursor kLowestStandardCursor = crSizeAll;

bool IsStandardCursor(TCursor Index) { return Index <= crDefault && Index >= kLowestStandardCursor; }

}  // namespace

TScreen::TScreen() {
  for (TCursor c = crDefault; c >= kLowestStandardCursor; --c) FCursors[c] = MakeStandardCursor(c);
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  auto it = FCursors.find(Index);
  if (it == FCursors.end()) it = FCursors.find(crDefault);
  return it->second;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  if (Handle)
    FCursors[Index] = std::move(Handle);
  else if (IsStandardCursor(Index))
    FCursors[Index] = MakeStandardCursor(Index);
  else
    FCursors.erase(Index);
  Application->HostBackend()->CursorShapeChanged(Index);
}

void TScreen::SetSize(int AWidth, int AHeight) {
  FWidth = std::max(AWidth, 0);
  FHeight = std::max(AHeight, 0);
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Application->HostBackend()->ScreenCursorChanged(Value);
}

HCURSOR CreateCursor(const TBitmap& Image, TPoint HotSpot, TColor TransparentColor, const std::string& Name) {
  if (Image.Empty()) throw EInvalidOperation("A cursor needs a picture");
  auto shape = std::make_shared<TCursorShape>();
  shape->Name = Name;
  shape->Width = Image.Width();
  shape->Height = Image.Height();
  shape->HotSpot = Point(std::clamp(HotSpot.X, 0, shape->Width - 1), std::clamp(HotSpot.Y, 0, shape->Height - 1));
  shape->Pixels.reserve(static_cast<size_t>(shape->Width) * static_cast<size_t>(shape->Height));
  const TColor key = TransparentColor & 0xFFFFFF;
  for (int y = 0; y < shape->Height; ++y) {
    const uint32_t* row = Image.ScanLine(y);
    for (int x = 0; x < shape->Width; ++x) {
      const TColor c = row[x] & 0xFFFFFF;
      shape->Pixels.push_back(c == key ? 0u : (0xFF000000u | c));
    }
  }
  return shape;
}

// ---- Event pumps -----------------------------------------------------------

void TEventPump::WaitForEvent(std::chrono::milliseconds Timeout) {
  if (Timeout.count() > 0) std::this_thread::sleep_for(Timeout);
}

// ---- Scripted pump ---------------------------------------------------------

bool TScriptedPump::TakeEvent(std::function<void()>& Event) {
  std::lock_guard<std::mutex> lock(FLock);
  if (FQueue.empty()) return false;
  Event = std::move(FQueue.front());
  FQueue.pop_front();
  return true;
}

void TScriptedPump::ProcessMessages() {
  ++FRounds;
  std::function<void()> event;
  if (!TakeEvent(event)) {
    if (FOnIdle) FOnIdle();
    return;
  }
  // Pop before running (and unlocked), so that an event may post or run a
  // nested loop of its own.
  do {
    if (event) event();
  } while (TakeEvent(event));
}

void TScriptedPump::Post(std::function<void()> Event) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FQueue.push_back(std::move(Event));
  }
  FPosted.notify_all();
}

void TScriptedPump::WaitForEvent(std::chrono::milliseconds Timeout) {
  std::unique_lock<std::mutex> lock(FLock);
  FPosted.wait_for(lock, Timeout, [this] { return !FQueue.empty(); });
}

size_t TScriptedPump::PendingCount() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FQueue.size();
}

void TScriptedPump::Clear() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard<std::mutex> lock(FLock);
    dropped.swap(FQueue);
  }
  // The events are destroyed unlocked: what they hold may post again.
}

// ---- Application -----------------------------------------------------------

TApplication::TApplication()
    : FPump(std::make_unique<TScriptedPump>()), FBackend(std::make_unique<THeadlessBackend>()) {}

TApplication::~TApplication() = default;

void TApplication::ProcessMessages() {
  FPump->ProcessMessages();
  UpdatePending();
}

void TApplication::WaitForMessages(std::chrono::milliseconds Timeout) {
  if (!FPendingPaint.empty()) return;
  FPump->WaitForEvent(Timeout);
}

void TApplication::SetEventPump(std::unique_ptr<TEventPump> Pump) {
  FPump = Pump ? std::move(Pump) : std::make_unique<TScriptedPump>();
}

void TApplication::SetMessagePump(std::function<void()> Step) {
  if (Step)
    FPump = std::make_unique<TStepPump>(std::move(Step));
  else
    FPump = std::make_unique<TScriptedPump>();
}

void TApplication::SetHostBackend(std::unique_ptr<THostBackend> Backend) {
  FBackend = Backend ? std::move(Backend) : std::make_unique<THeadlessBackend>();
}

void TApplication::UpdatePending() {
  // Painting may invalidate or destroy other controls; take one at a time.
  while (!FPendingPaint.empty()) {
    TControl* c = FPendingPaint.front();
    c->Update();
    if (!FPendingPaint.empty() && FPendingPaint.front() == c) PaintDone(c);
  }
}

void TApplication::PaintRequested(TControl* Control) {
  if (std::find(FPendingPaint.begin(), FPendingPaint.end(), Control) == FPendingPaint.end())
    FPendingPaint.push_back(Control);
}

void TApplication::PaintDone(TControl* Control) {
  auto it = std::find(FPendingPaint.begin(), FPendingPaint.end(), Control);
  if (it != FPendingPaint.end()) FPendingPaint.erase(it);
  Control->FPaintPending = false;
}

void TApplication::ControlDestroyed(TControl* Control) {
  auto it = std::find(FPendingPaint.begin(), FPendingPaint.end(), Control);
  if (it != FPendingPaint.end()) FPendingPaint.erase(it);
}

// Made on first use and deliberately never destroyed (see Forms.h).
TApplication* TApplicationRef::Get() {
  static TApplication* const app = new TApplication();
  return app;
}

TScreen* TScreenRef::Get() {
  static TScreen* const screen = new TScreen();
  return screen;
}

}  // namespace orq
