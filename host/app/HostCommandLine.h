#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// What the user asked tidewater-host to do.
struct HostOptions {
  enum class Command { Play, Check, Describe, NewLevel, Replay };
  enum class View { None, Text };
  // Auto: a window where a display exists, headless where none does.
  enum class Display { Auto, Window, Headless };
  // Auto: the main menu in a window, straight into play otherwise.
  enum class Start { Auto, Play, Menu };

  Command command = Command::Play;
  std::string level = "Ship";
  int players = 4;
  std::uint32_t seed = 3;
  bool realtime = false;
  // Game seconds after which the match is called off.
  double maxSeconds = 600.0;
  std::string logFile;
  View view = View::None;
  // Empty: the engine's default root, or the source tree's Resources/.
  std::string resources;
  // Play a level that check finds problems in.
  bool force = false;
  // check: the report as JSON.
  bool json = false;
  // describe: one component kind, or all when empty.
  std::string component;
  // new-level: rooms in all, the centre included.
  int rooms = 8;

  Display display = Display::Auto;
  Start start = Start::Auto;
  int windowWidth = 1280;
  int windowHeight = 720;
  // Seats played by people; -1: the keyboard and every gamepad connected.
  int humans = -1;
  // Written after `frames` frames, which then end the program.
  std::string screenshot;
  int frames = 0;
  bool mute = false;
  // play: record the match to this file. replay: the recording to play back.
  std::string recordFile;
  std::string replayFile;
  // replay in a window: 1 plays at the recorded pace, 2 twice as fast.
  double speed = 1.0;

  // A match in a window that someone plays: after it, the menus stay open.
  [[nodiscard]] bool Interactive() const { return display == Display::Window && screenshot.empty() && frames == 0; }
};

// The command line: `tidewater-host [play] [options]`,
// `tidewater-host check [--level NAME] [--json] [--resources DIR]`,
// `tidewater-host describe [COMPONENT]` or
// `tidewater-host new-level NAME [--rooms N] [--resources DIR]` or
// `tidewater-host replay FILE [--window] [--speed X] [--force] [--log FILE]`.
// A bad command line exits with 2.
class HostCommandLine {
 public:
  // The options, or nothing when the program should stop at once (after
  // --help, or after an error was printed); `exitCode` says how.
  static std::optional<HostOptions> Parse(int argc, const char* const* argv, int& exitCode, std::ostream& out,
                                          std::ostream& err);
};
