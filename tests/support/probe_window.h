#pragma once
// A window for the backend tests that keeps what its handlers were called
// with, so a test reads back what the window system delivered to our code.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "platform/app.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"

struct Received {
  uint32_t message = 0;
  uintptr_t value = 0;
  bool shift = false;
  bool ctrl = false;
};

class ProbeWindow : public CWnd {
 public:
  // createResult is what OnCreate answers: -1 refuses the creation.
  explicit ProbeWindow(int createResult = 0) : createResult(createResult) {}
  ~ProbeWindow() override { DestroyWindow(); }

  std::vector<Received> received;
  CreateStruct created;
  int appMessages = 0;
  int ncDestroys = 0;
  int32_t dpi = 0;
  Rect suggested;
  bool dragsLikeASprite = false;

  // The first record of the message, with the value if one is given; null if none came.
  const Received* Find(uint32_t message, std::optional<uintptr_t> value = {}) const {
    const auto found = std::find_if(received.begin(), received.end(), [&](const Received& r) {
      return r.message == message && (!value || r.value == *value);
    });
    return found != received.end() ? &*found : nullptr;
  }

  void PostNcDestroy() override { ++ncDestroys; }

 protected:
  int OnCreate(const CreateStruct& cs) override {
    created = cs;
    return createResult;
  }
  intptr_t OnAppMessage() override { return ++appMessages; }
  void OnTimer(uintptr_t id) override { received.push_back({wm::kTimer, id}); }
  void OnDpiChanged(int32_t newDpi, const Rect& rect) override {
    dpi = newDpi;
    suggested = rect;
  }
  void OnLButtonDown(Point) override {
    received.push_back({wm::kLButtonDown});
    if (dragsLikeASprite) PostMessage(wm::kNcLButtonDown, kHitCaption, 0);
  }
  bool OnKeyDown(uint32_t key) override {
    received.push_back({wm::kKeyDown, key, platform::IsKeyDown(vk::kShift), platform::IsKeyDown(vk::kControl)});
    return true;
  }
  bool OnCommand(uint32_t id) override {
    received.push_back({wm::kCommand, id});
    return true;
  }

 private:
  int createResult;
};

// Dispatches what arrives until done() holds; false if it did not within the time.
inline bool PumpUntil(const std::function<bool()>& done, uint32_t milliseconds = 3000) {
  const uint32_t start = platform::TimeGetTime();
  for (Message message; platform::TimeGetTime() - start < milliseconds;) {
    while (platform::PeekMessage(message, true)) {
      if (message.message != wm::kQuit) platform::DispatchMessage(message);
    }
    if (done()) return true;
    // Not platform::Sleep: on Qt it flushes pending moves, which must reach the screen on their own.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}
