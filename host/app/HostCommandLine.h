#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// What the user asked tidewater-host to do.
struct HostOptions {
  enum class Command { Play, Check };
  enum class View { None, Text };

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
};

// The command line: `tidewater-host [play] [options]` or
// `tidewater-host check [--level NAME] [--resources DIR]`.
class HostCommandLine {
 public:
  // The options, or nothing when the program should stop at once (after
  // --help, or after an error was printed); `exitCode` says how.
  static std::optional<HostOptions> Parse(int argc, const char* const* argv, int& exitCode, std::ostream& out,
                                          std::ostream& err);
};
