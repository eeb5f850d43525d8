#pragma once
// A scripted outside world for the workers: screen, window size, coin results
// and sleeps are the test's, and every call is counted.
#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "motion/motion_environment.h"

struct FakeWorld {
  Size screen{1920, 1080};
  Rect window{0, 0, 128, 128};
  // Played in turn, the last one repeated; odd keeps a sign positive.
  std::vector<int> coins{1};
  // Called at each sleep with its length; answers the milliseconds slept.
  std::function<uint32_t(uint32_t)> onSleep;

  int screenReads = 0;
  int windowReads = 0;
  int coinCalls = 0;
  int sleeps = 0;
  std::vector<uint32_t> sleepLengths;
  int framesReady = 0;

  WorkerEnvironment Environment() {
    WorkerEnvironment environment;
    environment.screenSize = [this] {
      ++screenReads;
      return screen;
    };
    environment.windowRect = [this](WindowHandle) {
      ++windowReads;
      return window;
    };
    environment.coin = [this] {
      const size_t at = static_cast<size_t>(coinCalls++);
      return coins[at < coins.size() ? at : coins.size() - 1];
    };
    environment.sleep = [this](uint32_t milliseconds) {
      ++sleeps;
      sleepLengths.push_back(milliseconds);
      return onSleep ? onSleep(milliseconds) : milliseconds;
    };
    environment.frameReady = [this] { ++framesReady; };
    return environment;
  }
};
