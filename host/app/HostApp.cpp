#include "app/HostApp.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "audio/AudioSystem.h"
#include "game/GameSystem.h"
#include "input/InputSystem.h"
#include "check/LevelCheck.h"
#include "app/Match.h"
#include "physics/PhysicsSystem.h"
#include "render/RendererSystem.h"
#include "app/SeededClock.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "objects/FileFunctions.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

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

std::string HostApp::LevelFile(const std::string& level) {
  const std::wstring name = WidenName(level);
  return Platform::NativePath(std::wstring(Platform::kDefaultResourceRoot) + L"\\Levels\\" + name + L"\\" + name +
                              L".txt");
}

int HostApp::Run(const HostOptions& options) {
  if (!ResolveResourceRoot(options.resources)) return 2;
  std::error_code error;
  const std::string file = LevelFile(options.level);
  if (options.level.empty() || !std::filesystem::is_regular_file(file, error)) {
    mErr << "tidewater-host: no level named '" << options.level << "' (looked for " << file << ")\n";
    return 2;
  }
  return options.command == HostOptions::Command::Check ? Check(options) : Play(options);
}

int HostApp::Check(const HostOptions& options) {
  Engine::Initialize();
  const bool clean = LevelCheck::Run(options.level, mOut);
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
  Engine::Release();
  return clean ? 0 : 1;
}

int HostApp::Play(const HostOptions& options) {
  auto match = std::make_shared<Match>(options, &mOut);
  if (!options.logFile.empty() && !match->Log().OpenFile(options.logFile)) {
    mErr << "tidewater-host: --log: cannot write " << options.logFile << '\n';
    return 2;
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
  Engine::AddSystem(new InputSystem(match, options.seed));
  Engine::AddSystem(game);
  Engine::AddSystem(new PhysicsSystem());
  Engine::AddSystem(new AudioSystem(match));
  Engine::AddSystem(new RendererSystem(match, options.view == HostOptions::View::Text, &mOut));
  Engine::Initialize();
  Engine::mFactory.LoadLevel(options.level);
  for (const std::string& problem : LevelCheck::Problems()) mErr << "warning: " << problem << '\n';

  game->BeginMatch();
  GameState::SetState(STATE_PLAY);
  Engine::GameLoop();
  GameState::SetState(STATE_MENU);
  const int released = Engine::Release();

  match->PrintSummary(mOut);
  mOut.flush();
  Platform::SetClock(nullptr);
  return released == 0 ? 0 : 1;
}
