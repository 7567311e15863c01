#pragma once
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/System.h"
#include "input/InputTap.h"
#include "replay/Recording.h"
#include "replay/RecordingClock.h"

class InputSystem;
class Match;

// Records a match as it is played, one frame per update of the input
// system, each written and flushed as soon as the next begins, so a crash or
// Ctrl-C leaves a file that replays up to its last frame. A frame holds the
// clock readings, the game state wherever it changed, every input message
// in its order and path, the event-log lines of the menus and what they put
// on the bus, and the world state's hash (the full state every
// kCheckpointEvery frames and in the last).
//
// It is the last system of the frame (after the renderer) and wants a
// FrameHook calling Mark() just before the renderer.
class MatchRecorder : public System, public InputTap {
 public:
  static constexpr std::size_t kCheckpointEvery = 400;

  explicit MatchRecorder(std::shared_ptr<Match> match);
  ~MatchRecorder() override;
  MatchRecorder(const MatchRecorder&) = delete;
  MatchRecorder& operator=(const MatchRecorder&) = delete;

  // The header of this match on its level as the files are now.
  [[nodiscard]] static Recording::Header HeaderFor(const Match& match);

  // Starts the file with the header; false (with the reason) when it cannot be written.
  bool Open(const std::string& path, const Recording::Header& header, std::string& error);
  // Just before the frame loop: taps the input system and the clock in use.
  void Begin(InputSystem& input);
  // After the frame loop, the objects still alive: the last frame and the
  // end mark. Gives the clock back. False (with the reason) when a write failed.
  bool Finish(std::string& error);

  // From the hook before the renderer: event-log lines from here to Update are the menus'.
  void Mark();
  void Update(float timeStep) override;
  int Release() override { return 0; }
  void TransmitQueue(const MessageQueue& messages) override;

  void OnUpdateStart() override;
  void OnUpdateEnd() override;
  void OnHanded(std::uint32_t seat, const Message& message) override;
  void OnRelayed(const Message& message) override;
  void OnWindowClosed() override;
  void OnClockReading(Recording::Item::Kind kind, std::int64_t value);

 private:
  void SampleState();
  void CloseFrame(bool checkpoint);
  void Write(const std::string& bytes);
  void Push(Recording::Item item) { mFrame.items.push_back(std::move(item)); }

  std::shared_ptr<Match> mMatch;
  std::FILE* mFile = nullptr;
  std::string mPath;
  bool mWriteFailed = false;
  bool mRecording = false;
  InputSystem* mInput = nullptr;
  Platform::Clock* mInnerClock = nullptr;
  std::optional<RecordingClock> mClock;
  Recording::Frame mFrame;
  std::size_t mFrameIndex = 0;
  std::optional<Recording::State> mLastState;
  bool mCapturingNotes = false;
  bool mInterrupted = false;
  std::vector<Recording::Item> mNotes;
};
