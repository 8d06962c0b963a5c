// Landmark symbols at sizes 1 and 3, pixel by pixel. The pictures are worked
// out from the symbol geometry and the canvas's raster rules by hand.
#include <gtest/gtest.h>

#include "symbol_art_test.h"

namespace orq {
namespace {

using symbolart::Picture;
using symbolart::Rows;
using symbolart::TSymbolCase;

// Size 1 on 7 x 7 around (3, 3), size 3 on 11 x 11 around (5, 5).
Rows Small(TLandMarkElement Kind, bool Transparent) { return Picture(7, 7, 3, 3, {Kind, 1, Transparent}); }
Rows Mid(TLandMarkElement Kind, bool Transparent) { return Picture(11, 11, 5, 5, {Kind, 3, Transparent}); }

const Rows kEmpty7(7, ".......");

TEST(LandmarkSymbolPictures, PlusHasAHaloOnePixelWiderUnlessTransparent) {
  EXPECT_EQ(Small(lmPlus, false), (Rows{".......", "..BBB..", ".BBFBB.", ".BFFFB.", ".BBFBB.", "..BBB..", "......."}));
  EXPECT_EQ(Small(lmPlus, true), (Rows{".......", ".......", "...F...", "..FFF..", "...F...", ".......", "......."}));
  EXPECT_EQ(Mid(lmPlus, false), (Rows{"...........", "....BBB....", "....BFB....", "....BFB....", ".BBBBFBBBB.",
                                      ".BFFFFFFFB.", ".BBBBFBBBB.", "....BFB....", "....BFB....", "....BBB....",
                                      "..........."}));
  EXPECT_EQ(Mid(lmPlus, true), (Rows{"...........", "...........", ".....F.....", ".....F.....", ".....F.....",
                                     "..FFFFFFF..", ".....F.....", ".....F.....", ".....F.....", "...........",
                                     "..........."}));
}

TEST(LandmarkSymbolPictures, CrossHasAHaloAlongBothDiagonals) {
  EXPECT_EQ(Small(lmCross, false), (Rows{".......", ".BBBBB.", ".BFBFB.", ".BBFBB.", ".BFBFB.", ".BBBBB.", "......."}));
  EXPECT_EQ(Small(lmCross, true), (Rows{".......", ".......", "..F.F..", "...F...", "..F.F..", ".......", "......."}));
  EXPECT_EQ(Mid(lmCross, false), (Rows{"...........", ".BBB...BBB.", ".BFBB.BBFB.", ".BBFBBBFBB.", "..BBFBFBB..",
                                       "...BBFBB...", "..BBFBFBB..", ".BBFBBBFBB.", ".BFBB.BBFB.", ".BBB...BBB.",
                                       "..........."}));
  EXPECT_EQ(Mid(lmCross, true), (Rows{"...........", "...........", "..F.....F..", "...F...F...", "....F.F....",
                                      ".....F.....", "....F.F....", "...F...F...", "..F.....F..", "...........",
                                      "..........."}));
}

TEST(LandmarkSymbolPictures, SquareIsABoxInsideABackgroundRing) {
  EXPECT_EQ(Small(lmSquare, false), (Rows{".......", ".......", "..BBB..", "..BFB..", "..BBB..", ".......", "......."}));
  EXPECT_EQ(Small(lmSquare, true), (Rows{".......", ".......", "..FFF..", "..F.F..", "..FFF..", ".......", "......."}));
  EXPECT_EQ(Mid(lmSquare, false), (Rows{"...........", "...........", "..BBBBBBB..", "..BFFFFFB..", "..BFBBBFB..",
                                        "..BFBBBFB..", "..BFBBBFB..", "..BFFFFFB..", "..BBBBBBB..", "...........",
                                        "..........."}));
  EXPECT_EQ(Mid(lmSquare, true), (Rows{"...........", "...........", "..FFFFFFF..", "..F.....F..", "..F.....F..",
                                       "..F.....F..", "..F.....F..", "..F.....F..", "..FFFFFFF..", "...........",
                                       "..........."}));
}

TEST(LandmarkSymbolPictures, CrossBoxAddsTheDiagonals) {
  EXPECT_EQ(Small(lmCrossBox, false), Small(lmSquare, false));
  EXPECT_EQ(Small(lmCrossBox, true), (Rows{".......", ".......", "..FFF..", "..FFF..", "..FFF..", ".......", "......."}));
  EXPECT_EQ(Mid(lmCrossBox, false), (Rows{"...........", "...........", "..BBBBBBB..", "..BFFFFFB..", "..BFFBFFB..",
                                          "..BFBFBFB..", "..BFFBFFB..", "..BFFFFFB..", "..BBBBBBB..", "...........",
                                          "..........."}));
  EXPECT_EQ(Mid(lmCrossBox, true), (Rows{"...........", "...........", "..FFFFFFF..", "..FF...FF..", "..F.F.F.F..",
                                         "..F..F..F..", "..F.F.F.F..", "..FF...FF..", "..FFFFFFF..", "...........",
                                         "..........."}));
}

TEST(LandmarkSymbolPictures, CircleFillsUnlessTransparent) {
  EXPECT_EQ(Small(lmCircle, false), (Rows{".......", ".......", "..FF...", "..FF...", ".......", ".......", "......."}));
  EXPECT_EQ(Small(lmCircle, true), Small(lmCircle, false));
  EXPECT_EQ(Mid(lmCircle, false), (Rows{"...........", "...........", "...FFFF....", "..FBBBBF...", "..FBBBBF...",
                                        "..FBBBBF...", "..FBBBBF...", "...FFFF....", "...........", "...........",
                                        "..........."}));
  EXPECT_EQ(Mid(lmCircle, true), (Rows{"...........", "...........", "...FFFF....", "..F....F...", "..F....F...",
                                       "..F....F...", "..F....F...", "...FFFF....", "...........", "...........",
                                       "..........."}));
}

TEST(LandmarkSymbolPictures, SpadeIsADiamond) {
  EXPECT_EQ(Small(lmSpade, false), (Rows{".......", ".......", "...F...", "..FBF..", "...F...", ".......", "......."}));
  EXPECT_EQ(Small(lmSpade, true), (Rows{".......", ".......", "...F...", "..F.F..", "...F...", ".......", "......."}));
  EXPECT_EQ(Mid(lmSpade, false), (Rows{"...........", "...........", ".....F.....", "....FBF....", "...FBBBF...",
                                       "..FBBBBBF..", "...FBBBF...", "....FBF....", ".....F.....", "...........",
                                       "..........."}));
  EXPECT_EQ(Mid(lmSpade, true), (Rows{"...........", "...........", ".....F.....", "....F.F....", "...F...F...",
                                      "..F.....F..", "...F...F...", "....F.F....", ".....F.....", "...........",
                                      "..........."}));
}

TEST(LandmarkSymbolPictures, TrianglePointsUpAtDirectionZero) {
  // Vertices (3, 2), (4, 4), (2, 4): the slanted sides round their half
  // steps toward where they start.
  EXPECT_EQ(Small(lmTriangle, false), (Rows{".......", ".......", "...F...", "..FF...", "..FFF..", ".......", "......."}));
  EXPECT_EQ(Small(lmTriangle, true), Small(lmTriangle, false));
  // Vertices (5, 2), (8, 7), (2, 7); the bottom edge is outline only.
  EXPECT_EQ(Mid(lmTriangle, false), (Rows{"...........", "...........", ".....F.....", "....FBF....", "....FBF....",
                                          "...FBBBF...", "...FBBBF...", "..FFFFFFF..", "...........", "...........",
                                          "..........."}));
  EXPECT_EQ(Mid(lmTriangle, true), (Rows{"...........", "...........", ".....F.....", "....F.F....", "....F.F....",
                                         "...F...F...", "...F...F...", "..FFFFFFF..", "...........", "...........",
                                         "..........."}));
}

TEST(LandmarkSymbolPictures, ArrowsOfSizeOneAreALine) {
  // The head folds onto the shaft: both base points are one pixel below the tip.
  const Rows line{".......", "...F...", "...F...", "...F...", "...F...", ".......", "......."};
  for (bool transparent : {false, true}) {
    EXPECT_EQ(Picture(7, 7, 3, 4, {lmArrowFrom, 1, transparent, 0, 3}), line);
    EXPECT_EQ(Picture(7, 7, 3, 4, {lmArrowTo, 1, transparent, 0, 3}), line);
  }
}

TEST(LandmarkSymbolPictures, ArrowHeadsOfSizeThree) {
  // Tip (5, 2); From has its base at (4, 5)-(6, 5), To at the landmark
  // (5, 8) with its base at (4, 5)-(6, 5). The filled head covers the shaft.
  EXPECT_EQ(Picture(11, 11, 5, 8, {lmArrowFrom, 3, false, 0, 6}),
            (Rows{"...........", "...........", ".....F.....", ".....F.....", "....FBF....", "....FFF....",
                  ".....F.....", ".....F.....", ".....F.....", "...........", "..........."}));
  EXPECT_EQ(Picture(11, 11, 5, 8, {lmArrowFrom, 3, true, 0, 6}),
            (Rows{"...........", "...........", ".....F.....", ".....F.....", "....FFF....", ".....F.....",
                  ".....F.....", ".....F.....", ".....F.....", "...........", "..........."}));
  EXPECT_EQ(Picture(11, 11, 5, 8, {lmArrowTo, 3, false, 0, 6}),
            (Rows{"...........", "...........", ".....F.....", ".....F.....", ".....F.....", "....FFF....",
                  "....FBF....", ".....F.....", ".....F.....", "...........", "..........."}));
  EXPECT_EQ(Picture(11, 11, 5, 8, {lmArrowTo, 3, true, 0, 6}),
            (Rows{"...........", "...........", ".....F.....", ".....F.....", ".....F.....", ".....F.....",
                  "....FFF....", ".....F.....", ".....F.....", "...........", "..........."}));
}

TEST(LandmarkSymbolPictures, ArrowToAtNinetyDegreesPointsLeftAtTheLandmark) {
  // Landmark (2, 4), shaft 8 from the tip (10, 4); head (2, 4), (7, 6), (7, 2).
  EXPECT_EQ(Picture(12, 9, 2, 4, {lmArrowTo, 5, false, 90, 8}),
            (Rows{"............", "............", "......FF....", "....FFBF....", "..FFBBBFFFF.", "....FFBF....",
                  "......FF....", "............", "............"}));
}

TEST(LandmarkSymbolPictures, UserDefinedDrawsNothingAndUnknownKindsASmallPlus) {
  for (int size : {1, 3, 8})
    for (bool transparent : {false, true})
      EXPECT_EQ(Picture(7, 7, 3, 3, {lmUserDef, size, transparent}), kEmpty7);
  const Rows plus{"....F......", "....F......", "....F......", "....F......", "FFFFFFFFF..",
                  "....F......", "....F......", "....F......", "....F......", "...........", "..........."};
  for (int kind : {10, 255, -1})
    for (bool transparent : {false, true})
      EXPECT_EQ(Picture(11, 11, 4, 4, {static_cast<TLandMarkElement>(kind), 3, transparent, 45, 20}), plus) << kind;
}

}  // namespace
}  // namespace orq
