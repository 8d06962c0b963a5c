#include <gtest/gtest.h>

#include "orqplatform/Components.h"
#include "orqplatform/Exceptions.h"

namespace orq {
namespace {

// Counts destructions so that ownership can be checked.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, int* deaths) : TComponent(owner), deaths_(deaths) {}
  ~Probe() override { ++*deaths_; }
  std::string ClassName() const override { return "Probe"; }

 private:
  int* deaths_;
};

TEST(Components, AnOwnerFreesWhatItOwns) {
  int deaths = 0;
  {
    TComponent owner;
    auto* a = new Probe(&owner, &deaths);
    auto* b = new Probe(a, &deaths);  // owned by a, freed with it
    a->SetName("a");
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.FindComponent("a"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_EQ(b->Owner(), a);
  }
  EXPECT_EQ(deaths, 2);
}

TEST(Components, DeletingAnOwnedComponentRemovesItFromItsOwner) {
  int deaths = 0;
  TComponent owner;
  auto* a = new Probe(&owner, &deaths);
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(deaths, 1);
}

TEST(Components, AssignBetweenUnrelatedClassesRaises) {
  int deaths = 0;
  TComponent a;
  Probe b(nullptr, &deaths);
  try {
    a.Assign(&b);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a Probe to a TComponent");
  }
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(Components, StateFlags) {
  TComponent c;
  c.SetDesigning(true);
  c.SetLoading(true);
  EXPECT_TRUE(c.ComponentState().contains(csDesigning));
  c.Loaded();
  EXPECT_FALSE(c.ComponentState().contains(csLoading));
  EXPECT_TRUE(c.ComponentState().contains(csDesigning));
}

}  // namespace
}  // namespace orq
