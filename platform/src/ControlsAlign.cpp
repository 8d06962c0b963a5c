// Align layout of the children of a TWinControl.
//
// The client rectangle is handed out in the order alTop, alBottom, alLeft,
// alRight, alClient. alTop children stack downwards from the top edge in
// the order of their current Top (ties in the order they were inserted),
// alBottom children upwards from the bottom edge in the order of their
// current bottom edge (lowest first), alLeft and alRight likewise
// horizontally; each takes the full width (height) of what is left and
// keeps its own height (width). Every alClient child fills what remains.
// Invisible children take no room. When the children need more room than
// there is, the remaining rectangle shrinks to nothing, never below.
#include <algorithm>

#include "orqplatform/Controls.h"

namespace orq {

namespace {

// The position an aligned child is sorted by: nearer its edge comes first.
int EdgeKey(const TControl* c, TAlign align) {
  switch (align) {
    case alTop: return c->Top();
    case alBottom: return -(c->Top() + c->Height());
    case alLeft: return c->Left();
    case alRight: return -(c->Left() + c->Width());
    default: return 0;
  }
}

}  // namespace

void TWinControl::ChildAlignChanged(TControl* Control) {
  if (FAligning) return;  // our own layout is moving it
  Realign();
}

void TWinControl::EnableAlign() {
  if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignDisabled > 0 || FAligning) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  FAligning = true;
  try {
    TRect r = ClientRect();
    AlignControls(nullptr, r);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
      return EdgeKey(a, align) < EdgeKey(b, align);
    });
    for (TControl* c : list) {
      const int w = std::max(Rect.Right - Rect.Left, 0);
      const int h = std::max(Rect.Bottom - Rect.Top, 0);
      switch (align) {
        case alTop: {
          const int ch = std::min(c->Height(), h);
          c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
          Rect.Top += ch;
          break;
        }
        case alBottom: {
          const int ch = std::min(c->Height(), h);
          c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
          Rect.Bottom -= ch;
          break;
        }
        case alLeft: {
          const int cw = std::min(c->Width(), w);
          c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
          Rect.Left += cw;
          break;
        }
        case alRight: {
          const int cw = std::min(c->Width(), w);
          c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
          Rect.Right -= cw;
          break;
        }
        case alClient:
          c->SetBounds(Rect.Left, Rect.Top, w, h);
          break;
        default:
          break;
      }
    }
  }
}

}  // namespace orq
