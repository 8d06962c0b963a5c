#include <gtest/gtest.h>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

TEST(Matrix, ColumnsAndRowsFromOne) {
  TMatrix m;
  EXPECT_EQ(m.NrOfColumns(), 0);
  m.Resize(5, 2);
  EXPECT_EQ(m.NrOfColumns(), 5);
  EXPECT_EQ(m.NrOfRows(), 2);
  EXPECT_EQ(m.GetVal(5, 2), 0.0);
  m.SetVal(5, 1, 3.5);
  m.SetVal(1, 2, -1);
  EXPECT_EQ(m.GetVal(5, 1), 3.5);
  EXPECT_EQ(m.GetVal(1, 2), -1);
  EXPECT_EQ(m.GetVal(1, 1), 0.0);  // column and row are not mixed up
}

TEST(Matrix, ResizeKeepsTheOverlapAndZeroesTheRest) {
  TMatrix m(3, 3);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 3; ++r) m.SetVal(c, r, c * 10 + r);
  m.Resize(4, 2);
  EXPECT_EQ(m.GetVal(3, 2), 32);
  EXPECT_EQ(m.GetVal(1, 1), 11);
  EXPECT_EQ(m.GetVal(4, 1), 0);
  m.Resize(5, 0);  // a graticule of no lines
  EXPECT_EQ(m.NrOfRows(), 0);
  m.Resize(5, 1);
  EXPECT_EQ(m.GetVal(1, 1), 0);
  m.Fill(2.5);
  EXPECT_EQ(m.GetVal(5, 1), 2.5);
}

TEST(Matrix, BadIndexesAndSizesRaise) {
  TMatrix m(5, 1);
  EXPECT_THROW(m.GetVal(0, 1), EOrqMathError);
  EXPECT_THROW(m.GetVal(6, 1), EOrqMathError);
  EXPECT_THROW(m.GetVal(1, 2), EOrqMathError);
  EXPECT_THROW(m.SetVal(1, 0, 1), EOrqMathError);
  EXPECT_THROW(m.Resize(-1, 3), EOrqMathError);
  EXPECT_THROW(m.Resize(1 << 20, 1 << 20), EOrqMathError);
  EXPECT_THROW(m.Resize(2147483647, 2147483647), EOrqMathError);
  // A failed resize leaves the matrix as it was.
  EXPECT_EQ(m.NrOfColumns(), 5);
  EXPECT_EQ(m.NrOfRows(), 1);
  try {
    m.GetVal(1, 2);
  } catch (const EOrqError& e) {
    EXPECT_STREQ(e.what(), "TMatrix: row index 2 out of range 1..1");
  }
}

TEST(Matrix, CloneAndAssignCopySizeAndContents) {
  TMatrix a(2, 3), b, c(7, 7);
  a.SetVal(2, 3, 9);
  b.Clone(&a);
  c.Assign(&a);
  for (TMatrix* m : {&b, &c}) {
    EXPECT_EQ(m->NrOfColumns(), 2);
    EXPECT_EQ(m->NrOfRows(), 3);
    EXPECT_EQ(m->GetVal(2, 3), 9);
  }
  b.SetVal(2, 3, 1);  // a copy, not a share
  EXPECT_EQ(a.GetVal(2, 3), 9);
  b.Clone(&b);
  EXPECT_EQ(b.GetVal(2, 3), 1);
  EXPECT_THROW(b.Clone(nullptr), EOrqMathError);
  EXPECT_THROW(b.Assign(nullptr), EConvertError);
  TComponent other;
  EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(Vector, ElementsFromOne) {
  TVector v;
  v.SetVecSize(3);
  v.SetVal(3, 4.5);
  EXPECT_EQ(v.GetVal(3), 4.5);
  EXPECT_EQ(v.GetVal(1), 0);
  v.SetVecSize(4);
  EXPECT_EQ(v.GetVal(3), 4.5);
  EXPECT_EQ(v.NrOfElem(), 4);
  EXPECT_THROW(v.GetVal(0), EOrqMathError);
  EXPECT_THROW(v.SetVal(5, 1), EOrqMathError);
  EXPECT_THROW(v.SetVecSize(-2), EOrqMathError);
}

}  // namespace
}  // namespace orq
