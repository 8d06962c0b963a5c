// The state of a TGeoMap in a few plain value groups. TGeoMap keeps one of
// each and copies them whole, so that a setting added to a group is copied
// by Assign without anyone having to remember it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "orqbase/BaseTypes.h"
#include "orqcarta/geomap/Records.h"
#include "orqplatform/Types.h"

namespace orq {

// How the picture looks: colours, layers, thresholds.
struct TGeoMapDisplay {
  // The cache of the scaled image is used below this magnification, at most 2/3.
  static constexpr double MaxCacheMagLimit = 0.6666666666666666;

  TColor ColorBackGnd = 0xC0C0C0;
  TColor ColorFrame = 0;  // text colour of the empty-map message
  TColor ColorGraticule = 0xFF0000;
  TColor ColorCalibPoints = 0x0000FF;
  // The frame's own colours, fixed at creation.
  TColor ColBlackLine = 0, ColGrayLine = 0x808080, ColWhiteLine = 0xFFFFFF;
  TFrameStyle FrameStyle = frDoubleLowered;
  std::string EmptyMsg = "GeoMap: empty";
  TShowGrat ShowGraticule = sgNone;
  double GratLineDist = 0;  // degrees; 0 = automatic
  int UTMGridDist = 0;      // metres; below 1 = automatic
  bool AntiAlias = true;
  double CacheMagLimit = MaxCacheMagLimit;
  int LMRandomDisplayThreshold = 20000;
  std::array<bool, 256> LMClassVisible = AllClassesVisible();
  TColor HighLightColorFG = 0xFF0000, HighLightColorBG = 0x00FFFF;
  bool HighLightTransparent = false;
  bool SuppressPaint = false;

  friend bool operator==(const TGeoMapDisplay&, const TGeoMapDisplay&) = default;

  static constexpr std::array<bool, 256> AllClassesVisible() {
    std::array<bool, 256> all{};
    all.fill(true);
    return all;
  }
};

// Which part of the image the control shows, and the history of past views.
struct TGeoMapViewport {
  static constexpr int ZoomStackSize = 16;

  TPoint TopLeft{0, 0};        // image pixel at the control's top-left corner
  double Magnification = 1.0;  // control pixels per image pixel
  bool ConfinePanToMapImage = true;
  std::array<TgmZoomStackEntry, ZoomStackSize> ZoomStack{};
  int ZStackPoi = 1;  // slot (1..16) the next push writes

  friend bool operator==(const TGeoMapViewport&, const TGeoMapViewport&) = default;
};

// Where the mouse is and which gesture is under way. Control pixels unless
// said otherwise.
struct TGeoMapMouseState {
  TMouseActMode MouseAction = maPan;
  TZoomState ZoomState = zsNone;
  bool LButtonWasDown = false;
  int MouseAnchorX = 0, MouseAnchorY = 0;      // where a pan or zoom drag started
  int TopLeftXAnchor = 0, TopLeftYAnchor = 0;  // TopLeft at that moment
  int WindAnchorX = 0, WindAnchorY = 0;        // fixed corner of a zoom or selection rectangle
  int WindOldCornerX = 0, WindOldCornerY = 0;  // moving corner as last drawn
  TMouseBoxState MouseBoxState = mbsIdle;
  int MouseBoxX1 = 0, MouseBoxY1 = 0, MouseBoxX2 = 0, MouseBoxY2 = 0;
  bool RubberBandOn = false, SelectRectOn = false;
  int RubberBAnchorX = 0, RubberBAnchorY = 0, RubberBandOldX = 0, RubberBandOldY = 0;
  // Image pixels of the last press and the last move.
  int LastClickPosX = 0, LastClickPosY = 0, LastMousePosX = 0, LastMousePosY = 0;

  friend bool operator==(const TGeoMapMouseState&, const TGeoMapMouseState&) = default;
};

// A picture of the map: Width x Height target pixels showing the image from
// TopLeft at Magnification target pixels per image pixel. The control's own
// view is its size, TopLeft and Magnification; an exported picture has its own.
struct TMapView {
  int Width = 0, Height = 0;
  TPoint TopLeft{0, 0};
  double Magnification = 1.0;

  // image = Round(target / M) + TopLeft; target = Round((image - TopLeft) * M),
  // halves to even; a result that is no pixel (NaN, beyond +-2^30) gives 0.
  TPoint ControlToImage(TPoint P) const;
  TPoint ImageToControl(TPoint P) const;
};

// The calibration point removed last by pixel, kept for
// RestoreLastDeletedCalPoint: a quadruple or a calibration-line point.
struct TLastDeletedCalPoint {
  TCalQuad Quad;
  TCalibLine Line;
  bool QuadRestorable = false;
  bool LineRestorable = false;

  friend bool operator==(const TLastDeletedCalPoint&, const TLastDeletedCalPoint&) = default;
};

}  // namespace orq
