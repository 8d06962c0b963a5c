// MouseBox: the modal rectangle request, answered by events posted to the
// scripted pump, and what its wait costs.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "../geomap/geomap_test_support.h"
#include "gesture_script.h"
#include "orqplatform/Forms.h"

namespace orq {
namespace {

using viewtest::TGestureScript;
using viewtest::WindowShowsComposedPicture;

class MouseBox : public ::testing::Test {
 protected:
  void SetUp() override {
    auto p = std::make_unique<TScriptedPump>();
    pump = p.get();
    Application->SetEventPump(std::move(p));
    GiveImage(m, 1000, 1000);
    m.Paint();
  }
  void TearDown() override { Application->SetEventPump(nullptr); }

  bool Ask() { return m.MouseBox(xLo, yLo, xHi, yHi); }

  TScriptedPump* pump = nullptr;
  TCountingMap m;
  TGestureScript g{m};
  int xLo = -7, yLo = -7, xHi = -7, yHi = -7;
};

TEST_F(MouseBox, ADragGivesTheCornersInOrderAndSuspendsTheMouseAction) {
  m.SetTopLeft(TPoint{20, 30});
  TMouseActMode during = maPan;
  g.Post(*pump, "down left 300 200\n move left 200 150");
  pump->Post([&] {
    during = m.MouseAction();
    EXPECT_FALSE(WindowShowsComposedPicture(m));  // the box is shown
  });
  g.Post(*pump, "move left 100 50\n up left 100 50");
  EXPECT_TRUE(Ask());
  EXPECT_EQ(xLo, 100);
  EXPECT_EQ(yLo, 50);
  EXPECT_EQ(xHi, 300);
  EXPECT_EQ(yHi, 200);
  EXPECT_EQ(during, maNone);
  EXPECT_EQ(m.MouseAction(), maPan);
  EXPECT_EQ(m.TopLeft(), (TPoint{20, 30}));  // no pan while the box ran
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(MouseBox, TheBoxIsClampedIntoTheControlWhileDragged) {
  TPoint seen{0, 0};
  m.SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { seen = TPoint{x, y}; });
  g.Post(*pump, "down left 50 60\n move left -30 900");
  pump->Post([&] { EXPECT_EQ(seen, (TPoint{1, 400})); });
  g.Post(*pump, "move left 70 80\n up left 70 80");
  EXPECT_TRUE(Ask());
  EXPECT_EQ(xLo, 50);
  EXPECT_EQ(yHi, 80);
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(MouseBox, TheRightButtonAbandonsItLeavingTheParametersAlone) {
  m.SetMouseAction(maZoomWind);
  g.Post(*pump, "down right 10 10\n up right 10 10");
  EXPECT_FALSE(Ask());
  EXPECT_EQ(xLo, -7);
  EXPECT_EQ(yHi, -7);
  EXPECT_EQ(m.MouseAction(), maZoomWind);

  // Also in the middle of the drag, erasing what was drawn.
  g.Post(*pump, "down left 10 10\n move left 90 90\n up right 90 90");
  EXPECT_FALSE(Ask());
  EXPECT_EQ(xLo, -7);
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(MouseBox, MouseBoxAbortEndsTheWaitAndRepaintsKeepBeingHandled) {
  pump->Post([&] { m.Invalidate(); });
  pump->Post([&] { pump->Post([&] { m.MouseBoxAbort(); }); });
  m.Paints = 0;
  EXPECT_FALSE(Ask());
  EXPECT_EQ(m.Paints, 1);
  EXPECT_EQ(xLo, -7);
  EXPECT_EQ(m.MouseAction(), maPan);
}

TEST_F(MouseBox, AnEventThatThrowsLeavesTheControlAsBefore) {
  m.SetMouseAction(maSelectRect);
  pump->Post([] { throw Exception("host failure"); });
  EXPECT_THROW(Ask(), Exception);
  EXPECT_EQ(m.MouseAction(), maSelectRect);
  int selections = 0;
  m.SetOnSelectRect([&](TObject*, int, double, double, double, double) { ++selections; });
  g.Run("down left 10 10\n move left 20 20\n up left 20 20");  // the mode works again
  EXPECT_EQ(selections, 1);
  EXPECT_TRUE(WindowShowsComposedPicture(m));  // and no box feedback was drawn
}

// A box left waiting sleeps instead of spinning: 2 s of waiting must cost
// well under a tenth of that in processor time.
TEST_F(MouseBox, AWaitingBoxUsesNextToNoProcessorTime) {
  auto cpu = [] {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
  };
  std::thread user([this] {
    std::this_thread::sleep_for(std::chrono::seconds(2));
    pump->Post([this] { m.MouseBoxAbort(); });
  });
  const auto wall0 = std::chrono::steady_clock::now();
  const double cpu0 = cpu();
  const bool got = Ask();
  const double used = cpu() - cpu0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  user.join();
  EXPECT_FALSE(got);
  EXPECT_GE(wall, 1.9);
  EXPECT_LT(used, 0.2) << "processor seconds while waiting " << wall << " s";
  RecordProperty("MouseBoxCpuSeconds", std::to_string(used));
  std::printf("MouseBox waited %.3f s using %.4f s of processor time\n", wall, used);
}

}  // namespace
}  // namespace orq
