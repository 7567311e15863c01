#include "replay/ReplayInputSystem.h"

#include <SDL.h>

#include <thread>

#include "app/Match.h"
#include "app/StopSignal.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "core/Message.h"
#include "input/Controller.h"
#include "objects/Object.h"
#include "replay/DivergenceWatch.h"
#include "replay/InputCodec.h"
#include "replay/ReplayClock.h"

ReplayInputSystem::ReplayInputSystem(std::shared_ptr<Match> match, const Recording& recording, ReplayClock& clock,
                                     Platform::HeadlessWindow& platformWindow, DivergenceWatch& watch, Viewing viewing)
    : InputSystem(std::move(match), 0),
      mRecording(recording),
      mClock(clock),
      mPlatformWindow(platformWindow),
      mWatch(watch),
      mViewing(viewing) {}

void ReplayInputSystem::Prologue() {
  mFrame = 0;
  mNext = 0;
  mClock.StartFrame(0);
  // Frame 0 holds the starting state and the loop's first clock readings; it has no input.
  for (const Recording::Item& item : mRecording.frames.front().items) {
    if (item.kind == Recording::Item::Kind::State) Apply(item);
  }
  mNext = mRecording.frames.front().items.size();
}

void ReplayInputSystem::Update(float /*timeStep*/) {
  if (mStopped) return;
  // Ctrl-C on the replay itself ends it where it is.
  if (StopSignal::Pending()) {
    mStoppedByViewer = true;
    Stop();
    return;
  }
  const float now = GetMatch().Time();
  // The frame before has ended: does it match its record?
  if (const std::string problem = mClock.FinishFrame(); !problem.empty()) {
    mWatch.Note(mFrame, now, "the engine read the clock differently (" + problem + ")");
  }
  mWatch.Check(mFrame, mRecording.frames[mFrame], now);
  ++mFrame;
  mNext = 0;
  if (mWatch.ShouldStop()) {
    Stop();
    return;
  }
  if (mFrame >= mRecording.frames.size()) {
    if (mRecording.complete) {
      mWatch.Note(mFrame, now, "the recording ends here, but the replayed match goes on");
    } else {
      mRanOut = true;
    }
    Stop();
    return;
  }
  mClock.StartFrame(mFrame);
  if (mViewing.window != nullptr) Pace();
  if (!mStopped) ApplyItems(false);
}

void ReplayInputSystem::Tail() {
  if (!mStopped && mFrame < mRecording.frames.size()) ApplyItems(true);
}

void ReplayInputSystem::Finish() {
  if (mStopped) return;
  const float now = GetMatch().Time();
  // Ended by the window's frame count, the loop skipped the next frame's first clock reading.
  const bool frameCountReached = mViewing.frames > 0 && mFrame >= mViewing.frames;
  if (const std::string problem = mClock.FinishFrame(); !problem.empty() && !frameCountReached) {
    mWatch.Note(mFrame, now, "the engine read the clock differently (" + problem + ")");
  }
  mWatch.Check(mFrame, mRecording.frames[mFrame], now);
  if (frameCountReached && mFrame + 1 < mRecording.frames.size()) {
    mStoppedByViewer = true;
  } else if (mRecording.complete && mFrame + 1 < mRecording.frames.size()) {
    mWatch.Note(mFrame, now,
                "the replayed match ended here; the recording goes on to frame " +
                    std::to_string(mRecording.frames.size() - 1));
  }
}

void ReplayInputSystem::ApplyItems(bool throughTail) {
  const auto& items = mRecording.frames[mFrame].items;
  for (; mNext < items.size() && !mStopped; ++mNext) {
    if (items[mNext].kind == Recording::Item::Kind::Tail) {
      if (!throughTail) return;
      continue;
    }
    Apply(items[mNext]);
  }
}

void ReplayInputSystem::Apply(const Recording::Item& item) {
  using Kind = Recording::Item::Kind;
  switch (item.kind) {
    case Kind::State:
      GameState::SetState(static_cast<STATE>(item.state.state));
      GameState::SetMenuState(static_cast<MENU_STATE>(item.state.menuState));
      Controller::isFullscreened = item.state.fullscreen;
      mPlatformWindow.SetClientSize({item.state.width, item.state.height});
      break;
    case Kind::HandToSeat: {
      const auto message = InputCodec::Decode(item.input);
      const auto object = SeatObject(item.seat);
      if (message && object) {
        HandTo(item.seat, *object, message);
      } else {
        mWatch.Note(mFrame, GetMatch().Time(),
                    message ? "seat " + std::to_string(item.seat + 1) + " has no player object to take its input"
                            : "an input of message type " + std::to_string(item.input.type) + " the host never makes");
      }
      break;
    }
    case Kind::Relay:
      if (const auto message = InputCodec::Decode(item.input)) Relay(message);
      break;
    case Kind::Note:
      GetMatch().Log().Add(item.noteTime, item.noteSubject, item.noteText);
      break;
    case Kind::WindowClosed:
      CloseWindow();
      break;
    case Kind::Interrupted:
      StopSignal::Raise();
      break;
    case Kind::Milliseconds:
    case Kind::CalendarSeconds:
    case Kind::Tail:
      break;
  }
}

void ReplayInputSystem::Stop() {
  mStopped = true;
  // Whatever the rest of this frame reads of the clock is not checked any more.
  mClock.StartFrame(mRecording.frames.size());
  Engine::RelayMessage(std::make_shared<Message>(L"Replay", MT_QUIT));
}

void ReplayInputSystem::Pace() {
  using Clock = std::chrono::steady_clock;
  if (mFrame == 1) {
    mAnchor = Clock::now();
    mAnchorFrame = mFrame;
  }
  const bool wasPaused = mPaused;
  bool step = false;
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      const bool closed = event.type == SDL_QUIT ||
                          (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) ||
                          (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE);
      if (closed) {
        mStoppedByViewer = true;
        Stop();
        return;
      }
      if (event.type == SDL_KEYDOWN && event.key.repeat == 0) OnKey(event, step);
    }
    if (!mPaused || step) break;
    SDL_WaitEventTimeout(nullptr, 50);
  }
  if (wasPaused || step) {
    // Time stood still while paused: keep the speed from here on.
    mAnchor = Clock::now();
    mAnchorFrame = mFrame;
  }
  const double recorded = static_cast<double>(mClock.RecordedSpan(mFrame) - mClock.RecordedSpan(mAnchorFrame));
  const auto due = mAnchor + std::chrono::duration_cast<Clock::duration>(
                                 std::chrono::duration<double, std::milli>(recorded / mViewing.speed));
  if (Clock::now() < due) std::this_thread::sleep_until(due);
}

void ReplayInputSystem::OnKey(const SDL_Event& event, bool& step) {
  switch (event.key.keysym.scancode) {
    case SDL_SCANCODE_SPACE:
      mPaused = !mPaused;
      break;
    case SDL_SCANCODE_N:
    case SDL_SCANCODE_RIGHT:
      if (mPaused) step = true;
      break;
    default:
      return;
  }
  const std::string title = "Tidewater replay - " + GetMatch().Options().level +
                            (mPaused ? " - paused at frame " + std::to_string(mFrame) + " (Space resumes, N steps)" : "");
  SDL_SetWindowTitle(mViewing.window, title.c_str());
}
