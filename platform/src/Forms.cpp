#include "orqplatform/Forms.h"

#include <mutex>

namespace orq {
namespace {

std::mutex& RegistryLock() {
  static std::mutex m;
  return m;
}
std::vector<std::unique_ptr<TCursorShape>>& Registry() {
  static std::vector<std::unique_ptr<TCursorShape>> shapes;
  return shapes;
}

HCURSOR Register(std::unique_ptr<TCursorShape> Shape) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  Registry().push_back(std::move(Shape));
  return static_cast<HCURSOR>(Registry().size());
}

}  // namespace

HCURSOR CreateCursor(const TBitmap& Image, TPoint HotSpot, TColor TransparentColor, const std::string& Name) {
  auto shape = std::make_unique<TCursorShape>();
  shape->Name = Name;
  shape->Width = Image.Width();
  shape->Height = Image.Height();
  shape->HotSpot = HotSpot;
  shape->Pixels = Image.PixelData();
  for (uint32_t& p : shape->Pixels)
    if (p == (TransparentColor & 0xFFFFFF)) p = clNone;
  return Register(std::move(shape));
}

const TCursorShape* CursorShape(HCURSOR Cursor) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  if (Cursor <= 0 || Cursor > static_cast<HCURSOR>(Registry().size())) return nullptr;
  return Registry()[static_cast<size_t>(Cursor - 1)].get();
}

TScreen::TScreen() {
  for (TCursor c = crSizeAll; c <= crDefault; ++c) {
    auto shape = std::make_unique<TCursorShape>();
    shape->Standard = c;
    FCursors[c] = Register(std::move(shape));
  }
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  auto it = FCursors.find(Index);
  return it != FCursors.end() ? it->second : FCursors.at(crDefault);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  // Clearing an entry brings back the default shape.
  if (Handle == 0)
    FCursors.erase(Index);
  else
    FCursors[Index] = Handle;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  if (FOnCursorChange) FOnCursorChange(this);
}

TApplication::TApplication() = default;

void TApplication::ProcessMessages() {
  // A handler run by the pump may itself process messages; do not nest.
  if (!FPump || FInPump) return;
  FInPump = true;
  try {
    FPump();
  } catch (...) {
    FInPump = false;
    throw;
  }
  FInPump = false;
}

namespace {
TScreen* ScreenInstance() {
  static TScreen screen;
  return &screen;
}
TApplication* ApplicationInstance() {
  static TApplication app;
  return &app;
}
TScreen* gScreen = ScreenInstance();
TApplication* gApplication = ApplicationInstance();
}  // namespace

TScreen* const& Screen = gScreen;
TApplication* const& Application = gApplication;

}  // namespace orq
