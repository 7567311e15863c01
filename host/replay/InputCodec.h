#pragma once
#include <memory>
#include <optional>

#include "replay/Recording.h"

class Message;

// Input messages as a recording holds them, and back: buttons, sticks, mouse
// look, the fire trigger, window events, full screen, level requests and
// quits. The sender of a quit is kept; every other message is the input
// system's, or the menus' for a level request.
class InputCodec {
 public:
  // Nothing for a message of a kind the input system never produces.
  [[nodiscard]] static std::optional<Recording::Input> Encode(const Message& message);
  // Null for an input that names no such message.
  [[nodiscard]] static std::shared_ptr<Message> Decode(const Recording::Input& input);
};
