// Application and screen: the scripted event pump (also under a nested
// modal loop), painting of invalidated controls, host peers, cursors and
// the clipboard.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Clipboard.h"
#include "orqplatform/Forms.h"
#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

// Installs a fresh scripted pump for one test and puts the default back.
struct ScriptedPumpScope {
  TScriptedPump* pump;
  ScriptedPumpScope() {
    auto p = std::make_unique<TScriptedPump>();
    pump = p.get();
    Application->SetEventPump(std::move(p));
  }
  ~ScriptedPumpScope() { Application->SetEventPump(nullptr); }
};

// A control that counts its paints and can wait modally like a mouse box.
class Probe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  enum { Idle, Armed, Dragging, Done } state = Idle;
  void Paint() override { ++paints; }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    if (state == Armed) state = b == mbRight ? Idle : Dragging;
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseUp(b, s, x, y);
    if (state == Dragging) state = Done;
  }
  bool WaitForBox() {
    state = Armed;
    while (state != Done && state != Idle) Application->ProcessMessages();
    const bool ok = state == Done;
    state = Idle;
    return ok;
  }
};

TEST(EventPump, DrainsInOrderIncludingEventsPostedMeanwhile) {
  ScriptedPumpScope scope;
  std::vector<int> order;
  scope.pump->Post([&] {
    order.push_back(1);
    scope.pump->Post([&] { order.push_back(3); });
  });
  Application->EventPump()->Post([&] { order.push_back(2); });
  EXPECT_EQ(scope.pump->PendingCount(), 2u);
  Application->ProcessMessages();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(scope.pump->PendingCount(), 0u);
  Application->ProcessMessages();  // nothing to do is fine
  EXPECT_EQ(scope.pump->Rounds(), 2);
}

TEST(EventPump, AThrowingEventLeavesTheRestQueued) {
  ScriptedPumpScope scope;
  int ran = 0;
  scope.pump->Post([] { throw Exception("boom"); });
  scope.pump->Post([&] { ++ran; });
  EXPECT_THROW(Application->ProcessMessages(), Exception);
  EXPECT_EQ(ran, 0);
  Application->ProcessMessages();
  EXPECT_EQ(ran, 1);
}

TEST(EventPump, NestedModalLoopIsDrivenByScriptedMouseEvents) {
  ScriptedPumpScope scope;
  Probe box;
  box.SetBounds(0, 0, 100, 100);
  std::vector<std::string> seen;
  box.SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { seen.push_back(std::to_string(x)); });
  scope.pump->Post([&] { box.DispatchMouseDown(mbLeft, {ssLeft}, 10, 10); });
  scope.pump->Post([&] { box.DispatchMouseMove({ssLeft}, 20, 20); });
  scope.pump->Post([&] { box.DispatchMouseUp(mbLeft, {}, 30, 30); });
  scope.pump->Post([&] { seen.push_back("after"); });
  EXPECT_TRUE(box.WaitForBox());
  EXPECT_EQ(seen, (std::vector<std::string>{"20", "after"}));  // the loop drains the round

  // A right press abandons the box.
  scope.pump->Post([&] { box.DispatchMouseDown(mbRight, {ssRight}, 10, 10); });
  EXPECT_FALSE(box.WaitForBox());

  // Nothing ever comes: the idle hook ends the wait instead of hanging.
  int idles = 0;
  scope.pump->SetOnIdle([&] {
    if (++idles == 3) box.state = Probe::Idle;
  });
  EXPECT_FALSE(box.WaitForBox());
  EXPECT_EQ(idles, 3);
}

TEST(EventPump, ALoopStartedFromAnEventKeepsDrainingTheSameQueue) {
  ScriptedPumpScope scope;
  Probe box;
  box.SetBounds(0, 0, 10, 10);
  bool result = false;
  scope.pump->Post([&] { result = box.WaitForBox(); });
  scope.pump->Post([&] { box.DispatchMouseDown(mbLeft, {ssLeft}, 1, 1); });
  scope.pump->Post([&] { box.DispatchMouseUp(mbLeft, {}, 2, 2); });
  Application->ProcessMessages();
  EXPECT_TRUE(result);
}

TEST(EventPump, WaitForEventWakesOnAPostFromAnotherThreadAndOtherwiseTimesOut) {
  using namespace std::chrono;
  ScriptedPumpScope scope;
  auto t0 = steady_clock::now();
  Application->WaitForMessages(milliseconds(60));
  EXPECT_GE(steady_clock::now() - t0, milliseconds(55));

  bool ran = false;
  std::thread poster([&] {
    std::this_thread::sleep_for(milliseconds(50));
    scope.pump->Post([&] { ran = true; });
  });
  t0 = steady_clock::now();
  Application->WaitForMessages(seconds(20));
  const auto waited = steady_clock::now() - t0;
  poster.join();
  EXPECT_LT(waited, seconds(10));
  EXPECT_FALSE(ran);  // waiting runs nothing
  EXPECT_EQ(scope.pump->PendingCount(), 1u);
  Application->ProcessMessages();
  EXPECT_TRUE(ran);

  // Something already queued: no wait at all.
  scope.pump->Post([] {});
  t0 = steady_clock::now();
  Application->WaitForMessages(seconds(20));
  EXPECT_LT(steady_clock::now() - t0, seconds(10));
  scope.pump->Clear();
}

TEST(Painting, InvalidateMarksAndProcessMessagesPaintsOnce) {
  ScriptedPumpScope scope;
  Probe c;
  c.SetBounds(0, 0, 10, 10);  // a resize invalidates
  Application->ProcessMessages();
  EXPECT_EQ(c.paints, 1);
  c.Invalidate();
  c.Invalidate();
  EXPECT_TRUE(c.PaintPending());
  EXPECT_EQ(c.paints, 1);
  Application->ProcessMessages();
  EXPECT_EQ(c.paints, 2);
  EXPECT_FALSE(c.PaintPending());
  c.Update();  // nothing pending: no paint
  EXPECT_EQ(c.paints, 2);
  c.Repaint();
  EXPECT_EQ(c.paints, 3);
  {
    Probe gone;
    gone.Invalidate();
    EXPECT_GE(Application->PendingPaintCount(), 1u);
  }
  Application->ProcessMessages();  // the destroyed control was forgotten
  EXPECT_EQ(Application->PendingPaintCount(), 0u);
}

TEST(Painting, ErasesWithTheColourUnlessOpaque) {
  Probe c;
  c.SetBounds(0, 0, 4, 4);
  c.SetColor(clRed);
  c.Repaint();
  EXPECT_EQ(c.Canvas()->Pixels(3, 3), clRed);
  c.Canvas()->SetPixels(3, 3, clBlue);
  c.SetControlStyle(c.ControlStyle() + TControlStyle{csOpaque});
  c.Repaint();
  EXPECT_EQ(c.Canvas()->Pixels(3, 3), clBlue);
}

// A backend that records what the controls tell their peers.
struct Journal {
  std::vector<std::string> lines;
};
class RecordingPeer : public TControlPeer {
 public:
  RecordingPeer(TWinControl* c, Journal* j) : control(c), journal(j) {}
  void Changed(TPeerChange what) override { journal->lines.push_back(control->Name() + " changed " + std::to_string(what)); }
  void Invalidate(const TRect&) override { journal->lines.push_back(control->Name() + " invalidate"); }
  void Update() override {}
  void SetMouseCapture(bool on) override { journal->lines.push_back(control->Name() + (on ? " capture" : " release")); }
  TWinControl* control;
  Journal* journal;
};
class RecordingBackend : public THostBackend {
 public:
  explicit RecordingBackend(Journal* j) : journal(j) {}
  std::unique_ptr<TControlPeer> CreatePeer(TWinControl* c) override {
    journal->lines.push_back("create " + c->Name() + (c->Parent() ? " in " + c->Parent()->Name() : ""));
    return std::make_unique<RecordingPeer>(c, journal);
  }
  void ClipboardChanged() override { journal->lines.push_back("clipboard"); }
  Journal* journal;
};
struct BackendScope {
  Journal journal;
  BackendScope() { Application->SetHostBackend(std::make_unique<RecordingBackend>(&journal)); }
  ~BackendScope() { Application->SetHostBackend(nullptr); }
};

class WindowProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int created = 0;
  void CreateWnd() override {
    TCustomControl::CreateWnd();
    ++created;
  }
};

TEST(HostPeers, WindowsAreMadeParentFirstAndToldOfChanges) {
  BackendScope backend;
  WindowProbe top;
  top.SetName("top");
  TComboBox combo(&top);
  combo.SetName("combo");
  combo.SetParent(&top);
  EXPECT_FALSE(combo.HandleAllocated());
  combo.HandleNeeded();  // needs the parent's window first
  EXPECT_TRUE(top.HandleAllocated());
  EXPECT_EQ(top.created, 1);
  EXPECT_EQ(backend.journal.lines, (std::vector<std::string>{"create top", "create combo in top"}));
  top.HandleNeeded();
  EXPECT_EQ(top.created, 1);

  backend.journal.lines.clear();
  combo.Items()->Add("x");
  combo.SetItemIndex(0);
  combo.SetCursor(crHandPoint);
  top.DispatchMouseDown(mbLeft, {ssLeft}, 1, 1);
  top.DispatchMouseUp(mbLeft, {}, 1, 1);
  EXPECT_EQ(backend.journal.lines,
            (std::vector<std::string>{"combo changed " + std::to_string(pcItems), "combo invalidate",
                                      "combo changed " + std::to_string(pcItemIndex), "combo invalidate",
                                      "combo changed " + std::to_string(pcCursor), "top capture", "top release"}));

  // A child placed into a parent that has its window gets one at once;
  // leaving the parent takes it away.
  TComboBox late;
  late.SetName("late");
  late.SetParent(&top);
  EXPECT_TRUE(late.HandleAllocated());
  late.SetParent(nullptr);
  EXPECT_FALSE(late.HandleAllocated());

  Clipboard()->SetAsText("hello");
  EXPECT_EQ(backend.journal.lines.back(), "clipboard");
}

TEST(ScreenCursors, HotSpotClampedAndStandardEntriesRestored) {
  TBitmap picture;
  picture.SetSize(3, 2);
  picture.Canvas()->Brush.Color = clWhite;
  picture.Canvas()->FillRect(Rect(0, 0, 3, 2));
  picture.Canvas()->SetPixels(1, 0, clRed);
  HCURSOR zoom = CreateCursor(picture, Point(5, -1), clWhite, "zoom");
  EXPECT_EQ(zoom->HotSpot, Point(2, 0));  // clamped into the picture
  EXPECT_EQ(zoom->Pixels, (std::vector<uint32_t>{0, 0xFF0000FFu, 0, 0, 0, 0}));
  TBitmap empty;
  EXPECT_THROW(CreateCursor(empty, Point(0, 0)), EInvalidOperation);

  Screen->SetCursors(crHandPoint, zoom);  // a standard entry can be replaced ...
  EXPECT_EQ(Screen->Cursors(crHandPoint), zoom);
  Screen->SetCursors(crHandPoint, nullptr);  // ... and put back
  EXPECT_EQ(Screen->Cursors(crHandPoint)->Standard, crHandPoint);
  Screen->SetCursors(1000, zoom);
  Screen->SetCursors(1000, nullptr);
  EXPECT_FALSE(Screen->HasCursor(1000));
}

TEST(ClipboardContents, GetAsBitmapAndWhatCannotGoOnIt) {
  TBitmap picture;
  picture.SetSize(3, 2);
  picture.Canvas()->SetPixels(2, 1, clRed);
  int changes = 0;
  Clipboard()->SetOnChange([&](TObject*) { ++changes; });
  Clipboard()->Assign(&picture);
  TBitmap back;
  EXPECT_TRUE(Clipboard()->GetAsBitmap(&back));
  EXPECT_EQ(back.Canvas()->Pixels(2, 1), clRed);

  Clipboard()->SetAsText("text");
  TBitmap untouched;
  untouched.SetSize(1, 1);
  EXPECT_FALSE(Clipboard()->GetAsBitmap(&untouched));
  EXPECT_EQ(untouched.Width(), 1);
  TComboBox notAPicture;
  EXPECT_THROW(Clipboard()->Assign(&notAPicture), EConvertError);
  EXPECT_EQ(Clipboard()->AsText(), "text");  // a failed Assign changes nothing
  Clipboard()->Clear();
  EXPECT_EQ(Clipboard()->AsText(), "");
  EXPECT_EQ(changes, 3);
  Clipboard()->SetOnChange(nullptr);
}

}  // namespace
}  // namespace orq
