// Native stand-ins for windowless controls: a backend that has a widget for
// speed buttons gets one per button while the parent has a window, and is
// told of every change a tool button would show.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "orqplatform/Buttons.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/Forms.h"

using namespace orq;

namespace {

struct PeerLog {
  std::map<const TControl*, int> StyleChanges;
  std::map<const TControl*, int> Alive;
  int BoundsChanges = 0;
};

class RecordingGraphicPeer : public TControlPeer {
 public:
  RecordingGraphicPeer(PeerLog* log, const TControl* control) : Log(log), Control(control) { ++Log->Alive[Control]; }
  ~RecordingGraphicPeer() override { --Log->Alive[Control]; }
  void Changed(TPeerChange what) override {
    if (what == pcStyle) ++Log->StyleChanges[Control];
    if (what == pcBounds) ++Log->BoundsChanges;
  }
  void Invalidate(const TRect&) override {}
  void Update() override {}
  void SetMouseCapture(bool) override {}
  PeerLog* Log;
  const TControl* Control;
};

class ToolButtonBackend : public THostBackend {
 public:
  explicit ToolButtonBackend(PeerLog* log) : Log(log) {}
  std::unique_ptr<TControlPeer> CreatePeer(TWinControl*) override { return std::make_unique<TNullPeer>(); }
  std::unique_ptr<TControlPeer> CreateGraphicPeer(TGraphicControl* control) override {
    if (dynamic_cast<TSpeedButton*>(control) == nullptr) return nullptr;
    return std::make_unique<RecordingGraphicPeer>(Log, control);
  }
  PeerLog* Log;
};

class GraphicPeer : public ::testing::Test {
 protected:
  void SetUp() override { Application->SetHostBackend(std::make_unique<ToolButtonBackend>(&Log)); }
  void TearDown() override { Application->SetHostBackend(nullptr); }
  PeerLog Log;
};

}  // namespace

TEST_F(GraphicPeer, ButtonsGetStandInsWithTheirParentsWindowAndLoseThemWithIt) {
  TPanel panel;
  TSpeedButton before, after;
  before.SetParent(&panel);
  EXPECT_EQ(before.Peer(), nullptr);  // no window yet
  panel.HandleNeeded();
  ASSERT_NE(before.Peer(), nullptr);
  after.SetParent(&panel);  // joins a parent that has its window
  ASSERT_NE(after.Peer(), nullptr);
  EXPECT_EQ(Log.Alive[&before] + Log.Alive[&after], 2);

  after.SetParent(nullptr);
  EXPECT_EQ(after.Peer(), nullptr);
  EXPECT_EQ(Log.Alive[&after], 0);
  panel.DestroyHandle();
  EXPECT_EQ(before.Peer(), nullptr);
  EXPECT_EQ(Log.Alive[&before], 0);
}

TEST_F(GraphicPeer, EveryButtonOfAGroupHearsWhenTheDownOneChanges) {
  TPanel panel;
  TSpeedButton a, b;
  for (TSpeedButton* button : {&a, &b}) {
    button->SetParent(&panel);
    button->SetGroupIndex(7);
  }
  panel.HandleNeeded();
  a.SetDown(true);
  const int aBefore = Log.StyleChanges[&a], bBefore = Log.StyleChanges[&b];
  b.Click();  // b goes down, a comes up
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  EXPECT_GT(Log.StyleChanges[&a], aBefore);
  EXPECT_GT(Log.StyleChanges[&b], bBefore);

  // A disabled button keeps its disabled look while Down changes; the
  // stand-in must still hear of it.
  a.SetEnabled(false);
  const int aDisabled = Log.StyleChanges[&a];
  a.SetDown(true);
  EXPECT_TRUE(a.Down());
  EXPECT_GT(Log.StyleChanges[&a], aDisabled);

  const int bFlat = Log.StyleChanges[&b];
  b.SetFlat(true);
  EXPECT_GT(Log.StyleChanges[&b], bFlat);
  const int moves = Log.BoundsChanges;
  b.SetBounds(40, 2, 23, 22);
  EXPECT_GT(Log.BoundsChanges, moves);
}

TEST_F(GraphicPeer, WithoutAStandInButtonsStayDrawnOnTheirParent) {
  Application->SetHostBackend(nullptr);  // headless: no tool buttons
  TPanel panel;
  TSpeedButton button;
  button.SetParent(&panel);
  panel.HandleNeeded();
  EXPECT_EQ(button.Peer(), nullptr);
  button.SetFlat(true);  // no peer to tell: must not fail
  EXPECT_TRUE(button.Flat());
}
