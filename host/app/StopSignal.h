#pragma once

// Ctrl-C (SIGINT) and SIGTERM during a match. The handler only notes the
// signal; the input system takes the note at the start of its update, and
// the Game system sees it there and ends the match through the bus like any
// other ending, so the log is complete and the summary printed before the
// program exits with 128 + the signal number. Taken at one point of the
// frame, a stop falls on a frame a recording can name.
class StopSignal {
 public:
  // Installs the handler for SIGINT and SIGTERM.
  static void Install();
  // Restores the default handling and forgets a signal seen.
  static void Uninstall();
  // Takes note of a signal that has come (the input system, once a frame).
  static void Latch();
  // A stop was taken note of.
  [[nodiscard]] static bool Requested();
  // A signal came, noted or not.
  [[nodiscard]] static bool Pending();
  // A stop as a replay re-enters it: requested, with no signal to exit by.
  static void Raise();
  // 0, or the number of the signal that asked to stop.
  [[nodiscard]] static int Signal();
};
