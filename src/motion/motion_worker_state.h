#pragma once
// The members a sprite window shares with its worker thread. The window class
// derives from this, so these are its own members. Each shared value is a
// single 32-bit atomic read and written whole with relaxed ordering: no order
// between members is relied on.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/system.h"
#include "skin/skin_info.h"

inline constexpr int kAnimStateCount = SkinInfo::kStateCount;

// Left, top, right, bottom in normalised screen units (65535 spans the screen).
struct SharedMoveRange {
  std::atomic<int32_t> left{0};
  std::atomic<int32_t> top{0};
  std::atomic<int32_t> right{0};
  std::atomic<int32_t> bottom{0};

  void Store(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom) {
    left.store(newLeft, std::memory_order_relaxed);
    top.store(newTop, std::memory_order_relaxed);
    right.store(newRight, std::memory_order_relaxed);
    bottom.store(newBottom, std::memory_order_relaxed);
  }
};

struct SpriteWorkerState {
  // Raised by the user-interface thread (RequestStop); the worker only reads it.
  std::atomic<int32_t> stopRequest{0};
  // What a worker's wait listens on for the stop request.
  std::mutex stopMutex;
  std::condition_variable stopWake;
  std::atomic<int32_t> animState{0};
  std::atomic<int32_t> frameIndex{0};
  std::atomic<int32_t> tickCounter{0};
  std::atomic<int32_t> frameChanged{0};
  std::atomic<int32_t> moving{0};
  std::atomic<int32_t> targetX{0};
  std::atomic<int32_t> targetY{0};
  SharedMoveRange moveRange;
  // Copied from the skin before a worker starts and fixed from then on.
  int32_t frameCount[kAnimStateCount] = {};
  int32_t frameWait[kAnimStateCount] = {};
  // Only its rectangle's size is read by the motion thread.
  WindowHandle window = nullptr;
};
