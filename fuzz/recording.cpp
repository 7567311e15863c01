// A recording as it arrives attached to a bug report: untrusted bytes. Any
// input must parse or fail without crashing, hanging, leaking or touching
// freed memory, and whatever parsed must survive a round trip: written again
// with the recorder's encoders and read back, it gives the same bytes once
// more, so a replay never sees a recording other than the one the file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <span>
#include <string>

#include "replay/Recording.h"

namespace {

// The recording written back as the recorder writes one: header, frames,
// and the end mark only if the file had one.
std::string Encode(const Recording& recording) {
  std::string bytes = Recording::EncodeHeader(recording.header);
  for (const Recording::Frame& frame : recording.frames) bytes += Recording::EncodeFrame(frame);
  if (recording.complete) bytes += Recording::EncodeEnd();
  return bytes;
}

bool ParseText(const std::string& bytes, Recording& out) {
  Recording::Error error;
  return Recording::Parse(std::as_bytes(std::span(bytes.data(), bytes.size())), out, error);
}

[[noreturn]] void Mismatch(const char* what) {
  std::fprintf(stderr, "recording round trip: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Recording first;
  Recording::Error error;
  if (!Recording::Parse(std::as_bytes(std::span(data, size)), first, error)) {
    if (error.what.empty()) Mismatch("a failed parse says nothing about why");
    return 0;
  }
  const std::string written = Encode(first);
  Recording second;
  if (!ParseText(written, second)) Mismatch("what the encoders wrote does not parse");
  if (second.complete != first.complete || second.frames.size() != first.frames.size()) {
    Mismatch("the frames or the end mark changed");
  }
  if (Encode(second) != written) Mismatch("a second round trip writes other bytes");
  return 0;
}
