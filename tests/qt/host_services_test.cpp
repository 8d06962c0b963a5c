// What the host provides besides widgets: the event pump, the clipboard,
// images and the one-host rule.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "orqplatform/Clipboard.h"
#include "orqplatform/Forms.h"
#include "qt_test_support.h"

using namespace orq;
using namespace orq::qt::testing;

TEST(QtHost, OnlyOneHostAtATimeAndTheHeadlessPlatformComesBack) {
  {
    orq::qt::Host host;
    EXPECT_THROW(orq::qt::Host second, EInvalidOperation);
    EXPECT_NE(dynamic_cast<THeadlessBackend*>(Application->HostBackend()), Application->HostBackend());
  }
  EXPECT_NE(dynamic_cast<THeadlessBackend*>(Application->HostBackend()), nullptr);
  EXPECT_NE(dynamic_cast<TScriptedPump*>(Application->EventPump()), nullptr);
}

TEST(QtHost, PostedEventsRunInTheQtLoopAndWakeAWaitAtOnce) {
  orq::qt::Host host;
  std::atomic<int> ran{0};
  Application->EventPump()->Post([&] { ++ran; });
  EXPECT_EQ(ran, 0);
  Application->ProcessMessages();
  EXPECT_EQ(ran, 1);

  // A post from another thread ends a long wait.
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Application->EventPump()->Post([&] { ++ran; });
  });
  const auto start = std::chrono::steady_clock::now();
  while (ran < 2 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
    Application->WaitForMessages(std::chrono::milliseconds(5000));
  poster.join();
  EXPECT_EQ(ran, 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  // With nothing to do, a wait sleeps its timeout out.
  const double cpu = ProcessCpuSeconds();
  const auto idle = std::chrono::steady_clock::now();
  Application->WaitForMessages(std::chrono::milliseconds(300));
  EXPECT_GE(std::chrono::steady_clock::now() - idle, std::chrono::milliseconds(250));
  EXPECT_LT(ProcessCpuSeconds() - cpu, 0.05);
}

TEST(QtHost, TheClipboardBitmapReachesTheSystemClipboardAndBack) {
  orq::qt::Host host;
  TBitmap picture;
  picture.SetSize(3, 2);
  picture.Canvas()->SetPixels(0, 0, 0x0000FF);  // red
  picture.Canvas()->SetPixels(2, 1, 0xFF0000);  // blue
  int changes = 0;
  Clipboard()->SetOnChange([&](TObject*) { ++changes; });
  Clipboard()->Assign(&picture);
  Settle();
  const QImage system = QGuiApplication::clipboard()->image();
  ASSERT_EQ(system.size(), QSize(3, 2));
  EXPECT_EQ(system.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(system.pixel(2, 1), qRgb(0, 0, 255));
  EXPECT_EQ(changes, 1);  // our own copy does not come back as a second change

  QImage other(2, 2, QImage::Format_RGB32);
  other.fill(qRgb(0, 128, 0));
  QGuiApplication::clipboard()->setImage(other);
  Settle();
  const TBitmap* held = Clipboard()->Bitmap();
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Width(), 2);
  EXPECT_EQ(const_cast<TBitmap*>(held)->Canvas()->Pixels(1, 1), 0x008000u);
  EXPECT_EQ(changes, 2);

  QGuiApplication::clipboard()->setText("Zurich 47.37 8.54");
  Settle();
  EXPECT_EQ(Clipboard()->AsText(), "Zurich 47.37 8.54");
  Clipboard()->SetOnChange(nullptr);
  Clipboard()->Clear();
}

TEST(QtHost, ImagesConvertBothWaysWithoutLosingAPixel) {
  TBitmap bitmap;
  bitmap.SetSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) bitmap.Canvas()->SetPixels(x, y, static_cast<TColor>(x * 0x330000 + y * 0x55 + 0x1100));
  const QImage image = orq::qt::ToQImage(bitmap);
  EXPECT_EQ(image.pixel(4, 2), qRgb(0xAA, 0x11, 0xCC));  // 0x00BBGGRR: R 0xAA, G 0x11, B 0xCC
  TBitmap back;
  orq::qt::FromQImage(image, &back);
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  EXPECT_EQ(back.PixelData(), bitmap.PixelData());
}
