#pragma once

// The engine as the fuzz targets use it: started once, then put back after
// every input into the state it started in, so that an input does the same
// whatever ran before it (and a crash found after a million inputs replays
// from its input alone).
class FuzzWorld {
 public:
  FuzzWorld() = delete;

  // Initializes the engine and remembers the empty registry.
  static void Start();
  // Frees every object, archetype and queued message, and forgets what the
  // level left in the engine-wide state: listeners, rooms, players, game
  // and menu state, the reader's report, object and component ids.
  static void Reset();
};
