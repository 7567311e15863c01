#include "app/StopSignal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t gSignal = 0;
bool gRequested = false;

extern "C" void NoteSignal(int signal) { gSignal = signal; }

}  // namespace

void StopSignal::Install() {
  gSignal = 0;
  gRequested = false;
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void StopSignal::Uninstall() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  gSignal = 0;
  gRequested = false;
}

void StopSignal::Latch() { gRequested = gRequested || gSignal != 0; }

bool StopSignal::Requested() { return gRequested; }

bool StopSignal::Pending() { return gSignal != 0; }

void StopSignal::Raise() { gRequested = true; }

int StopSignal::Signal() { return gSignal; }
