#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// `tidewater-host check`: loads a level and its archetypes with the engine's
// readers and lists everything they skipped or could not parse (file, line,
// reason), plus the archetypes the engine would need and not find (bullets
// for guns, flood water and warning lights for rooms, flares for players).
class LevelCheck {
 public:
  // Expects an initialized engine and a resolved resource root. Prints the
  // problems and a verdict; true when the level is clean.
  static bool Run(const std::string& level, std::ostream& out);
  // The problems of the level now loaded, after LoadLevel.
  [[nodiscard]] static std::vector<std::string> Problems();
};
