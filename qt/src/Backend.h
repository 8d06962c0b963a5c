// TQtBackend: the host backend that gives controls Qt widgets.
#pragma once

#include <set>

#include "orqplatform/ControlPeer.h"

namespace orq::qt::detail {

class TQtPeer;

class TQtBackend final : public THostBackend {
 public:
  TQtBackend();
  ~TQtBackend() override;

  // The backend the running Host installed; nullptr without one.
  static TQtBackend* Instance();

  std::unique_ptr<TControlPeer> CreatePeer(TWinControl* Control) override;
  std::unique_ptr<TControlPeer> CreateGraphicPeer(TGraphicControl* Control) override;
  void ScreenCursorChanged(TCursor Cursor) override;
  void CursorShapeChanged(TCursor Index) override;
  void ClipboardChanged() override;

  // Bookkeeping of the live peers, for cursor changes.
  void PeerCreated(TQtPeer* Peer) { FPeers.insert(Peer); }
  void PeerDestroyed(TQtPeer* Peer) { FPeers.erase(Peer); }

 private:
  std::set<TQtPeer*> FPeers;
  bool FOverrideCursor = false;
};

}  // namespace orq::qt::detail
