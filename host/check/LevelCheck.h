#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>

#include "check/CheckReport.h"

// `tidewater-host check`: what is wrong with a level, in two layers. What
// the engine's readers skipped or stopped at (file, line, reason, and how
// much of the file was never read), with the file's own structure (a block
// never closed, a byte-order mark, a missing or unreadable Archetypes
// folder); and what would make a wrong match, found on the loaded objects
// (LevelRules, ValueCheck).
class LevelCheck {
 public:
  struct Result {
    CheckReport report;
    std::size_t objects = 0;
    std::size_t archetypes = 0;
  };

  // Loads the level with the engine's loader and checks it. Expects an
  // initialized engine and a resolved resource root.
  static Result Load(const std::string& level);
  // Checks the level loaded just now (before any broadcast).
  static Result Inspect(const std::string& level);

  // Load, then print the report (as JSON when asked); true when clean.
  static bool Run(const std::string& level, std::ostream& out, bool json);
  static void Print(const Result& result, const std::string& level, std::ostream& out, bool json);
};
