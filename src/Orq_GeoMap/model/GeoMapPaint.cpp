// Painting of TGeoMap. Until the full composition of the picture is in
// place, the picture is the background and, for an empty map, the empty
// message.
#include <algorithm>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/TextFile.h"

namespace orq {

void TGeoMap::Paint() {
  if (FDisplay.SuppressPaint) return;
  ComposeBackground();
  TCanvas* window = Canvas();
  window->SetCopyMode(cmSrcCopy);
  const TRect whole{0, 0, Width(), Height()};
  window->CopyRect(whole, FAuxBmp->Canvas(), whole);
}

void TGeoMap::ComposeBackground() {
  const int w = Width(), h = Height();
  // The composition bitmap grows to the control but never shrinks.
  if (FAuxBmp->Height() < h || FAuxBmp->Width() < w)
    FAuxBmp->SetSize(std::max(FAuxBmp->Width(), w), std::max(FAuxBmp->Height(), h));
  TCanvas* c = FAuxBmp->Canvas();
  c->Pen.Style = psSolid;
  c->Pen.Mode = pmCopy;
  c->Brush.Style = bsSolid;
  c->Brush.Color = FDisplay.ColorBackGnd;
  c->Pen.Color = FDisplay.ColorBackGnd;
  c->Rectangle(0, 0, w, h);
  if (ComponentState().contains(csDesigning) || FMapImgName.empty()) {
    c->Font.Color = FDisplay.ColorFrame;
    c->TextOut(10, 10, FDisplay.EmptyMsg);
  }
}

// ---- operations that come with printing, the clipboard and landmark files ----

void TGeoMap::PrintIt(double) { RaiseNotSupported("PrintIt"); }

void TGeoMap::CopyToOpenPrinter(int&, int&, double) { RaiseNotSupported("CopyToOpenPrinter"); }

void TGeoMap::CopyToOpenPrinter(TRect, int, int, int) { RaiseNotSupported("CopyToOpenPrinter"); }

void TGeoMap::CopyToOpenPrinter(TPoint, int, int, int, int, int) { RaiseNotSupported("CopyToOpenPrinter"); }

void TGeoMap::CalcExtentsOfPrint(TRect, int, int&, int&) { RaiseNotSupported("CalcExtentsOfPrint"); }

void TGeoMap::WriteLandMarksToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID) {
  WriteLandMarkBlock(OutFile, WithHeader, DataID,
                     std::span<const TLandMark>(FLandMarks.data(), static_cast<size_t>(FNumLandMarks)));
}

void TGeoMap::SaveLandmarks(const std::string& FileName, const std::string& DataID) {
  TTextFile file;
  file.AssignFile(FileName);
  file.Rewrite();
  WriteLandMarksToOpenXMLFile(file, true, DataID);
  file.Close();
}

void TGeoMap::CopyEntireMapToClipboard() { RaiseNotSupported("CopyEntireMapToClipboard"); }

void TGeoMap::CopyToBMP(TBitmap*, TPoint, double, int, int, int, int) { RaiseNotSupported("CopyToBMP"); }

}  // namespace orq
