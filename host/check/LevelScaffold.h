#pragma once
#include <string>

// `tidewater-host new-level NAME --rooms N`: a small level that check finds
// clean and that plays to an end, to start a new level from. The centre
// room (id 0) and N-1 rooms around it on a 50-unit grid, spiralling out
// from the east; doors with triggers between neighbouring rooms and walls
// elsewhere; one door that needs a key card, the key card, a power cell
// behind that door, an escape pod, two players, a ruleset and every
// archetype the engine spawns. Archetype files are written by the engine's
// writer; the level file names its archetypes and holds only what differs
// from them (SparseLevelWriter), as a person would write it.
namespace LevelScaffold {

inline constexpr int kFewestRooms = 3;
inline constexpr int kMostRooms = 25;

// Expects an initialized engine with an empty registry and a resolved
// resource root; the level folder must not exist. False, with the reason,
// when a file cannot be written.
bool Write(const std::string& level, int rooms, std::string& problem);

}  // namespace LevelScaffold
