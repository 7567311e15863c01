#pragma once
#include <string>

class CheckReport;
class SourceMap;

// The checks on a loaded level that no reader can make: what would make a
// wrong match although every file read cleanly. Triggers, plates and pods
// bound to an existing object of the right kind (interactors bind by name
// once their creation messages are delivered, so names are resolved here
// the same way); room ids unique, 0 to n-1, with the centre room 0; doors
// between rooms that exist; players named Player1 to Player4, once each; an
// escape pod and a power cell to charge it; and every archetype the engine
// spawns while playing.
namespace LevelRules {

void Check(const std::string& level, const SourceMap& where, CheckReport& report);

}  // namespace LevelRules
