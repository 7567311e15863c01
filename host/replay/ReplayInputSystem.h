#pragma once
#include <SDL_events.h>
#include <SDL_video.h>

#include <chrono>
#include <cstddef>
#include <memory>

#include "input/InputSystem.h"
#include "platform/Window.h"
#include "replay/Recording.h"

class DivergenceWatch;
class ReplayClock;

// The "Input" system of a replay: in place of devices and bots it enters
// each recorded frame's input the way the input system did (to the seat's
// player object, or on the bus), sets the game state where it was recorded
// to change, and moves the clock on to the frame. At the start of each
// frame it checks the frame before against its record.
//
// With a window it shows the match at a speed (1 = as recorded): Space
// pauses and resumes, N (or the right arrow) steps one frame while paused,
// Esc or closing the window stops the replay.
class ReplayInputSystem : public InputSystem {
 public:
  struct Viewing {
    SDL_Window* window = nullptr;
    double speed = 1.0;
    // The window's renderer ends the replay after this many frames (0: never).
    std::size_t frames = 0;
  };

  ReplayInputSystem(std::shared_ptr<Match> match, const Recording& recording, ReplayClock& clock,
                    Platform::HeadlessWindow& platformWindow, DivergenceWatch& watch, Viewing viewing);

  // Before the loop: what frame 0 holds (the state the match started in).
  void Prologue();
  void Update(float timeStep) override;
  // From the hook after the renderer: what came of the menus in this frame.
  void Tail();
  // After the loop: the last frame's check, and a match that ended before its recording.
  void Finish();

  [[nodiscard]] std::size_t Frame() const { return mFrame; }
  // The recording was cut short and the replay went up to its end.
  [[nodiscard]] bool RanOut() const { return mRanOut; }
  // Stopped from the window before the end.
  [[nodiscard]] bool StoppedByViewer() const { return mStoppedByViewer; }

 private:
  // Applies the current frame's items from mNext up to the tail mark (or all).
  void ApplyItems(bool throughTail);
  void Apply(const Recording::Item& item);
  void Stop();
  // Window replays: keeps to the speed, and waits while paused.
  void Pace();
  void OnKey(const SDL_Event& event, bool& step);

  const Recording& mRecording;
  ReplayClock& mClock;
  Platform::HeadlessWindow& mPlatformWindow;
  DivergenceWatch& mWatch;
  Viewing mViewing;
  std::size_t mFrame = 0;
  std::size_t mNext = 0;
  bool mStopped = false;
  bool mRanOut = false;
  bool mStoppedByViewer = false;
  bool mPaused = false;
  std::chrono::steady_clock::time_point mAnchor;
  std::size_t mAnchorFrame = 0;
};
