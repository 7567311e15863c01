#pragma once
#include <iosfwd>
#include <memory>
#include <string>

#include "app/HostCommandLine.h"

class GlWindow;

// tidewater-host's commands. Play: add the systems, initialize the engine,
// load the level, refuse it when check finds problems (unless forced), set
// the game in play, run the frame loop until the match is over, release the
// engine and print the summary (recording it with --record). Replay is
// host/replay's. Check, describe and new-level are the level tools of
// host/check.
class HostApp {
 public:
  HostApp(std::ostream& out, std::ostream& err) : mOut(out), mErr(err) {}

  // The process's exit code.
  int Run(const HostOptions& options);

  // Points the engine at the resources: --resources, else the engine's own
  // "..\..\Resources" when it exists from here, else the source tree's.
  // False (with a message) when --resources names no folder.
  bool ResolveResourceRoot(const std::string& resources);
  // The native path of a level's file under the resolved root.
  [[nodiscard]] static std::string LevelFile(const std::string& level);
  // The resource folder in use, as an absolute path.
  [[nodiscard]] static std::string ResourceFolder();
  // Empties the registry and lets the messages of the level go.
  static void DropLevel();

 private:
  int Play(const HostOptions& requested);
  // The window the options ask for, or none: then `options` says headless,
  // or `exitCode` says why the program must stop.
  std::unique_ptr<GlWindow> OpenWindow(HostOptions& options, int& exitCode);
  [[nodiscard]] static bool HasDisplay();
  // How many seats people take; bots play the others.
  [[nodiscard]] static int HumanSeats(const HostOptions& options);
  int Check(const HostOptions& options);
  int Describe(const HostOptions& options);
  int NewLevel(const HostOptions& options);
  // The level tools' engine: initialized, without systems; `work` runs in it.
  template <class Work>
  static int WithEngine(Work work);

  std::ostream& mOut;
  std::ostream& mErr;
};
