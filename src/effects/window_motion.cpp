#include "effects/window_motion.h"

#include "base/layout.h"
#include "base/option_values.h"
#include "base/player_state.h"
#include "effects/hover_check.h"
#include "effects/motion_targets.h"
#include "effects/slide_plan.h"
#include "platform/desktop.h"

namespace zelvo {

WindowMotion::WindowMotion(MotionTargets& windows, Desktop& desktop, const PlayerState& state,
                           const OptionValues& options, const Twips& twips)
    : windows_(windows), desktop_(desktop), state_(state), options_(options), twips_(twips) {
  connect(&automation_, &QTimer::timeout, this, &WindowMotion::AutomationTick);
  clock_.setStartValue(0.0);
  clock_.setEndValue(1.0);
  clock_.setDuration(kSlideMilliseconds);
  connect(&clock_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& progress) { SlideFrame(progress.toDouble()); });
  // Queued, so the next slide of a run starts outside the animation's own
  // finishing code.
  connect(&clock_, &QVariantAnimation::finished, this, &WindowMotion::SlideEnded, Qt::QueuedConnection);
}

void WindowMotion::TogglePlaylistDrop() {
  WhenStill([this] {
    if (windows_.PlaylistVisible())
      RaiseNow({});
    else
      DropNow();
  });
}

void WindowMotion::DropPlaylist(std::function<void()> then) {
  WhenStill([this, then = std::move(then)]() mutable { DropNow(std::move(then)); });
}

void WindowMotion::RaisePlaylist(std::function<void()> then) {
  WhenStill([this, then = std::move(then)]() mutable { RaiseNow(std::move(then)); });
}

void WindowMotion::HidePlayer() {
  WhenStill([this] { HideNow(); });
}

void WindowMotion::RevealPlayer() {
  WhenStill([this] { RevealNow(); });
}

void WindowMotion::ResetHoverTimer() {
  automation_.start(kHoverMilliseconds);
  windows_.HideVolumeBar();
}

void WindowMotion::RevealForDrop() {
  WhenStill([this] { RevealNow(); });
  WhenStill([this] {
    if (!windows_.PlaylistVisible()) DropNow();
  });
}

void WindowMotion::HoldForDrag(bool held) {
  heldForDrag_ = held;
  if (!held) ResetHoverTimer();
}

void WindowMotion::StartAutomation() { automation_.start(kHoverMilliseconds); }

WindowState WindowMotion::State() const {
  if (!windows_.PlayerVisible()) return WindowState::TuckedAway;
  return windows_.PlaylistVisible() ? WindowState::Dropped : WindowState::Collapsed;
}

void WindowMotion::AutomationTick() {
  if (sliding_) {
    tickWaiting_ = true;
    return;
  }
  if (heldForDrag_) return;
  HoverScene scene;
  scene.playerVisible = windows_.PlayerVisible();
  scene.popUpMenuOpen = windows_.PopUpMenuOpen();
  if (scene.playerVisible && !scene.popUpMenuOpen) scene.cursor = desktop_.CursorPos();
  scene.player = windows_.PlayerGeometry();
  scene.playlistVisible = windows_.PlaylistVisible();
  scene.playlist = windows_.PlaylistGeometry();
  if (!ShouldTuckAway(scene, twips_)) return;
  windows_.HideVolumeBar();
  HideNow();
}

void WindowMotion::WhenStill(std::function<void()> operation) {
  if (sliding_)
    waiting_.push_back(std::move(operation));
  else
    operation();
}

void WindowMotion::DropNow(std::function<void()> then) {
  const double rest = TopEdge() + windows_.PlayerGeometry().height();
  auto settle = [this, rest, then = std::move(then)] {
    windows_.PlacePlaylistTop(rest);
    windows_.SetPlaylistVisible(true);
    if (then) then();
  };
  if (!Animated()) return settle();
  // The list starts just above the edge and comes out from behind the bar,
  // which takes no clicks meanwhile.
  const double start = TopEdge() - windows_.PlaylistGeometry().height();
  windows_.SetPlayerEnabled(false);
  windows_.PlacePlaylistTop(start);
  windows_.SetPlaylistVisible(true);
  windows_.StackPlayerOverPlaylist();
  Slide(SlidePositions(start, rest, kDropStep), [this](double top) { windows_.PlacePlaylistTop(top); },
        [this, settle] {
          windows_.SetPlayerEnabled(true);
          settle();
        });
}

void WindowMotion::RaiseNow(std::function<void()> then) {
  if (state_.DialogOpen) {
    if (then) then();  // the list stays; what waited for it goes on
    return;
  }
  const QRectF list = windows_.PlaylistGeometry();
  // The hidden window goes back to its resting place, so that whatever
  // shows it next shows it beneath the bar and not above the screen.
  const double rest = TopEdge() + windows_.PlayerGeometry().height();
  auto settle = [this, rest, then = std::move(then)] {
    windows_.SetPlaylistVisible(false);
    windows_.PlacePlaylistTop(rest);
    if (then) then();
  };
  // A hidden list has nowhere to slide from.
  if (!Animated() || !windows_.PlaylistVisible()) return settle();
  windows_.SetPlayerEnabled(false);
  windows_.StackPlayerOverPlaylist();
  Slide(SlidePositions(list.top(), TopEdge() - list.height(), kRaiseStep),
        [this](double top) { windows_.PlacePlaylistTop(top); },
        [this, settle] {
          windows_.SetPlayerEnabled(true);
          settle();
        });
}

void WindowMotion::HideNow() {
  if (state_.DialogOpen) return;
  RaiseNow([this] {
    auto settle = [this] {
      windows_.SetPlayerVisible(false);
      windows_.PlacePlayerTop(TopEdge());
      windows_.ShowStrip(QRectF(state_.ScreenLeft + state_.ScreenWidth / 2.0 - layout::kStripWidth / 2.0, TopEdge(),
                                layout::kStripWidth, layout::kStripHeight));
    };
    if (!Animated()) return settle();
    const QRectF bar = windows_.PlayerGeometry();
    Slide(SlidePositions(bar.top(), TopEdge() - bar.height(), kHideStep),
          [this](double top) { windows_.PlacePlayerTop(top); }, settle);
  });
}

void WindowMotion::RevealNow() {
  // Pointer moves queued behind the first one that brought the bar back
  // find it already there.
  if (State() != WindowState::TuckedAway) return;
  windows_.HideStrip();
  auto settle = [this] {
    windows_.PlacePlayerTop(TopEdge());
    windows_.SetPlayerVisible(true);
  };
  if (!Animated()) return settle();
  const double start = TopEdge() - windows_.PlayerGeometry().height();
  windows_.PlacePlayerTop(start);
  windows_.SetPlayerVisible(true);
  Slide(SlidePositions(start, TopEdge(), kRevealStep), [this](double top) { windows_.PlacePlayerTop(top); }, settle);
}

void WindowMotion::Slide(std::vector<double> positions, std::function<void(double)> place,
                         std::function<void()> done) {
  if (positions.empty()) return done();
  sliding_ = true;
  positions_ = std::move(positions);
  shown_ = -1;
  place_ = std::move(place);
  done_ = std::move(done);
  clock_.start();
}

void WindowMotion::SlideFrame(double progress) {
  if (!sliding_) return;
  const int index = PositionIndexAt(progress, positions_.size());
  if (index <= shown_) return;
  shown_ = index;
  place_(positions_[index]);
}

void WindowMotion::SlideEnded() {
  std::function<void()> done = std::move(done_);
  sliding_ = false;
  done();  // may start the next slide of the same request
  while (!sliding_ && !waiting_.empty()) {
    std::function<void()> next = std::move(waiting_.front());
    waiting_.pop_front();
    next();
  }
  if (!sliding_ && tickWaiting_) {
    tickWaiting_ = false;
    AutomationTick();
  }
}

bool WindowMotion::Animated() const { return options_.IsChecked(Entry::AniEffects); }

double WindowMotion::TopEdge() const { return state_.ScreenTop; }

}  // namespace zelvo
