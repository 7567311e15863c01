// Replays of matches played by people: keyboard, mouse and gamepad input in
// a real window, recorded as the match goes, replays frame-exact in the real
// executable; and a replay in a window pauses and steps on its keys.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "app/Match.h"
#include "host/HostRun.h"
#include "host/window/WindowedMatchFixture.h"
#include "platform/Window.h"
#include "replay/DivergenceWatch.h"
#include "replay/FrameHook.h"
#include "replay/MatchRecorder.h"
#include "replay/Recording.h"
#include "replay/ReplayClock.h"
#include "replay/ReplayInputSystem.h"
#include "replay/WorldProbe.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> WithoutSounds(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (line.find(" sound ") == std::string::npos) kept.push_back(line);
  }
  return kept;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("#", 0) != 0) lines.push_back(line);
  }
  return lines;
}

class ReplayTest : public WindowedMatchFixture {
 protected:
  ReplayTest() : WindowedMatchFixture(false, false) {}
};

TEST_F(ReplayTest, KeyboardMouseAndGamepadInputReplaysFrameExactWithTheSameLogAndSummary) {
  const fs::path folder = fs::temp_directory_path() / ("tidewater-replay-test-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "people.rec";
  auto* recorder = new MatchRecorder(match);
  std::string error;
  ASSERT_TRUE(recorder->Open(file.string(), MatchRecorder::HeaderFor(*match), error)) << error;
  Engine::AddSystem(new FrameHook([recorder] { recorder->Mark(); }));
  Engine::AddSystem(recorder);
  auto* script = new RecordingSystem(L"Script");
  Engine::AddSystem(script);

  // Walk and sprint on the keyboard, look with the mouse, then a gamepad
  // walks, looks, sprints and fires, and the window is closed.
  VirtualPad* pad = nullptr;
  int frame = 0;
  script->onUpdate = [&](float) {
    switch (++frame) {
      case 2:
        pad = &PlugPad();
        break;
      case 5:
        PushKey(SDL_SCANCODE_W, true);
        break;
      case 15:
        PushMouseMotion(40, -10);
        PushKey(SDL_SCANCODE_LSHIFT, true);
        break;
      case 30:
        PushKey(SDL_SCANCODE_W, false);
        PushKey(SDL_SCANCODE_LSHIFT, false);
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
        break;
      case 45:
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_RIGHTX, 20000);
        SDL_JoystickSetVirtualButton(pad->joystick, SDL_CONTROLLER_BUTTON_A, 1);
        break;
      case 60:
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_RIGHTX, 0);
        SDL_JoystickSetVirtualButton(pad->joystick, SDL_CONTROLLER_BUTTON_A, 0);
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
        break;
      case 75: {
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        Push(close);
        break;
      }
      default:
        break;
    }
  };
  const Vectormath::Aos::Vector3 keyboardStart = PositionOf(0);
  const Vectormath::Aos::Vector3 padStart = PositionOf(1);
  recorder->Begin(*input);
  Engine::GameLoop();
  ASSERT_TRUE(recorder->Finish(error)) << error;
  ASSERT_GT(Vectormath::Aos::length(PositionOf(0) - keyboardStart), 1.0f);
  ASSERT_GT(Vectormath::Aos::length(PositionOf(1) - padStart), 1.0f);
  EXPECT_EQ(match->endReason, "the window was closed");
  std::ostringstream summary;
  match->PrintSummary(summary);

  // Both seats' input is in the recording, each on its own seat.
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Recording recording;
  Recording::Error parseError;
  ASSERT_TRUE(Recording::Parse({reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()}, recording,
                               parseError))
      << parseError.Describe();
  EXPECT_TRUE(recording.complete);
  std::array<int, 2> handed{};
  for (const auto& recorded : recording.frames) {
    for (const auto& item : recorded.items) {
      if (item.kind == Recording::Item::Kind::HandToSeat && item.seat < 2) ++handed[item.seat];
    }
  }
  EXPECT_GT(handed[0], 10);
  EXPECT_GT(handed[1], 10);

  const fs::path log = folder / "replay.log";
  const HostRun run = RunHost("replay " + Quoted(file) + " --log " + Quoted(log) + " --resources " +
                              Quoted(fs::path(TIDEWATER_SOURCE_DIR) / "Resources"));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find(summary.str()), std::string::npos) << summary.str() << "\n---\n" << run.output;
  // This match had no audio system to name its sounds; the replay does.
  EXPECT_EQ(WithoutSounds(LinesOf(ReadFile(log))), WithoutSounds(match->Log().Lines()));
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

// A replay of frames that hold nothing, in this window: Space pauses, N steps
// one frame while paused (and waits for it), Space again resumes.
TEST_F(ReplayTest, AWindowedReplayPausesOnSpaceStepsOnNAndResumes) {
  Recording recording;
  recording.complete = true;
  recording.frames.resize(6);
  for (Recording::Frame& recorded : recording.frames) recorded.stateHash = WorldProbe::Capture().Hash();
  ReplayClock clock(recording);
  Platform::HeadlessWindow platformWindow;
  DivergenceWatch watch;
  ReplayInputSystem replay(match, recording, clock, platformWindow, watch, {window, 1000.0, 0});
  replay.Prologue();
  const auto key = [this](SDL_Scancode code) {
    PushKey(code, true);
    PushKey(code, false);
  };

  key(SDL_SCANCODE_SPACE);
  key(SDL_SCANCODE_N);
  replay.Update(0.0f);
  EXPECT_EQ(replay.Frame(), 1u);
  EXPECT_NE(std::string(SDL_GetWindowTitle(window)).find("paused at frame 1"), std::string::npos);

  // Paused, the next frame waits for its key.
  std::thread stepper([this, &key] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    key(SDL_SCANCODE_N);
  });
  const auto before = std::chrono::steady_clock::now();
  replay.Update(0.0f);
  const auto waited = std::chrono::steady_clock::now() - before;
  stepper.join();
  EXPECT_EQ(replay.Frame(), 2u);
  EXPECT_GE(waited, std::chrono::milliseconds(100));

  key(SDL_SCANCODE_SPACE);
  replay.Update(0.0f);
  replay.Update(0.0f);
  EXPECT_EQ(replay.Frame(), 4u);
  EXPECT_EQ(std::string(SDL_GetWindowTitle(window)).find("paused"), std::string::npos);
  EXPECT_FALSE(watch.Diverged()) << watch.Report();
}

}  // namespace
