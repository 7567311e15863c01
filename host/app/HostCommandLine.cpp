#include "app/HostCommandLine.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "check/LevelFiles.h"
#include "check/LevelScaffold.h"

std::optional<HostOptions> HostCommandLine::Parse(int argc, const char* const* argv, int& exitCode, std::ostream& out,
                                                  std::ostream& err) {
  HostOptions options;
  std::string view = "none";

  CLI::App app{
      "tidewater-host: the reference host of the Tidewater engine.\n"
      "Plays a level with bots (the default command), checks a level, describes the components\n"
      "or writes a new level to start from.",
      "tidewater-host"};
  app.require_subcommand(0, 1);

  // The play options sit on the top level so that `tidewater-host --seed 3`
  // and `tidewater-host play --seed 3` mean the same.
  // A level is a folder name inside the resource folder, never a path.
  const CLI::Validator levelName([](std::string& name) { return LevelFiles::NameProblem(name); }, "NAME", "level name");
  app.add_option("--level", options.level, "Level to play (a folder under <resources>/Levels)")
      ->check(levelName)
      ->capture_default_str();
  app.add_option("--players", options.players, "Players in the match; the other seats sit it out")
      ->check(CLI::Range(1, 4))
      ->capture_default_str();
  app.add_option("--seed", options.seed, "Seed of the bots and of the flood order")->capture_default_str();
  app.add_flag("--realtime", options.realtime, "Run at the engine's own 80 frames per second with a progress line");
  // Not CLI::PositiveNumber: a NaN passes every comparison and would never end the match.
  const auto positive = [](const std::string& name, const std::string& what) {
    return CLI::Validator(
        [what](std::string& text) {
          double value = 0.0;
          const bool number = CLI::detail::lexical_cast(text, value);
          return number && std::isfinite(value) && value > 0.0 ? std::string()
                                                               : "needs a positive " + what + ", not " + text;
        },
        name);
  };
  const CLI::Validator positiveSeconds = positive("SECONDS", "number of seconds");
  app.add_option("--max-seconds", options.maxSeconds, "Game seconds after which the match ends anyway")
      ->check(positiveSeconds)
      ->capture_default_str();
  app.add_option("--log", options.logFile, "Also write the event log to this file");
  app.add_option("--record", options.recordFile, "Record the match to this file, frame by frame, for replay");
  app.add_option("--view", view, "What the renderer shows: none, or a text map of the level")
      ->check(CLI::IsMember({"none", "text"}))
      ->capture_default_str();
  app.add_option("--resources", options.resources, "Resource folder holding Levels/ (default: ../../Resources)");
  app.add_flag("--force", options.force, "Play the level even when check finds problems in it");
  bool wantWindow = false;
  bool wantHeadless = false;
  auto* window = app.add_flag("--window", wantWindow, "Play in a window (the default where a display exists)");
  auto* headless = app.add_flag("--headless", wantHeadless, "Play without a window, every seat a bot");
  window->excludes(headless);
  app.add_option("--humans", options.humans,
                 "Seats played by people in a window (default: the keyboard and each gamepad); bots play the rest")
      ->check(CLI::Range(0, 4));
  std::string size = "1280x720";
  const CLI::Validator windowSize(
      [](std::string& text) -> std::string {
        int width = 0;
        int height = 0;
        char end = 0;
        if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width < 160 || height < 120 ||
            width > 8192 || height > 8192) {
          return "expected WIDTHxHEIGHT between 160x120 and 8192x8192";
        }
        return "";
      },
      "WxH");
  app.add_option("--size", size, "Size of the window, WIDTHxHEIGHT")->check(windowSize)->capture_default_str();
  app.add_option("--screenshot", options.screenshot, "Write the window as a PNG after --frames frames, then quit");
  app.add_option("--frames", options.frames, "Frames to run in the window before the screenshot and the end")
      ->check(CLI::Range(1, 10000000));
  std::string start = "auto";
  app.add_option("--start", start, "Open on the main menu or straight in play (default: menu in a window)")
      ->check(CLI::IsMember({"auto", "menu", "play"}))
      ->capture_default_str();
  app.add_flag("--mute", options.mute, "No sound");

  CLI::App* play = app.add_subcommand("play", "Play a match with bots (the default)");
  play->fallthrough();

  CLI::App* check = app.add_subcommand("check", "Report what is wrong with a level: exit 0 when clean, 1 if not");
  check->add_option("--level", options.level, "Level to check")->check(levelName)->capture_default_str();
  check->add_option("--resources", options.resources, "Resource folder holding Levels/");
  check->add_flag("--json", options.json, "Print the report as JSON");

  CLI::App* describe = app.add_subcommand("describe", "List the components, their members, types and default values");
  describe->add_option("COMPONENT", options.component, "Only this component kind (its registry name)");

  CLI::App* newLevel = app.add_subcommand("new-level", "Write a small playable level to start from");
  newLevel->add_option("NAME", options.level, "Name of the new level (a folder under <resources>/Levels)")
      ->required()
      ->check(levelName);
  newLevel->add_option("--rooms", options.rooms, "Rooms in all, the centre room included")
      ->check(CLI::Range(LevelScaffold::kFewestRooms, LevelScaffold::kMostRooms))
      ->capture_default_str();
  newLevel->add_option("--resources", options.resources, "Resource folder holding Levels/");

  CLI::App* replay = app.add_subcommand("replay", "Play a recorded match back and check it comes out the same");
  replay->add_option("FILE", options.replayFile, "The recording (from play --record)")->required();
  replay->add_flag("--window", wantWindow, "Show the replay in a window (Space pauses, N steps, Esc stops)");
  replay->add_option("--speed", options.speed, "In the window: 1 plays at the recorded pace, 2 twice as fast")
      ->check(positive("X", "speed"))
      ->capture_default_str();
  replay->add_flag("--force", options.force, "Replay even on level files that differ from the recorded ones");
  replay->add_option("--log", options.logFile, "Also write the replay's event log to this file");
  replay->add_option("--resources", options.resources, "Resource folder holding Levels/");
  replay->add_option("--screenshot", options.screenshot, "In the window: write it as a PNG after --frames frames, then stop");
  replay->add_option("--frames", options.frames, "In the window: frames to replay before the screenshot and the end")
      ->check(CLI::Range(1, 10000000));
  replay->add_option("--size", size, "Size of the window, WIDTHxHEIGHT")->check(windowSize)->capture_default_str();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version are no mistakes; every real one exits with 2.
    exitCode = app.exit(error, out, err) == 0 ? 0 : 2;
    return std::nullopt;
  }
  options.command = HostOptions::Command::Play;
  if (check->parsed()) options.command = HostOptions::Command::Check;
  if (describe->parsed()) options.command = HostOptions::Command::Describe;
  if (newLevel->parsed()) options.command = HostOptions::Command::NewLevel;
  if (replay->parsed()) options.command = HostOptions::Command::Replay;
  options.view = view == "text" ? HostOptions::View::Text : HostOptions::View::None;
  options.display = wantWindow     ? HostOptions::Display::Window
                    : wantHeadless ? HostOptions::Display::Headless
                                   : HostOptions::Display::Auto;
  if (!options.screenshot.empty() && options.frames == 0) options.frames = 1;
  std::sscanf(size.c_str(), "%dx%d", &options.windowWidth, &options.windowHeight);
  options.start = start == "menu"   ? HostOptions::Start::Menu
                  : start == "play" ? HostOptions::Start::Play
                                    : HostOptions::Start::Auto;
  exitCode = 0;
  return options;
}
