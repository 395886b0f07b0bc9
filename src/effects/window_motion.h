#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantAnimation>
#include <deque>
#include <functional>
#include <vector>

#include "platform/twips.h"

namespace zelvo {

class Desktop;
class MotionTargets;
class OptionValues;
struct PlayerState;

// Where the bar and the playlist window stand.
enum class WindowState {
  Collapsed,   // the bar on the top edge, the playlist window hidden
  Dropped,     // the playlist window hanging beneath the bar
  TuckedAway,  // the bar hidden, the strip on the top edge
};

// The playlist drop-down and the auto-hide of the bar. With "Animation
// Effects" ticked each move is a slide through the steps of its kind, paced
// by an animation timer so it lasts kSlideMilliseconds on any machine;
// otherwise the windows jump. A request that arrives during a slide (a
// toggle, a hover tick, a reveal) runs once the slide has ended, so two
// slides never overlap and no slide runs a nested event loop.
//
// While DialogOpen is set, neither the playlist rises nor the bar hides.
class WindowMotion : public QObject {
  Q_OBJECT
 public:
  // A quarter second: seen as a slide (about 15 frames at 60 a second) and
  // over before the user would wait for it, however many steps it has.
  static constexpr int kSlideMilliseconds = 250;
  static constexpr int kHoverMilliseconds = 1000;

  WindowMotion(MotionTargets& windows, Desktop& desktop, const PlayerState& state, const OptionValues& options,
               const Twips& twips);

  // The playlist window up when it is shown, down when it is not.
  void TogglePlaylistDrop();
  // Shows the playlist window hanging beneath the bar, then runs `then`.
  void DropPlaylist(std::function<void()> then = {});
  // Hides the playlist window behind the bar, then runs `then` (also when a
  // dialog keeps the list where it is).
  void RaisePlaylist(std::function<void()> then = {});
  // Raises the playlist, slides the bar off the top edge and shows the strip.
  void HidePlayer();
  // Hides the strip and brings the bar back to the top edge.
  void RevealPlayer();
  // A pointer move over the bar or the list: the next hover tick comes a full
  // interval later, and the volume bar hides.
  void ResetHoverTimer();
  // Brings the bar back and drops the playlist, so files dragged onto the
  // strip have somewhere to go.
  void RevealForDrop();
  // While files are dragged over the windows nothing tucks away: the drop
  // is about to land there.
  void HoldForDrag(bool held);

  // The hover test, each tick of Automation: tucks the bar away when the
  // pointer has left both windows. A tick during a slide waits for its end.
  void AutomationTick();
  // Starts the hover ticks (the end of start-up).
  void StartAutomation();
  const QTimer& Automation() const { return automation_; }

  WindowState State() const;
  bool Sliding() const { return sliding_; }

 private:
  void WhenStill(std::function<void()> operation);
  void DropNow(std::function<void()> then = {});
  void RaiseNow(std::function<void()> then);
  void HideNow();
  void RevealNow();
  void Slide(std::vector<double> positions, std::function<void(double)> place, std::function<void()> done);
  void SlideFrame(double progress);
  void SlideEnded();
  bool Animated() const;
  double TopEdge() const;

  MotionTargets& windows_;
  Desktop& desktop_;
  const PlayerState& state_;
  const OptionValues& options_;
  const Twips& twips_;
  QTimer automation_;
  QVariantAnimation clock_;
  bool sliding_ = false;
  std::vector<double> positions_;
  int shown_ = -1;
  std::function<void(double)> place_;
  std::function<void()> done_;
  std::deque<std::function<void()>> waiting_;
  bool tickWaiting_ = false;
  bool heldForDrag_ = false;
};

}  // namespace zelvo
