#include "replay/Recording.h"

#include <cmath>
#include <cstring>

#include "replay/ByteReader.h"
#include "replay/ByteWriter.h"

namespace {

// Which optional parts of an input follow its type.
enum InputParts : std::uint8_t {
  kText = 1,
  kFirstInts = 2,
  kLastInts = 4,
  kDeltas = 8,
  kPlayer = 16,
};
constexpr std::uint32_t kLastMessageType = 59;
constexpr std::uint8_t kLastSeat = 3;
// A checkpoint entry takes at least this many bytes, so no count can ask for more entries than fit.
constexpr std::size_t kSmallestEntry = 6;

std::uint32_t Fnv1a32(std::span<const std::byte> bytes) {
  std::uint32_t hash = 2166136261u;
  for (const std::byte byte : bytes) {
    hash ^= static_cast<std::uint8_t>(byte);
    hash *= 16777619u;
  }
  return hash;
}

std::span<const std::byte> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::byte*>(text.data()), text.size()};
}

void WriteInput(ByteWriter& out, const Recording::Input& input) {
  std::uint8_t parts = 0;
  if (!input.text.empty()) parts |= kText;
  if (input.ints[0] != 0 || input.ints[1] != 0) parts |= kFirstInts;
  if (input.ints[2] != 0 || input.ints[3] != 0) parts |= kLastInts;
  if (std::memcmp(&input.x, "\0\0\0\0", 4) != 0 || std::memcmp(&input.y, "\0\0\0\0", 4) != 0) parts |= kDeltas;
  if (input.player != 0) parts |= kPlayer;
  out.VarUint(input.type);
  out.U8(parts);
  if ((parts & kText) != 0) out.String(input.text);
  if ((parts & kFirstInts) != 0) {
    out.VarInt(input.ints[0]);
    out.VarInt(input.ints[1]);
  }
  if ((parts & kLastInts) != 0) {
    out.VarInt(input.ints[2]);
    out.VarInt(input.ints[3]);
  }
  if ((parts & kDeltas) != 0) {
    out.F32(input.x);
    out.F32(input.y);
  }
  if ((parts & kPlayer) != 0) out.VarUint(input.player);
}

std::int32_t Int32(ByteReader& in, const char* what) {
  const std::size_t at = in.Offset();
  const std::int64_t value = in.VarInt(what);
  if (value < INT32_MIN || value > INT32_MAX) throw ByteReader::Failure(at, std::string(what) + " out of range", false);
  return static_cast<std::int32_t>(value);
}

Recording::Input ReadInput(ByteReader& in) {
  Recording::Input input;
  const std::size_t at = in.Offset();
  input.type = static_cast<std::uint32_t>(in.VarUint("an input's message type"));
  if (input.type == 0 || input.type > kLastMessageType) {
    throw ByteReader::Failure(at, "no message type " + std::to_string(input.type), false);
  }
  const std::uint8_t parts = in.U8("an input");
  if (parts >= 32) throw ByteReader::Failure(in.Offset() - 1, "an input with unknown parts", false);
  if ((parts & kText) != 0) input.text = in.String("an input's name");
  if ((parts & kFirstInts) != 0) {
    input.ints[0] = Int32(in, "an input's values");
    input.ints[1] = Int32(in, "an input's values");
  }
  if ((parts & kLastInts) != 0) {
    input.ints[2] = Int32(in, "an input's values");
    input.ints[3] = Int32(in, "an input's values");
  }
  if ((parts & kDeltas) != 0) {
    input.x = in.F32("a mouse look");
    input.y = in.F32("a mouse look");
  }
  if ((parts & kPlayer) != 0) input.player = static_cast<std::uint32_t>(in.Bounded("a player number", UINT32_MAX));
  return input;
}

void WriteState(ByteWriter& out, const Recording::State& state) {
  out.VarInt(state.state);
  out.VarInt(state.menuState);
  out.U8(state.fullscreen ? 1 : 0);
  out.VarInt(state.width);
  out.VarInt(state.height);
}

Recording::State ReadState(ByteReader& in) {
  Recording::State state;
  state.state = Int32(in, "a game state");
  state.menuState = Int32(in, "a game state");
  const std::uint8_t fullscreen = in.U8("a game state");
  if (fullscreen > 1) in.Fail("a full-screen flag that is neither 0 nor 1");
  state.fullscreen = fullscreen == 1;
  state.width = Int32(in, "a game state");
  state.height = Int32(in, "a game state");
  return state;
}

void WriteItem(ByteWriter& out, const Recording::Item& item) {
  using Kind = Recording::Item::Kind;
  out.U8(static_cast<std::uint8_t>(item.kind));
  switch (item.kind) {
    case Kind::Milliseconds:
    case Kind::CalendarSeconds:
      out.VarInt(item.clock);
      break;
    case Kind::State:
      WriteState(out, item.state);
      break;
    case Kind::HandToSeat:
      out.U8(item.seat);
      WriteInput(out, item.input);
      break;
    case Kind::Relay:
      WriteInput(out, item.input);
      break;
    case Kind::Note:
      out.F32(item.noteTime);
      out.String(item.noteSubject);
      out.String(item.noteText);
      break;
    case Kind::Tail:
    case Kind::WindowClosed:
    case Kind::Interrupted:
      break;
  }
}

Recording::Item ReadItem(ByteReader& in, std::uint8_t kind) {
  using Kind = Recording::Item::Kind;
  Recording::Item item;
  item.kind = static_cast<Kind>(kind);
  switch (item.kind) {
    case Kind::Milliseconds:
      item.clock = in.VarInt("a clock reading");
      break;
    case Kind::CalendarSeconds:
      item.clock = in.VarInt("a calendar reading");
      break;
    case Kind::State:
      item.state = ReadState(in);
      break;
    case Kind::HandToSeat:
      item.seat = static_cast<std::uint8_t>(in.U8("a seat"));
      if (item.seat > kLastSeat) throw ByteReader::Failure(in.Offset() - 1, "no seat " + std::to_string(item.seat), false);
      item.input = ReadInput(in);
      break;
    case Kind::Relay:
      item.input = ReadInput(in);
      break;
    case Kind::Note:
      item.noteTime = in.F32("an event-log line");
      item.noteSubject = in.String("an event-log line");
      item.noteText = in.String("an event-log line");
      break;
    case Kind::Tail:
    case Kind::WindowClosed:
    case Kind::Interrupted:
      break;
    default:
      throw ByteReader::Failure(in.Offset() - 1, "no item kind " + std::to_string(kind), false);
  }
  return item;
}

Recording::Frame ReadFrameBody(ByteReader& in, std::size_t offset) {
  Recording::Frame frame;
  frame.offset = offset;
  frame.stateHash = in.Fixed64("a frame's state hash");
  const std::uint8_t hasCheckpoint = in.U8("a frame");
  if (hasCheckpoint > 1) in.Fail("a checkpoint flag that is neither 0 nor 1");
  if (hasCheckpoint == 1) {
    WorldState state;
    const std::uint64_t count = in.Bounded("a checkpoint's entry count", in.Left() / kSmallestEntry);
    std::uint32_t object = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
      object += static_cast<std::uint32_t>(in.Bounded("a checkpoint's object", UINT32_MAX));
      const std::uint8_t field = in.U8("a checkpoint");
      if (field >= static_cast<std::uint8_t>(WorldState::Field::Count)) {
        throw ByteReader::Failure(in.Offset() - 1, "no state field " + std::to_string(field), false);
      }
      state.Add(object, static_cast<WorldState::Field>(field), in.Fixed32("a checkpoint"));
    }
    frame.checkpoint = std::move(state);
  }
  for (std::uint8_t kind = in.U8("a frame's items"); kind != 0; kind = in.U8("a frame's items")) {
    frame.items.push_back(ReadItem(in, kind));
  }
  if (!in.AtEnd()) in.Fail("bytes after the frame's last item");
  return frame;
}

}  // namespace

std::string Recording::Error::Describe() const {
  std::string where = "byte " + std::to_string(offset);
  where += frame ? " (frame " + std::to_string(*frame) + ")" : std::string(" (header)");
  return where + ": " + what;
}

std::string Recording::EncodeHeader(const Header& header) {
  ByteWriter out;
  out.Bytes(std::string(kMagic, sizeof kMagic));
  out.U8(kVersion);
  out.String(header.hostVersion);
  out.VarUint(header.bulletVersion);
  out.String(header.level);
  out.Fixed64(header.levelChecksum);
  out.VarUint(header.seed);
  out.VarUint(header.players);
  out.U8(header.humanSeats);
  out.U8(static_cast<std::uint8_t>((header.interactive ? 1 : 0) | (header.realtime ? 2 : 0)));
  out.F64(header.maxSeconds);
  return out.Data();
}

std::string Recording::EncodeFrame(const Frame& frame) {
  ByteWriter body;
  body.Fixed64(frame.stateHash);
  body.U8(frame.checkpoint ? 1 : 0);
  if (frame.checkpoint) {
    const auto& entries = frame.checkpoint->Entries();
    body.VarUint(entries.size());
    std::uint32_t object = 0;
    for (const WorldState::Entry& entry : entries) {
      body.VarUint(entry.object - object);
      object = entry.object;
      body.U8(static_cast<std::uint8_t>(entry.field));
      body.Fixed32(entry.bits);
    }
  }
  for (const Item& item : frame.items) WriteItem(body, item);
  body.U8(0);
  ByteWriter out;
  out.U8(kFrameTag);
  out.VarUint(body.Data().size());
  out.Bytes(body.Data());
  out.Fixed32(Fnv1a32(AsBytes(body.Data())));
  return out.Data();
}

std::string Recording::EncodeEnd() { return std::string(1, static_cast<char>(kEndTag)); }

bool Recording::Parse(std::span<const std::byte> bytes, Recording& out, Error& error) {
  out = Recording();
  ByteReader in(bytes);
  std::optional<std::size_t> frame;
  try {
    for (const char letter : kMagic) {
      if (in.U8("the file's first bytes") != static_cast<std::uint8_t>(letter)) {
        error = {0, std::nullopt, "not a tidewater-host recording (it does not start with TWRC)"};
        return false;
      }
    }
    const std::uint8_t version = in.U8("the header");
    if (version != kVersion) {
      error = {in.Offset() - 1, std::nullopt,
               "recording format " + std::to_string(version) + ", this host reads format " + std::to_string(kVersion)};
      return false;
    }
    Header& header = out.header;
    header.hostVersion = in.String("the host version");
    header.bulletVersion = static_cast<std::uint32_t>(in.Bounded("the physics version", UINT32_MAX));
    header.level = in.String("the level name");
    header.levelChecksum = in.Fixed64("the level checksum");
    header.seed = static_cast<std::uint32_t>(in.Bounded("the seed", UINT32_MAX));
    header.players = static_cast<std::uint32_t>(in.Bounded("the player count", 4));
    header.humanSeats = in.U8("the human seats");
    const std::uint8_t flags = in.U8("the header's flags");
    if (flags > 3) in.Fail("unknown header flags");
    header.interactive = (flags & 1) != 0;
    header.realtime = (flags & 2) != 0;
    const std::size_t limitAt = in.Offset();
    header.maxSeconds = in.F64("the time limit");
    // The same rule as --max-seconds: a match with no finite end could not be replayed to one.
    if (!std::isfinite(header.maxSeconds) || header.maxSeconds <= 0.0) {
      throw ByteReader::Failure(limitAt, "a time limit that is not a positive number of seconds", false);
    }

    while (!in.AtEnd()) {
      frame = out.frames.size();
      const std::size_t start = in.Offset();
      const std::uint8_t tag = in.U8("a frame");
      if (tag == kEndTag) {
        frame.reset();
        if (!in.AtEnd()) in.Fail("bytes after the end of the recording");
        out.complete = true;
        return true;
      }
      if (tag != kFrameTag) in.Fail("a frame should start here");
      const std::size_t size = static_cast<std::size_t>(in.VarUint("a frame's length"));
      ByteReader body = in.Sub(size, "a frame");
      const std::uint32_t sum = in.Fixed32("a frame's check sum");
      if (sum != Fnv1a32(body.Rest())) {
        throw ByteReader::Failure(start, "the frame's bytes do not match its check sum (the file is damaged)", false);
      }
      try {
        out.frames.push_back(ReadFrameBody(body, start));
      } catch (const ByteReader::Failure& failure) {
        // Inside a whole frame, running out of bytes is a malformed frame, not a short file.
        throw ByteReader::Failure(failure.offset, failure.what(), false);
      }
    }
    out.cutShort = Error{in.Offset(), out.frames.size(), "the recording ends without its end mark"};
    return true;
  } catch (const ByteReader::Failure& failure) {
    // Running out of bytes after the header: the frames before are a recording.
    if (failure.endOfData && frame) {
      out.cutShort = Error{failure.offset, frame, failure.what()};
      return true;
    }
    error = {failure.offset, frame, failure.what()};
    return false;
  }
}
