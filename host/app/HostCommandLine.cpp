#include "app/HostCommandLine.h"

#include <CLI/CLI.hpp>
#include <ostream>

std::optional<HostOptions> HostCommandLine::Parse(int argc, const char* const* argv, int& exitCode, std::ostream& out,
                                                  std::ostream& err) {
  HostOptions options;
  std::string view = "none";

  CLI::App app{
      "tidewater-host: the reference host of the Tidewater engine.\n"
      "Plays a level with bots (the default command) or checks a level's files.",
      "tidewater-host"};
  app.require_subcommand(0, 1);

  // The play options sit on the top level so that `tidewater-host --seed 3`
  // and `tidewater-host play --seed 3` mean the same.
  app.add_option("--level", options.level, "Level to play (a folder under <resources>/Levels)")->capture_default_str();
  app.add_option("--players", options.players, "Players driven by bots; the others sit the match out")
      ->check(CLI::Range(1, 4))
      ->capture_default_str();
  app.add_option("--seed", options.seed, "Seed of the bots and of the flood order")->capture_default_str();
  app.add_flag("--realtime", options.realtime, "Run at the engine's own 80 frames per second with a progress line");
  app.add_option("--max-seconds", options.maxSeconds, "Game seconds after which the match ends anyway")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--log", options.logFile, "Also write the event log to this file");
  app.add_option("--view", view, "What the renderer shows: none, or a text map of the level")
      ->check(CLI::IsMember({"none", "text"}))
      ->capture_default_str();
  app.add_option("--resources", options.resources, "Resource folder holding Levels/ (default: ../../Resources)");

  CLI::App* play = app.add_subcommand("play", "Play a match with bots (the default)");
  play->fallthrough();

  CLI::App* check = app.add_subcommand("check", "Report what the level readers skip or cannot parse");
  check->add_option("--level", options.level, "Level to check")->capture_default_str();
  check->add_option("--resources", options.resources, "Resource folder holding Levels/");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    exitCode = app.exit(error, out, err);
    return std::nullopt;
  }
  options.command = check->parsed() ? HostOptions::Command::Check : HostOptions::Command::Play;
  options.view = view == "text" ? HostOptions::View::Text : HostOptions::View::None;
  exitCode = 0;
  return options;
}
