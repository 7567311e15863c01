#include "replay/MatchRecorder.h"

#include <LinearMath/btScalar.h>

#include <cerrno>
#include <cstring>

#include "app/Match.h"
#include "app/StopSignal.h"
#include "core/GameState.h"
#include "core/Message.h"
#include "input/Controller.h"
#include "input/InputSystem.h"
#include "platform/Window.h"
#include "replay/InputCodec.h"
#include "replay/LevelChecksum.h"
#include "replay/WorldProbe.h"

MatchRecorder::MatchRecorder(std::shared_ptr<Match> match) : System(L"Recorder"), mMatch(std::move(match)) {}

MatchRecorder::~MatchRecorder() {
  if (mInput != nullptr) mInput->SetTap(nullptr);
  if (mClock && &Platform::GetClock() == &*mClock) Platform::SetClock(mInnerClock);
  if (mRecording) mMatch->Log().SetObserver(nullptr);
  if (mFile != nullptr) std::fclose(mFile);
}

Recording::Header MatchRecorder::HeaderFor(const Match& match) {
  const HostOptions& options = match.Options();
  Recording::Header header;
  header.hostVersion = TIDEWATER_VERSION;
  header.bulletVersion = BT_BULLET_VERSION;
  header.level = options.level;
  header.levelChecksum = LevelChecksum::Of(options.level);
  header.seed = options.seed;
  header.players = static_cast<std::uint32_t>(options.players);
  for (std::size_t seat = 0; seat < match.Players().size(); ++seat) {
    if (match.Players()[seat].human) header.humanSeats |= static_cast<std::uint8_t>(1u << seat);
  }
  header.interactive = options.Interactive();
  header.realtime = options.realtime;
  header.maxSeconds = options.maxSeconds;
  return header;
}

bool MatchRecorder::Open(const std::string& path, const Recording::Header& header, std::string& error) {
  mPath = path;
  mFile = std::fopen(path.c_str(), "wb");
  if (mFile == nullptr) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  Write(Recording::EncodeHeader(header));
  if (mWriteFailed) error = "cannot write " + path;
  return !mWriteFailed;
}

void MatchRecorder::Begin(InputSystem& input) {
  mInput = &input;
  input.SetTap(this);
  mInnerClock = &Platform::GetClock();
  mClock.emplace(*mInnerClock, *this);
  Platform::SetClock(&*mClock);
  mMatch->Log().SetObserver([this](float seconds, const std::string& subject, const std::string& text) {
    if (!mCapturingNotes) return;
    Recording::Item note;
    note.kind = Recording::Item::Kind::Note;
    note.noteTime = seconds;
    note.noteSubject = subject;
    note.noteText = text;
    mNotes.push_back(std::move(note));
  });
  mRecording = true;
  mFrame = {};
  mFrameIndex = 0;
  mInterrupted = false;
  SampleState();
}

bool MatchRecorder::Finish(std::string& error) {
  if (mRecording) {
    CloseFrame(true);
    Write(Recording::EncodeEnd());
    mRecording = false;
    mMatch->Log().SetObserver(nullptr);
  }
  if (mInput != nullptr) mInput->SetTap(nullptr);
  mInput = nullptr;
  if (mClock && &Platform::GetClock() == &*mClock) Platform::SetClock(mInnerClock);
  if (mFile != nullptr && std::fclose(mFile) != 0) mWriteFailed = true;
  mFile = nullptr;
  if (mWriteFailed) error = "writing " + mPath + " failed";
  return !mWriteFailed;
}

void MatchRecorder::Write(const std::string& bytes) {
  if (mFile == nullptr) return;
  // Flushed at once: what is written survives the program.
  if (std::fwrite(bytes.data(), 1, bytes.size(), mFile) != bytes.size() || std::fflush(mFile) != 0) {
    mWriteFailed = true;
  }
}

void MatchRecorder::CloseFrame(bool checkpoint) {
  WorldState state = WorldProbe::Capture();
  mFrame.stateHash = state.Hash();
  if (checkpoint || mFrameIndex % kCheckpointEvery == 0) mFrame.checkpoint = std::move(state);
  Write(Recording::EncodeFrame(mFrame));
  mFrame = {};
  ++mFrameIndex;
}

void MatchRecorder::SampleState() {
  const Platform::Window::Size size = Platform::GetWindow().ClientSize();
  const Recording::State state{static_cast<std::int32_t>(GameState::GetState()),
                               static_cast<std::int32_t>(GameState::GetMenuState()), Controller::isFullscreened,
                               size.width, size.height};
  if (mLastState == state) return;
  mLastState = state;
  Recording::Item item;
  item.kind = Recording::Item::Kind::State;
  item.state = state;
  Push(std::move(item));
}

void MatchRecorder::OnUpdateStart() {
  if (!mRecording) return;
  CloseFrame(false);
  SampleState();
  if (StopSignal::Requested() && !mInterrupted) {
    mInterrupted = true;
    Recording::Item item;
    item.kind = Recording::Item::Kind::Interrupted;
    Push(std::move(item));
  }
}

void MatchRecorder::OnUpdateEnd() {
  if (mRecording) SampleState();
}

void MatchRecorder::OnHanded(std::uint32_t seat, const Message& message) {
  if (!mRecording) return;
  const auto input = InputCodec::Encode(message);
  if (!input) return;
  SampleState();
  Recording::Item item;
  item.kind = Recording::Item::Kind::HandToSeat;
  item.seat = static_cast<std::uint8_t>(seat);
  item.input = *input;
  Push(std::move(item));
}

void MatchRecorder::OnRelayed(const Message& message) {
  if (!mRecording) return;
  const auto input = InputCodec::Encode(message);
  if (!input) return;
  SampleState();
  Recording::Item item;
  item.kind = Recording::Item::Kind::Relay;
  item.input = *input;
  Push(std::move(item));
}

void MatchRecorder::OnWindowClosed() {
  if (!mRecording) return;
  SampleState();
  Recording::Item item;
  item.kind = Recording::Item::Kind::WindowClosed;
  Push(std::move(item));
}

void MatchRecorder::OnClockReading(Recording::Item::Kind kind, std::int64_t value) {
  if (!mRecording) return;
  Recording::Item item;
  item.kind = kind;
  item.clock = value;
  Push(std::move(item));
}

void MatchRecorder::Mark() {
  mCapturingNotes = mRecording;
  mNotes.clear();
}

void MatchRecorder::Update(float /*timeStep*/) {
  if (!mRecording) return;
  mCapturingNotes = false;
  Push({});  // the tail mark
  for (auto& note : mNotes) Push(std::move(note));
  mNotes.clear();
  SampleState();
}

void MatchRecorder::TransmitQueue(const MessageQueue& messages) {
  if (!mRecording) return;
  // What the menus and the renderer put on the bus in this frame (quits,
  // levels asked for); the rest of the batch comes again on replay by itself.
  MessageQueue batch = messages;
  for (; !batch.empty(); batch.pop()) {
    const Message& message = *batch.front();
    const std::wstring& sender = message.GetSender();
    const MessageType type = message.GetMessageId();
    if ((sender != L"Menus" && sender != L"Renderer") || (type != MT_QUIT && type != MT_LOAD_LEVEL)) continue;
    if (const auto input = InputCodec::Encode(message)) {
      Recording::Item item;
      item.kind = Recording::Item::Kind::Relay;
      item.input = *input;
      Push(std::move(item));
    }
  }
}
