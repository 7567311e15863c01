#pragma once
#include <cstdint>
#include <memory>

class Message;

// Sees everything the input system gives the game, in the order it does:
// the start and end of each of its updates, every message handed to a
// player's object or put on the bus, and the window closing. A recorder
// listens here.
class InputTap {
 public:
  virtual ~InputTap() = default;
  virtual void OnUpdateStart() = 0;
  virtual void OnUpdateEnd() = 0;
  virtual void OnHanded(std::uint32_t seat, const Message& message) = 0;
  virtual void OnRelayed(const Message& message) = 0;
  virtual void OnWindowClosed() = 0;
};
