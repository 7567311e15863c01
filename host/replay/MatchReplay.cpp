#include "replay/MatchReplay.h"

#include <LinearMath/btScalar.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/HostApp.h"
#include "app/Match.h"
#include "app/StopSignal.h"
#include "audio/AudioSystem.h"
#include "check/LevelFiles.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "game/GameSystem.h"
#include "physics/PhysicsSystem.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "render/GlRendererSystem.h"
#include "render/GlWindow.h"
#include "render/RendererSystem.h"
#include "replay/DivergenceWatch.h"
#include "replay/FrameHook.h"
#include "replay/LevelChecksum.h"
#include "replay/ReplayClock.h"
#include "replay/ReplayInputSystem.h"

namespace {

constexpr const char* kPrefix = "tidewater-host: replay: ";

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

int MatchReplay::Run(const HostOptions& options) {
  Recording recording;
  if (!Load(options.replayFile, recording)) return 2;
  if (!CheckLevel(options.replayFile, recording, options.force)) return recording.header.level.empty() ? 2 : 1;
  return Play(options, recording);
}

bool MatchReplay::Load(const std::string& path, Recording& recording) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    mErr << kPrefix << "cannot read " << path << '\n';
    return false;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Recording::Error error;
  if (!Recording::Parse({reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()}, recording, error)) {
    mErr << kPrefix << path << " is damaged at " << error.Describe() << '\n';
    return false;
  }
  if (recording.frames.empty()) {
    mErr << kPrefix << path << " holds no whole frame: it stops at "
         << (recording.cutShort ? recording.cutShort->Describe() : std::string("its header")) << '\n';
    return false;
  }
  if (recording.cutShort) {
    mErr << kPrefix << path << " is cut short at " << recording.cutShort->Describe() << "; replaying its "
         << recording.frames.size() << " whole frames\n";
  }
  return true;
}

bool MatchReplay::CheckLevel(const std::string& path, const Recording& recording, bool force) {
  const Recording::Header& header = recording.header;
  std::error_code error;
  const std::string file = LevelFiles::LevelFile(header.level);
  if (!LevelFiles::NameProblem(header.level).empty() || !std::filesystem::is_regular_file(file, error)) {
    mErr << kPrefix << path << " was recorded on level '" << header.level << "', which is not here (looked for "
         << file << ")\n";
    return false;
  }
  if (header.hostVersion != TIDEWATER_VERSION || header.bulletVersion != BT_BULLET_VERSION) {
    mErr << kPrefix << "recorded by tidewater-host " << header.hostVersion << " on Bullet " << header.bulletVersion
         << "; this is " << TIDEWATER_VERSION << " on Bullet " << BT_BULLET_VERSION
         << ", so the replay may come out differently\n";
  }
  const std::uint64_t now = LevelChecksum::Of(header.level);
  if (now == header.levelChecksum) return true;
  mErr << kPrefix << path << " was recorded on other files of level " << header.level << " than those in "
       << LevelFiles::LevelFolder(header.level) << " (checksum " << Hex(header.levelChecksum) << ", now " << Hex(now)
       << ")" << (force ? "; replaying anyway (--force)\n" : "; --force replays it anyway\n");
  return force;
}

int MatchReplay::Play(const HostOptions& requested, const Recording& recording) {
  const Recording::Header& header = recording.header;
  HostOptions options;
  options.level = header.level;
  options.players = static_cast<int>(header.players);
  options.seed = header.seed;
  options.maxSeconds = header.maxSeconds;
  options.realtime = header.realtime;
  // The game system ends an interactive match in the menus instead of quitting.
  options.display = header.interactive ? HostOptions::Display::Window : HostOptions::Display::Headless;
  auto match = std::make_shared<Match>(options, &mOut);
  for (std::size_t seat = 0; seat < match->Players().size(); ++seat) {
    match->Players()[seat].human = (header.humanSeats >> seat & 1u) != 0;
  }
  std::string logError;
  if (!requested.logFile.empty() &&
      !match->Log().OpenFile(requested.logFile, EventLog::FileHeader(options.level, options.seed), logError)) {
    mErr << "tidewater-host: --log: " << logError << '\n';
    return 2;
  }
  std::unique_ptr<GlWindow> window;
  if (requested.display == HostOptions::Display::Window || !requested.screenshot.empty()) {
    std::string error;
    window = GlWindow::Open("Tidewater replay - " + options.level, requested.windowWidth, requested.windowHeight, error);
    if (!window) {
      mErr << "tidewater-host: cannot open a window: " << error << '\n';
      return 2;
    }
  }

  ReplayClock clock(recording);
  Platform::HeadlessWindow platformWindow;
  DivergenceWatch watch;
  Platform::VirtualClock loadingClock(static_cast<std::int64_t>(options.seed));
  Platform::SetClock(&loadingClock);
  Platform::SetWindow(&platformWindow);
  auto* input = new ReplayInputSystem(match, recording, clock, platformWindow, watch,
                                      {window ? window->Handle() : nullptr, requested.speed,
                                       static_cast<std::size_t>(requested.frames)});
  auto* game = new GameSystem(match);
  Engine::AddSystem(input);
  Engine::AddSystem(game);
  Engine::AddSystem(new PhysicsSystem(match));
  Engine::AddSystem(new AudioSystem(match));
  if (window) {
    Engine::AddSystem(new GlRendererSystem(match, *window, {requested.screenshot, requested.frames}, mOut, mErr));
  } else {
    Engine::AddSystem(new RendererSystem(match, false, &mOut));
  }
  Engine::AddSystem(new FrameHook([input] { input->Tail(); }));
  Engine::Initialize();
  Engine::mFactory.LoadLevel(options.level);
  game->BeginMatch();
  input->Prologue();

  StopSignal::Install();
  Platform::SetClock(&clock);
  const auto started = std::chrono::steady_clock::now();
  Engine::GameLoop();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  input->Finish();
  StopSignal::Uninstall();
  const std::size_t frames = input->Frame();
  const bool ranOut = input->RanOut();
  const bool stopped = input->StoppedByViewer();
  GameState::SetState(STATE_MENU);
  const int released = Engine::Release();
  Platform::SetClock(nullptr);
  Platform::SetWindow(nullptr);

  match->PrintSummary(mOut);
  const double recordedSeconds = static_cast<double>(clock.RecordedSpan(frames)) / 1000.0;
  char line[200];
  std::snprintf(line, sizeof line, "Replayed %zu frames (%.1f s as recorded) in %.2f s: %.3gx real time.\n", frames,
                recordedSeconds, took.count(), took.count() > 0.0 ? recordedSeconds / took.count() : 0.0);
  mOut << line;
  mOut.flush();
  const bool logged = match->Log().FinishFile(logError);
  if (!logged) mErr << "tidewater-host: --log: " << logError << '\n';
  if (watch.Diverged()) {
    mErr << kPrefix << watch.Report();
    return 1;
  }
  if (ranOut) mErr << kPrefix << "the recording ends after frame " << frames - 1 << "; replayed up to there\n";
  if (stopped) mErr << kPrefix << "stopped at frame " << frames << " of " << recording.frames.size() - 1 << '\n';
  return released == 0 && logged ? 0 : 1;
}
