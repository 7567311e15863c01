#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "replay/WorldState.h"

// A recorded match as data: the header and one record per frame of the input
// system, in the file format of docs/recording-format.md. Parse reads it from
// bytes and needs nothing but the standard library, so it can be fuzzed.
class Recording {
 public:
  static constexpr char kMagic[4] = {'T', 'W', 'R', 'C'};
  static constexpr std::uint8_t kVersion = 1;
  static constexpr std::uint8_t kFrameTag = 'F';
  static constexpr std::uint8_t kEndTag = 'E';

  struct Header {
    std::string hostVersion;
    std::uint32_t bulletVersion = 0;
    std::string level;
    std::uint64_t levelChecksum = 0;
    std::uint32_t seed = 0;
    std::uint32_t players = 0;
    // Bit n: seat n was played by a person.
    std::uint8_t humanSeats = 0;
    // The match kept its menus open after the end (a window someone played in).
    bool interactive = false;
    bool realtime = false;
    double maxSeconds = 0.0;
    friend bool operator==(const Header&, const Header&) = default;
  };

  // GameState, the menu screen, Controller::isFullscreened and the client size.
  struct State {
    std::int32_t state = 0;
    std::int32_t menuState = 0;
    bool fullscreen = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const State&, const State&) = default;
  };

  // One input message, by its message type: button name (or the level, or
  // the sender of a quit) in `text`; stick axes, window event fields or a
  // flag in `ints`; mouse-look deltas in `x` and `y`.
  struct Input {
    std::uint32_t type = 0;
    std::string text;
    std::array<std::int32_t, 4> ints{};
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t player = 0;
    friend bool operator==(const Input&, const Input&) = default;
  };

  struct Item {
    enum class Kind : std::uint8_t {
      Milliseconds = 1,
      CalendarSeconds = 2,
      State = 3,
      // Handed to the object of the player in `seat`.
      HandToSeat = 4,
      // Put on the bus.
      Relay = 5,
      // What follows happened after every system's update, before the broadcast.
      Tail = 6,
      // An event-log line made by the menus.
      Note = 7,
      // The window was closed: the match ends and the program quits.
      WindowClosed = 8,
      // Ctrl-C or SIGTERM was taken note of: the match ends as interrupted.
      Interrupted = 9,
    };
    Kind kind = Kind::Tail;
    std::int64_t clock = 0;
    State state;
    std::uint8_t seat = 0;
    Input input;
    float noteTime = 0.0f;
    std::string noteSubject;
    std::string noteText;
    friend bool operator==(const Item&, const Item&) = default;
  };

  // Everything from one start of the input system's update to the next;
  // frame 0 is what came before the first.
  struct Frame {
    // The world state at the frame's end.
    std::uint64_t stateHash = 0;
    std::optional<WorldState> checkpoint;
    std::vector<Item> items;
    // Where the frame starts in the file.
    std::size_t offset = 0;
    friend bool operator==(const Frame& a, const Frame& b) {
      return a.stateHash == b.stateHash && a.checkpoint == b.checkpoint && a.items == b.items;
    }
  };

  struct Error {
    std::size_t offset = 0;
    // The frame the error lies in, or none for the header.
    std::optional<std::size_t> frame;
    std::string what;
    [[nodiscard]] std::string Describe() const;
  };

  Header header;
  std::vector<Frame> frames;
  // The writer ended the file: the match ran to its end while recorded.
  bool complete = false;
  // Why a file that is not complete stops where it does.
  std::optional<Error> cutShort;

  // The recording in `bytes`. A file that ends early (in the middle of a
  // frame or without its end mark) is a recording of the frames before;
  // anything else wrong fails with `error` saying where.
  static bool Parse(std::span<const std::byte> bytes, Recording& out, Error& error);

  // The bytes of the header and of one frame, as the recorder writes them.
  [[nodiscard]] static std::string EncodeHeader(const Header& header);
  [[nodiscard]] static std::string EncodeFrame(const Frame& frame);
  [[nodiscard]] static std::string EncodeEnd();
};
