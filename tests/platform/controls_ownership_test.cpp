// Owner and parent are distinct: owners free, parents only show. Every
// destruction order must leave no dangling pointer and no leak (run under
// ASan to see both).
#include <gtest/gtest.h>

#include "orqplatform/Buttons.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/Forms.h"
#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

// The atlas's shape: one owner, children parented to it and to a panel.
struct Composite : TCustomControl {
  TPanel* panel;
  TSpeedButton* pointer;
  TSpeedButton* zoom;
  TComboBox* combo;
  TCustomControl* map;
  explicit Composite(TComponent* owner = nullptr) : TCustomControl(owner) {
    SetBounds(100, 50, 480, 320);
    panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetHeight(33);
    panel->SetAlign(alTop);
    pointer = new TSpeedButton(this);
    pointer->SetParent(panel);
    zoom = new TSpeedButton(this);
    zoom->SetParent(panel);
    combo = new TComboBox(this);
    combo->SetParent(panel);
    map = new TCustomControl(this);
    map->SetParent(this);
    map->SetAlign(alClient);
  }
};

TEST(ControlsOwnership, OwnerFreesChildrenWhateverTheirParents) {
  auto* c = new Composite();
  c->HandleNeeded();
  c->panel->Invalidate();
  EXPECT_EQ(c->ComponentCount(), 5);
  EXPECT_EQ(c->ControlCount(), 2);
  EXPECT_EQ(c->panel->ControlCount(), 3);
  delete c;  // ASan reports any leak or double free
}

TEST(ControlsOwnership, ExplicitFreesBeforeTheOwnerInAnyOrder) {
  // The panel first: its children lose their parent and stay owned.
  {
    Composite c;
    delete c.panel;
    EXPECT_EQ(c.pointer->Parent(), nullptr);
    EXPECT_EQ(c.ComponentCount(), 4);
    EXPECT_EQ(c.map->Top(), 0);  // the top area was given back
  }
  // Children first, then the panel, as a composite's destructor might.
  {
    Composite c;
    delete c.map;
    delete c.zoom;
    delete c.combo;
    delete c.panel;
    EXPECT_EQ(c.ComponentCount(), 1);
    EXPECT_EQ(c.ControlCount(), 0);
  }
}

TEST(ControlsOwnership, ParentDiesBeforeChildrenItDoesNotOwn) {
  TSpeedButton onStack;
  TComboBox* onHeap = new TComboBox();
  {
    TPanel panel;
    onStack.SetParent(&panel);
    onHeap->SetParent(&panel);
    panel.HandleNeeded();
    EXPECT_TRUE(onHeap->HandleAllocated());
  }
  EXPECT_EQ(onStack.Parent(), nullptr);
  EXPECT_EQ(onHeap->Parent(), nullptr);
  EXPECT_FALSE(onHeap->HandleAllocated());
  delete onHeap;
}

TEST(ControlsOwnership, OwnedControlParentedToASiblingThatIsFreedLater) {
  TComponent owner;
  auto* button = new TSpeedButton(&owner);  // freed before the panel (last in, first out)
  auto* panel = new TPanel(&owner);
  button->SetParent(panel);
  (void)panel;
  // Reversed: the parent is freed first and detaches the child.
  TComponent owner2;
  auto* panel2 = new TPanel(&owner2);
  auto* button2 = new TSpeedButton(&owner2);
  button2->SetParent(panel2);
  button2->SetDown(true);
  delete panel2;
  EXPECT_EQ(button2->Parent(), nullptr);
}

TEST(ControlsOwnership, ChildDestroyedWhilePendingPaintAndCapture) {
  TPanel panel;
  panel.SetBounds(0, 0, 50, 50);
  auto* b = new TSpeedButton();
  b->SetParent(&panel);
  panel.DispatchMouseDown(mbLeft, {ssLeft}, 2, 2);
  EXPECT_TRUE(b->MouseCapture());
  b->Invalidate();
  delete b;
  EXPECT_FALSE(panel.MouseCapture());
  panel.DispatchMouseMove({ssLeft}, 3, 3);
  panel.DispatchMouseUp(mbLeft, {}, 3, 3);
  Application->ProcessMessages();
  EXPECT_FALSE(panel.PaintPending());
}

}  // namespace
}  // namespace orq
