#pragma once

// Ctrl-C (SIGINT) and SIGTERM during a match. The handler only notes the
// signal; the Game system sees the note in its Update and ends the match
// through the bus like any other ending, so the log is complete and the
// summary printed before the program exits with 128 + the signal number.
class StopSignal {
 public:
  // Installs the handler for SIGINT and SIGTERM.
  static void Install();
  // Restores the default handling and forgets a signal seen.
  static void Uninstall();
  [[nodiscard]] static bool Requested();
  // 0, or the number of the signal that asked to stop.
  [[nodiscard]] static int Signal();
};
