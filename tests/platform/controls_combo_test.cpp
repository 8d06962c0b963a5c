// Combo box: the selection against item changes, text, and OnChange only
// for what the user does.
#include <gtest/gtest.h>

#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

struct Combo {
  TComboBox box;
  int changes = 0;
  Combo() {
    box.SetStyle(csDropDownList);
    for (const char* s : {"alpha", "Beta", "gamma"}) box.Items()->Add(s);
    box.SetOnChange([this](TObject* sender) {
      EXPECT_EQ(sender, &box);
      ++changes;
    });
  }
};

TEST(ComboBox, UserSelectionSeesTheNewItemAndRefusesBadIndexes) {
  Combo c;
  int seenIndex = -5;
  c.box.SetOnChange([&](TObject*) { seenIndex = c.box.ItemIndex(); });
  EXPECT_TRUE(c.box.SelectItem(1));
  EXPECT_EQ(seenIndex, 1);  // already the new selection
  EXPECT_FALSE(c.box.SelectItem(3));
  EXPECT_FALSE(c.box.SelectItem(-1));
  EXPECT_EQ(c.box.ItemIndex(), 1);
  c.box.SetText("GAMMA");  // letter case does not matter
  EXPECT_EQ(c.box.Text(), "gamma");
}

TEST(ComboBox, ItemChangesKeepTheSelectionOnItsItem) {
  Combo c;
  c.box.SetItemIndex(1);
  c.box.Items()->Insert(0, "zero");
  EXPECT_EQ(c.box.ItemIndex(), 2);
  EXPECT_EQ(c.box.Text(), "Beta");
  c.box.Items()->Delete(0);
  EXPECT_EQ(c.box.ItemIndex(), 1);
  c.box.Items()->Add("delta");
  EXPECT_EQ(c.box.ItemIndex(), 1);
  c.box.Items()->Delete(1);  // the selected item goes: nothing selected
  EXPECT_EQ(c.box.ItemIndex(), -1);
  c.box.SetItemIndex(0);
  c.box.Items()->Clear();
  EXPECT_EQ(c.box.ItemIndex(), -1);
  EXPECT_EQ(c.box.Items()->Count(), 0);
  EXPECT_EQ(c.box.Text(), "");
  EXPECT_EQ(c.changes, 0);
}

TEST(ComboBox, ItemListOperationsAndBadIndexes) {
  Combo c;
  EXPECT_EQ(c.box.Items()->IndexOf("GAMMA"), 2);
  EXPECT_EQ(c.box.Items()->IndexOf("gam"), -1);
  EXPECT_EQ(c.box.Items()->Add("x"), 3);
  c.box.Items()->Insert(4, "end");  // Count is a valid place
  EXPECT_EQ((*c.box.Items())[4], "end");
  EXPECT_THROW(c.box.Items()->Insert(6, "far"), EListError);
  EXPECT_THROW(c.box.Items()->Strings(5), EListError);
  EXPECT_THROW(c.box.Items()->Delete(-1), EListError);
  c.box.SetItemIndex(0);
  c.box.Items()->SetStrings(0, "ALPHA");
  EXPECT_EQ(c.box.Text(), "ALPHA");
  std::vector<std::string> seen(c.box.Items()->begin(), c.box.Items()->end());
  EXPECT_EQ(seen, (std::vector<std::string>{"ALPHA", "Beta", "gamma", "x", "end"}));
  c.box.Items()->Assign({"one"});
  EXPECT_EQ(c.box.ItemIndex(), -1);
  EXPECT_EQ(c.box.Items()->Count(), 1);
}

TEST(ComboBox, EditableStyleKeepsFreeText) {
  TComboBox box;
  int changes = 0;
  box.SetOnChange([&](TObject*) { ++changes; });
  box.Items()->Add("one");
  box.SetText("free");
  EXPECT_EQ(box.Text(), "free");
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetText("ONE");
  EXPECT_EQ(box.ItemIndex(), 0);
  EXPECT_EQ(box.Text(), "ONE");
  box.EnterText("typed");
  EXPECT_EQ(box.Text(), "typed");
  EXPECT_EQ(changes, 1);
  // Becoming a list drops text that is no item.
  box.SetStyle(csDropDownList);
  EXPECT_EQ(box.Text(), "");
  box.EnterText("ignored");
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace orq
