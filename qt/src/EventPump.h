// Application's event pump on the Qt event loop.
#pragma once

#include "orqplatform/Forms.h"

namespace orq::qt::detail {

class TQtEventPump final : public TEventPump {
 public:
  // One round of the Qt event loop: the pending events, then back.
  void ProcessMessages() override;
  // Runs Event on the QApplication's thread during a later round; may be
  // called from any thread.
  void Post(std::function<void()> Event) override;
  // Sleeps in Qt's event dispatcher until an event arrives (or Timeout),
  // handling it: Qt cannot wait without handling, and a modal loop looks
  // at its state after every round anyway.
  void WaitForEvent(std::chrono::milliseconds Timeout) override;
};

}  // namespace orq::qt::detail
