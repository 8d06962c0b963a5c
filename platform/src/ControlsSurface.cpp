// The window surfaces of TCustomControl and TGraphicControl and how they
// are painted.
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Controls.h"

namespace orq {

namespace {

std::unique_ptr<TBitmap> MakeSurface(int Width, int Height) {
  auto surface = std::make_unique<TBitmap>();
  surface->SetSize(Width, Height);
  return surface;
}

// Fills the client area with the control's colour without disturbing the
// brush that Paint finds.
void Erase(TCanvas* Canvas, const TRect& R, TColor Color) {
  const TBrush saved = Canvas->Brush;
  Canvas->Brush.Color = Color;
  Canvas->Brush.Style = bsSolid;
  Canvas->FillRect(R);
  Canvas->Brush = saved;
}

}  // namespace

// ---- TGraphicControl -------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FSurface(MakeSurface(0, 0)) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() { return FSurface->Canvas(); }

void TGraphicControl::SizeChanged() { FSurface->SetSize(Width(), Height()); }

void TGraphicControl::Invalidate() {
  TControl::Invalidate();
  if (FPeer) FPeer->Invalidate(ClientRect());
  // What shows of us is part of the parent's picture.
  if (Parent() && Visible()) Parent()->Invalidate();
}

void TGraphicControl::Update() {
  if (Parent())
    Parent()->Update();  // paints us as part of its picture
  else
    TControl::Update();
}

void TGraphicControl::PaintNow() {
  TControl::PaintNow();
  if (!FControlStyle.contains(csOpaque)) Erase(Canvas(), ClientRect(), Color());
  Paint();
}

void TGraphicControl::SetMouseCapture(bool Value) {
  if (Value == MouseCapture()) return;
  FMouseCapture = Value;
  // The window that shows us holds the mouse for us.
  if (Parent()) Parent()->SetMouseCapture(Value);
}

// ---- TCustomControl --------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FSurface(MakeSurface(0, 0)) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
  // Whoever takes the canvas may draw straight onto the window (mouse
  // feedback, a Paint called by a setter): the window shows the surface
  // again once the current event is done.
  if (TControlPeer* peer = Peer()) peer->Invalidate(ClientRect());
  return FSurface->Canvas();
}

void TCustomControl::SizeChanged() { FSurface->SetSize(Width(), Height()); }

void TCustomControl::PaintNow() {
  TControl::PaintNow();
  TCanvas* canvas = Canvas();
  if (!FControlStyle.contains(csOpaque)) Erase(canvas, ClientRect(), Color());
  Paint();
  // Windowless children lie over our picture, later ones on top.
  const TCopyMode savedMode = canvas->CopyMode();
  for (int i = 0; i < ControlCount(); ++i) {
    auto* child = dynamic_cast<TGraphicControl*>(Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    child->PaintNow();
    canvas->SetCopyMode(cmSrcCopy);
    canvas->Draw(child->Left(), child->Top(), child->Surface());
  }
  canvas->SetCopyMode(savedMode);
  if (Peer()) Peer()->Invalidate(ClientRect());
}

void TCustomControl::PaintWindowTo(TCanvas* Target, int X, int Y) {
  const TCopyMode savedMode = Target->CopyMode();
  Target->SetCopyMode(cmSrcCopy);
  Target->Draw(X, Y, FSurface.get());
  Target->SetCopyMode(savedMode);
}

// ---- Pictures of whole windows ---------------------------------------------

void TWinControl::PaintWindowTo(TCanvas* Target, int X, int Y) {
  const TBrush saved = Target->Brush;
  Target->Brush.Color = Color();
  Target->Brush.Style = bsSolid;
  Target->FillRect(Rect(X, Y, X + Width(), Y + Height()));
  Target->Brush = saved;
}

void TWinControl::PaintTo(TCanvas* Target, int X, int Y) {
  if (Target == nullptr) return;
  if (PaintPending()) PaintNow();  // also when hidden: a picture is asked for
  PaintWindowTo(Target, X, Y);
  for (TControl* child : FControls) {
    auto* win = dynamic_cast<TWinControl*>(child);
    if (win != nullptr && win->Visible()) win->PaintTo(Target, X + win->Left(), Y + win->Top());
  }
}

}  // namespace orq
