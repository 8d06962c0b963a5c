// Panel, combo box, speed buttons, screen cursors, clipboard and the
// message pump.
#include <gtest/gtest.h>

#include "orqplatform/Buttons.h"
#include "orqplatform/Clipboard.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/Forms.h"
#include "orqplatform/Menus.h"
#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

TEST(ControlsWidgets, PopupMenuReferenceEndsWithTheMenu) {
  TPanel panel;
  EXPECT_EQ(panel.PopupMenu(), nullptr);
  EXPECT_EQ(panel.DragMode(), dmManual);
  EXPECT_EQ(panel.DragCursor(), crDrag);
  {
    TPopupMenu menu;
    panel.SetPopupMenu(&menu);
    EXPECT_EQ(panel.PopupMenu(), &menu);
  }
  EXPECT_EQ(panel.PopupMenu(), nullptr);  // destroyed: no dangling pointer
}

TEST(ControlsWidgets, PanelPaintsColourBevelAndCaption) {
  TPanel p;
  p.SetBounds(0, 0, 80, 30);
  p.SetColor(clSilver);
  p.SetCaption("Map");
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(p.Canvas()->Pixels(79, 29), clGray);
  EXPECT_EQ(p.Canvas()->Pixels(1, 1), clSilver);
  int ink = 0;
  for (int x = 20; x < 60; ++x)
    for (int y = 5; y < 25; ++y) ink += p.Canvas()->Pixels(x, y) != clSilver;
  EXPECT_GT(ink, 10);
}

TEST(ControlsWidgets, ComboBoxSelectionAndChange) {
  TComboBox cb;
  cb.SetStyle(csDropDownList);
  int changes = 0;
  cb.SetOnChange([&](TObject*) { ++changes; });
  for (const char* s : {"World", "Europe", "Alps"}) cb.AddItem(s);
  EXPECT_EQ(cb.ItemIndex(), -1);
  EXPECT_EQ(cb.Text(), "");
  cb.SetItemIndex(1);  // programmatic: no OnChange
  EXPECT_EQ(cb.Text(), "Europe");
  cb.SetItemIndex(7);  // out of range: ignored
  EXPECT_EQ(cb.ItemIndex(), 1);
  cb.SelectItem(2);
  cb.SelectItem(2);  // the same entry again: no change
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(cb.Text(), "Alps");
  cb.SetText("Nowhere");  // not an item: a list keeps its selection
  EXPECT_EQ(cb.ItemIndex(), 2);
  cb.SetText("World");
  EXPECT_EQ(cb.ItemIndex(), 0);
  cb.Items()->Delete(2);
  cb.Items()->Delete(1);
  EXPECT_EQ(cb.ItemIndex(), 0);
  cb.Clear();
  EXPECT_EQ(cb.ItemIndex(), -1);
}

TEST(ControlsWidgets, SpeedButtonGroupsAreExclusive) {
  TWinControl bar;
  TSpeedButton zoom(&bar), pointer(&bar), other(&bar);
  for (TSpeedButton* b : {&zoom, &pointer, &other}) b->SetParent(&bar);
  zoom.SetGroupIndex(1);
  pointer.SetGroupIndex(1);
  other.SetGroupIndex(2);
  int clicks = 0;
  pointer.SetOnClick([&](TObject*) { ++clicks; });
  zoom.SetDown(true);
  other.SetDown(true);
  pointer.Click();
  EXPECT_TRUE(pointer.Down());
  EXPECT_FALSE(zoom.Down());
  EXPECT_TRUE(other.Down());  // another group
  EXPECT_EQ(clicks, 1);
  pointer.Click();  // without AllowAllUp a down button stays down
  EXPECT_TRUE(pointer.Down());
  pointer.SetDown(false);
  EXPECT_TRUE(pointer.Down());
  pointer.SetAllowAllUp(true);
  pointer.Click();
  EXPECT_FALSE(pointer.Down());
  TSpeedButton single;
  single.SetDown(true);  // GroupIndex 0 never stays down
  EXPECT_FALSE(single.Down());
}

TEST(ControlsWidgets, SpeedButtonShowsTheGlyphForItsState) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(8, 4);  // two 4x4 images; bottom-left pixel white = transparent
  glyph.Canvas()->Brush.Color = clWhite;
  glyph.Canvas()->FillRect(TRect{0, 0, 8, 4});
  glyph.Canvas()->SetPixels(1, 1, clRed);
  glyph.Canvas()->SetPixels(5, 1, clBlue);
  TSpeedButton b;
  b.SetBounds(0, 0, 10, 10);
  b.SetFlat(true);
  b.SetColor(clSilver);
  b.SetGlyph(&glyph);
  b.SetNumGlyphs(2);
  b.Repaint();
  EXPECT_EQ(b.Canvas()->Pixels(3 + 1, 3 + 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(3, 3), clSilver);  // transparent
  b.SetEnabled(false);
  b.Repaint();
  EXPECT_EQ(b.Canvas()->Pixels(3 + 1, 3 + 1), clBlue);
  EXPECT_EQ(b.Glyph()->Width(), 8);
}

TEST(ControlsWidgets, ScreenCursorTable) {
  EXPECT_EQ(crHandPoint, -21);
  const HCURSOR hand = Screen->Cursors(crHandPoint);
  ASSERT_NE(CursorShape(hand), nullptr);
  EXPECT_EQ(CursorShape(hand)->Standard, crHandPoint);
  EXPECT_EQ(Screen->Cursors(4711), Screen->Cursors(crDefault));
  TBitmap img;
  img.SetPixelFormat(pf24bit);
  img.SetSize(3, 3);
  img.Canvas()->SetPixels(1, 1, clBlack);
  const HCURSOR mine = CreateCursor(img, TPoint{1, 1}, clWhite, "zoom");
  Screen->SetCursors(5, mine);
  EXPECT_EQ(Screen->Cursors(5), mine);
  const TCursorShape* shape = CursorShape(mine);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Pixels[4], 0xFF000000u | clBlack);  // opaque
  EXPECT_EQ(shape->Pixels[0], 0u);                     // transparent
  Screen->SetCursors(5, 0);
  EXPECT_EQ(Screen->Cursors(5), Screen->Cursors(crDefault));
  EXPECT_EQ(CursorShape(0), nullptr);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  Screen->SetCursor(crDefault);
}

TEST(ControlsWidgets, ClipboardHoldsACopyOfABitmap) {
  TBitmap a, b;
  a.SetPixelFormat(pf24bit);
  a.SetSize(3, 2);
  a.Canvas()->SetPixels(2, 1, clRed);
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_THROW(b.Assign(Clipboard()), EConvertError);
  Clipboard()->Assign(&a);
  a.Canvas()->SetPixels(2, 1, clBlue);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  b.Assign(Clipboard());
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
  Clipboard()->SetAsText("x");
  EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  Clipboard()->Clear();
}

TEST(ControlsWidgets, ProcessMessagesRunsTheScriptedPumpWithoutNesting) {
  Application->ProcessMessages();  // headless default: nothing
  int steps = 0;
  Application->SetMessagePump([&] {
    ++steps;
    Application->ProcessMessages();  // a handler pumping again does not recurse
  });
  Application->ProcessMessages();
  Application->ProcessMessages();
  EXPECT_EQ(steps, 2);
  Application->SetMessagePump([] { throw Exception("pump failed"); });
  EXPECT_THROW(Application->ProcessMessages(), Exception);
  Application->SetMessagePump([&] { ++steps; });
  Application->ProcessMessages();  // the failure above did not leave it blocked
  EXPECT_EQ(steps, 3);
  Application->SetMessagePump(nullptr);
}

}  // namespace
}  // namespace orq
