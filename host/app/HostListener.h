#pragma once
#include <cstdint>

#include "core/Callable.h"

// Listener ids for the host's systems. Components tag theirs with bit 62;
// the host uses bit 61, so the two never meet: a system number in the middle
// bits and one number per handler in the low byte.
enum class HostListenerOwner : std::uint32_t {
  Input = 1,
  Game = 2,
  Physics = 3,
  Audio = 4,
  Renderer = 5,
};

[[nodiscard]] constexpr ListenerID HostListenerID(HostListenerOwner owner, std::uint32_t handler) {
  return (ListenerID{1} << 61) | (static_cast<ListenerID>(owner) << 8) | (handler & 0xFFu);
}
