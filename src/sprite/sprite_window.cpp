#include "sprite_window.h"

#include <new>
#include <vector>

#include "platform/monitors.h"
#include "platform/thread.h"
#include "platform/win_constants.h"
#include "app/exe_path.h"
#include "skin/skin_catalogue.h"
#include "skin/skin_path.h"
#include "motion/motion_seed.h"
#include "motion/motion_threads.h"
#include "motion/worker_wait.h"
#include "sprite/sprite_window_placeholder.h"
#include "sprite/sprite_window_placement.h"

namespace {
const Rect kEditorCreationRect{0, 0, 100, 100};
}

CSpriteWindow::CSpriteWindow(SpriteHost& host, WindowSettings& settings, const SkinCatalogue& catalogue, int slot)
    : host(host), settings(settings), catalogue(catalogue), slot(slot) {
  const MoveRange& saved = settings.moveRange;
  moveRange.Store(saved.left, saved.top, saved.right, saved.bottom);
}

CSpriteWindow::~CSpriteWindow() {
  StopWorker();
  skinSwitchMenu.DestroyMenu();
  popupMenu.DestroyMenu();
}

int CSpriteWindow::OnCreate(const CreateStruct& cs) {
  CWnd::OnCreate(cs);
  const std::wstring editorClass = RegisterWindowClass({L"", cs::kDblClks, ClassBrush::None, 0});
  const auto* name = static_cast<const wchar_t*>(cs.param);
  // Everything the sprite needs is got before it shows: a sprite the system
  // cannot equip is refused whole, like a skin that cannot be loaded.
  if (!rangeEditor.CreateEx(ws::kExLayered | ws::kExToolWindow, editorClass, L"", ws::kPopup | ws::kThickFrame,
                            kEditorCreationRect, static_cast<CWnd*>(this)) ||
      name == nullptr || FindSkin(catalogue, name, skin) == 0 || !LoadStrips() || !ReadyPlaceholder() ||
      !BuildPopupMenu()) {
    return RefuseCreation();
  }
  for (int state = 0; state < kAnimStateCount; ++state) {
    frameCount[state] = skin.animationFrame[state];
    frameWait[state] = skin.animationWait[state];
  }
  window = GetSafeHwnd();
  Render();

  if (settings.moveMethod == 1) moving.store(1, std::memory_order_relaxed);
  if (!StartWorker()) {
    if (!standWithoutWorker) return RefuseCreation();
    moving.store(0, std::memory_order_relaxed);
  }
  MarkMotion();
  const std::optional<Point>& saved = settings.position;
  const Point place = saved ? *saved : FirstPlace();
  SetWindowPos(ZOrder::Keep, place.x, place.y, 0, 0, swp::kNoSize | swp::kNoZOrder | swp::kNoActivate);
  KeepReachable();
  topMost = settings.topMost == 0;
  OnToggleTopMost();
  return 0;
}

int CSpriteWindow::RefuseCreation() {
  ReleaseStrips();
  rangeEditor.DestroyWindow();
  skinSwitchMenu.DestroyMenu();
  popupMenu.DestroyMenu();
  return -1;
}

bool CSpriteWindow::LoadStrips() {
  uint64_t budget = kMaxSpriteBytes;
  for (int state = 0; state < kAnimStateCount; ++state) {
    if (skin.file[state].empty()) continue;
    if (!SkinFileExists(skin.folder, skin.name, skin.file[state])) {
      ReleaseStrips();
      return false;
    }
    auto surface = std::unique_ptr<OffscreenSurface>(new (std::nothrow) OffscreenSurface);
    PngLoadError error;
    // A strip that fails to decode, or would take the sprite over its
    // memory budget, leaves an empty surface (for Default, the placeholder
    // shows instead). One the system has no memory or bitmaps for refuses
    // the sprite: a later try may well succeed, so nothing is shown that
    // would pass for the skin.
    if (surface == nullptr ||
        (surface->LoadPng(MakeSkinFilePath(skin.folder, skin.name, skin.file[state]), skin.animationFrame[state], &error,
                          budget) == 0 &&
         error.kind == PngLoadErrorKind::OutOfMemory)) {
      ReleaseStrips();
      return false;
    }
    budget -= surface->DecodedBytes();
    surfaces[state] = std::move(surface);
  }
  return true;
}

void CSpriteWindow::ReleaseStrips() {
  for (auto& surface : surfaces) surface.reset();
  placeholder.Release();
}

bool CSpriteWindow::ReadyPlaceholder() {
  const auto& shown = surfaces[static_cast<int>(AnimState::Default)];
  return (shown != nullptr && shown->HasFrame(0)) || DrawPlaceholderTile(placeholder);
}

void CSpriteWindow::Render() {
  const int32_t state = animState.load(std::memory_order_relaxed);
  int32_t frame = frameIndex.load(std::memory_order_relaxed);
  const OffscreenSurface* shown = state >= 0 && state < kAnimStateCount ? surfaces[state].get() : nullptr;
  if (shown == nullptr || !shown->HasFrame(frame)) {
    shown = &placeholder;
    frame = 0;
  }
  const OffscreenSurface& surface = *shown;
  if (!surface.HasFrame(frame)) return;
  const Rect rect = GetWindowRect();
  const Size size{surface.FrameWidth(), surface.FrameHeight()};
  if (rect.Width() != size.cx || rect.Height() != size.cy) {
    SetWindowPos(ZOrder::Keep, 0, 0, size.cx, size.cy, swp::kNoMove | swp::kNoZOrder | swp::kNoActivate);
  }
  UpdateLayeredWindow(Point{rect.left, rect.top}, size, surface.Strip(), surface.FrameOrigin(frame));
}

void CSpriteWindow::FollowWorker() {
  if (frameChanged.load(std::memory_order_relaxed) != 0) {
    Render();
    frameChanged.store(0, std::memory_order_relaxed);
  }
  if (moving.load(std::memory_order_relaxed) != 0) {
    SetWindowPos(ZOrder::Keep, targetX.load(std::memory_order_relaxed), targetY.load(std::memory_order_relaxed), 0, 0,
                 swp::kNoSize | swp::kNoZOrder | swp::kNoActivate);
  }
}

bool CSpriteWindow::HasWork() const {
  return frameChanged.load(std::memory_order_relaxed) != 0 || moving.load(std::memory_order_relaxed) != 0;
}

void CSpriteWindow::StorePosition() {
  if (GetSafeHwnd() == nullptr) return;
  const Rect rect = GetWindowRect();
  settings.position = Point{rect.left, rect.top};
}

Point CSpriteWindow::FirstPlace() const {
  const std::vector<Rect> taken = host.TakenPlaces(this);
  const Rect rect = GetWindowRect();
  return FirstPosition({rect.Width(), rect.Height()}, platform::Monitors(), taken).value_or(Point{});
}

void CSpriteWindow::KeepReachable() {
  if (GetSafeHwnd() == nullptr) return;
  const std::optional<Point> to = RescuedPosition(GetWindowRect(), platform::Monitors());
  if (to) SetWindowPos(ZOrder::Keep, to->x, to->y, 0, 0, swp::kNoSize | swp::kNoZOrder | swp::kNoActivate);
}

bool CSpriteWindow::DestroyWindow() {
  StopWorker();
  StorePosition();
  rangeEditor.DestroyWindow();
  ReleaseStrips();
  return CWnd::DestroyWindow();
}

bool CSpriteWindow::StartWorker() {
  const bool drift = settings.moveMethod == 1;
  const uint32_t seed = drift ? MotionSeed(slot) : 0;
  SpriteWorkerState& shared = *this;
  return platform::StartThread(worker, [drift, seed, &shared] {
    drift ? DriftThreadProc(shared, seed) : AnimationThreadProc(shared);
  });
}

void CSpriteWindow::StopWorker() {
  if (!worker.joinable()) return;
  RequestStop(*this);
  worker.join();
  stopRequest.store(0);
}

void CSpriteWindow::RestartWorker() {
  StopWorker();
  // Without a worker the sprite stands on its last frame, still closable.
  if (!StartWorker()) moving.store(0, std::memory_order_relaxed);
}
