// The Qt event pump.
#include "EventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace orq::qt::detail {

void TQtEventPump::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TQtEventPump::Post(std::function<void()> Event) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(Event), Qt::QueuedConnection);
}

void TQtEventPump::WaitForEvent(std::chrono::milliseconds Timeout) {
  if (Timeout.count() <= 0) return;
  // The timer is an event too: it ends the wait when nothing else does.
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(Timeout);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace orq::qt::detail
