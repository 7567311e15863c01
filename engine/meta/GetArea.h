#pragma once
#include <climits>
#include <cstddef>
#include <streambuf>

namespace META {

// Another stream buffer's get area, read and moved in place: a level is
// millions of characters, and taking them a run at a time rather than one
// call each is what keeps loading fast.
struct GetArea : std::streambuf {
  static char* Begin(std::streambuf& buffer) { return (buffer.*&GetArea::eback)(); }
  static char* Next(std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
  static char* End(std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
  // gbump takes an int; a distance within the area may not fit one.
  static void Advance(std::streambuf& buffer, std::ptrdiff_t count) {
    for (; count > INT_MAX; count -= INT_MAX) (buffer.*&GetArea::gbump)(INT_MAX);
    for (; count < -INT_MAX; count += INT_MAX) (buffer.*&GetArea::gbump)(-INT_MAX);
    (buffer.*&GetArea::gbump)(static_cast<int>(count));
  }
};

}  // namespace META
