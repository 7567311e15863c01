#include "app/HostApp.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>

#include "app/Match.h"
#include "app/SeededClock.h"
#include "app/StopSignal.h"
#include "audio/AudioSystem.h"
#include "audio/SdlAudioSystem.h"
#include "check/ComponentReference.h"
#include "check/LevelCheck.h"
#include "check/LevelFiles.h"
#include "check/LevelScaffold.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "game/GameSystem.h"
#include "input/InputSystem.h"
#include "input/MenuCursor.h"
#include "input/SdlInputSystem.h"
#include "objects/FileFunctions.h"
#include "physics/PhysicsSystem.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "render/GlRendererSystem.h"
#include "render/GlWindow.h"
#include "render/RendererSystem.h"
#include "replay/FrameHook.h"
#include "replay/MatchRecorder.h"
#include "replay/MatchReplay.h"

bool HostApp::ResolveResourceRoot(const std::string& resources) {
  std::error_code error;
  if (!resources.empty()) {
    if (!std::filesystem::is_directory(resources, error)) {
      mErr << "tidewater-host: --resources: no such folder: " << resources << '\n';
      return false;
    }
    Platform::SetResourceRoot(resources);
    return true;
  }
  Platform::SetResourceRoot("");
  if (std::filesystem::is_directory(Platform::NativePath(std::wstring(Platform::kDefaultResourceRoot)), error)) {
    return true;
  }
  // Run from a build tree or anywhere else: the repository's own levels.
  Platform::SetResourceRoot(std::string(TIDEWATER_SOURCE_DIR) + "/Resources");
  return true;
}

std::string HostApp::LevelFile(const std::string& level) { return LevelFiles::LevelFile(level); }

std::string HostApp::ResourceFolder() {
  std::error_code error;
  const std::string root = Platform::ResourceRoot().empty()
                               ? Platform::NativePath(std::wstring(Platform::kDefaultResourceRoot))
                               : Platform::ResourceRoot();
  const std::filesystem::path absolute = std::filesystem::absolute(root, error);
  return error ? root : absolute.lexically_normal().string();
}

void HostApp::DropLevel() {
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
}

int HostApp::Run(const HostOptions& options) {
  if (options.command == HostOptions::Command::Describe) return Describe(options);
  if (!ResolveResourceRoot(options.resources)) return 2;
  if (options.command == HostOptions::Command::NewLevel) return NewLevel(options);
  if (options.command == HostOptions::Command::Replay) return MatchReplay(mOut, mErr).Run(options);
  std::error_code error;
  const std::string file = LevelFile(options.level);
  if (!LevelFiles::NameProblem(options.level).empty() || !std::filesystem::is_regular_file(file, error)) {
    mErr << "tidewater-host: no level named '" << options.level << "' (looked for " << file << ")\n";
    return 2;
  }
  mErr << "tidewater-host: resources: " << ResourceFolder() << '\n';
  return options.command == HostOptions::Command::Check ? Check(options) : Play(options);
}

template <class Work>
int HostApp::WithEngine(Work work) {
  Engine::Initialize();
  const int code = work();
  DropLevel();
  Engine::Release();
  return code;
}

int HostApp::Check(const HostOptions& options) {
  return WithEngine([&] { return LevelCheck::Run(options.level, mOut, options.json) ? 0 : 1; });
}

int HostApp::Describe(const HostOptions& options) {
  return WithEngine([&] {
    if (ComponentReference::Print(mOut, options.component)) return 0;
    mErr << "tidewater-host: describe: no component named '" << options.component << "'"
         << ComponentReference::DidYouMean(options.component) << '\n';
    return 2;
  });
}

int HostApp::NewLevel(const HostOptions& options) {
  std::error_code error;
  if (std::filesystem::exists(LevelFiles::LevelFolder(options.level), error)) {
    mErr << "tidewater-host: new-level: " << LevelFiles::LevelFolder(options.level)
         << " exists already; not overwriting it\n";
    return 1;
  }
  mErr << "tidewater-host: resources: " << ResourceFolder() << '\n';
  return WithEngine([&] {
    std::string problem;
    if (!LevelScaffold::Write(options.level, options.rooms, problem)) {
      mErr << "tidewater-host: new-level: " << problem << '\n';
      return 1;
    }
    mOut << "Wrote " << LevelFiles::LevelFile(options.level) << " and its archetypes (" << options.rooms
         << " rooms).\nNext: tidewater-host check --level " << options.level << '\n';
    return 0;
  });
}

std::unique_ptr<GlWindow> HostApp::OpenWindow(HostOptions& options, int& exitCode) {
  exitCode = 0;
  const bool wanted = options.display == HostOptions::Display::Window || !options.screenshot.empty();
  if (options.display == HostOptions::Display::Headless || (!wanted && options.view == HostOptions::View::Text)) {
    options.display = HostOptions::Display::Headless;
  } else if (wanted || HasDisplay()) {
    std::string error;
    auto window = GlWindow::Open("Tidewater - " + options.level, options.windowWidth, options.windowHeight, error);
    if (window) {
      options.display = HostOptions::Display::Window;
      return window;
    }
    if (wanted) {
      mErr << "tidewater-host: cannot open a window: " << error << '\n';
      exitCode = 2;
      return nullptr;
    }
    mErr << "tidewater-host: no window (" << error << "), playing headless with bots\n";
    options.display = HostOptions::Display::Headless;
  } else {
    mErr << "tidewater-host: no display, playing headless with bots (--window asks for one)\n";
    options.display = HostOptions::Display::Headless;
  }
  if (options.frames > 0) {
    mErr << "tidewater-host: --frames needs a window\n";
    exitCode = 2;
  } else if (options.humans > 0) {
    mErr << "tidewater-host: --humans needs a window; headless, bots play every seat\n";
    exitCode = 2;
  }
  options.humans = 0;
  return nullptr;
}

bool HostApp::HasDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

int HostApp::HumanSeats(const HostOptions& options) {
  if (options.display != HostOptions::Display::Window) return 0;
  if (options.humans >= 0) return std::min(options.humans, options.players);
  // A screenshot is taken of bots unless people are asked for.
  if (!options.screenshot.empty()) return 0;
  // The keyboard and mouse, and each gamepad connected at the start.
  int gamepads = 0;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) gamepads += SDL_IsGameController(i) ? 1 : 0;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  return std::min(options.players, 1 + gamepads);
}

int HostApp::Play(const HostOptions& requested) {
  HostOptions options = requested;
  int exitCode = 0;
  const std::unique_ptr<GlWindow> window = OpenWindow(options, exitCode);
  if (exitCode != 0) return exitCode;
  options.humans = HumanSeats(options);
  // A window someone plays in runs at the engine's own pace.
  if (options.display == HostOptions::Display::Window && options.screenshot.empty()) options.realtime = true;
  auto match = std::make_shared<Match>(options, &mOut);
  for (int seat = 0; seat < options.humans; ++seat) match->Players()[static_cast<std::size_t>(seat)].human = true;
  std::string logError;
  if (!options.logFile.empty() &&
      !match->Log().OpenFile(options.logFile, EventLog::FileHeader(options.level, options.seed), logError)) {
    mErr << "tidewater-host: --log: " << logError << '\n';
    return 2;
  }
  std::unique_ptr<MatchRecorder> recorder;
  if (!options.recordFile.empty()) {
    recorder = std::make_unique<MatchRecorder>(match);
    std::string error;
    if (!recorder->Open(options.recordFile, MatchRecorder::HeaderFor(*match), error)) {
      mErr << "tidewater-host: --record: " << error << '\n';
      return 2;
    }
  }
  // Fast mode: virtual time, so a frame costs no waiting and a match is the
  // same on every run; the calendar seconds that seed the flood order start
  // at the seed either way.
  Platform::VirtualClock virtualClock(static_cast<std::int64_t>(options.seed));
  SeededClock realClock(static_cast<std::int64_t>(options.seed));
  if (options.realtime) {
    Platform::SetClock(&realClock);
  } else {
    Platform::SetClock(&virtualClock);
  }

  auto* game = new GameSystem(match);
  SdlInputSystem* windowInput = nullptr;
  InputSystem* input = nullptr;
  if (window) {
    // Gamepads plugged in later take free seats, unless the seats were counted.
    const int humans =
        requested.humans >= 0 || !options.screenshot.empty() ? options.humans : SdlInputSystem::kAutoHumans;
    input = windowInput = new SdlInputSystem(match, options.seed, window->Handle(), humans);
  } else {
    input = new InputSystem(match, options.seed);
  }
  Engine::AddSystem(input);
  Engine::AddSystem(game);
  Engine::AddSystem(new PhysicsSystem(match));
  // Sound with the window; headless, muted or in a screenshot run, the log's sound lines only.
  if (options.display == HostOptions::Display::Window && !options.mute && options.screenshot.empty()) {
    Engine::AddSystem(new SdlAudioSystem(match));
  } else {
    Engine::AddSystem(new AudioSystem(match));
  }
  // The recorder sees what the menus do from around the renderer.
  MatchRecorder* recording = recorder.get();
  if (recording != nullptr) Engine::AddSystem(new FrameHook([recording] { recording->Mark(); }));
  if (window) {
    auto* renderer = new GlRendererSystem(match, *window, {options.screenshot, options.frames}, mOut, mErr);
    windowInput->AddEventObserver([renderer](const SDL_Event& event) { renderer->OnEvent(event); });
    Engine::AddSystem(renderer);
  } else {
    Engine::AddSystem(new RendererSystem(match, options.view == HostOptions::View::Text, &mOut));
  }
  if (recording != nullptr) Engine::AddSystem(recorder.release());
  Engine::Initialize();
  Engine::mFactory.LoadLevel(options.level);
  const LevelCheck::Result checked = LevelCheck::Inspect(options.level);
  if (!checked.report.Clean()) {
    LevelCheck::Print(checked, options.level, mErr, false);
    if (!options.force) {
      mErr << "tidewater-host: not playing " << options.level
           << " until check finds it clean (--force plays it anyway)\n";
      DropLevel();
      Engine::Release();
      Platform::SetClock(nullptr);
      return 1;
    }
  }

  game->BeginMatch();
  const bool menuFirst =
      options.start == HostOptions::Start::Menu || (options.start == HostOptions::Start::Auto && options.Interactive());
  if (menuFirst) {
    GameState::SetState(STATE_MENU);
    GameState::SetMenuState(static_cast<MENU_STATE>(MenuCursor::kFiveRowMenu));
  } else {
    GameState::SetState(STATE_PLAY);
  }
  StopSignal::Install();
  if (recording != nullptr) recording->Begin(*input);
  Engine::GameLoop();
  bool recorded = true;
  if (recording != nullptr) {
    std::string error;
    recorded = recording->Finish(error);
    if (!recorded) mErr << "tidewater-host: --record: " << error << '\n';
  }
  const int signal = StopSignal::Signal();
  StopSignal::Uninstall();
  GameState::SetState(STATE_MENU);
  const int released = Engine::Release();

  match->PrintSummary(mOut);
  mOut.flush();
  Platform::SetClock(nullptr);
  const bool logged = match->Log().FinishFile(logError);
  if (!logged) mErr << "tidewater-host: --log: " << logError << '\n';
  if (signal != 0) return 128 + signal;
  return released == 0 && logged && recorded ? 0 : 1;
}
