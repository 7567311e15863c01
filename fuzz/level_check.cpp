// A whole level folder, as `tidewater-host check` meets it: the level file
// and its Archetypes folder go through the engine's loader and then through
// the checker's outline, reader-issue and rule layers, and the report is
// printed as text and as JSON. None of it may crash, hang, leak or touch
// freed memory, whatever the files hold.
//
// An input is a packed level folder (see PackedFiles.h): the text before the
// first header is the level file, each header an archetype file; without any
// header the level has no Archetypes folder at all.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FuzzWorld.h"
#include "PackedFiles.h"
#include "ScratchFolder.h"
#include "check/LevelCheck.h"
#include "platform/FileSystem.h"

namespace {

constexpr char kLevel[] = "Fuzz";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  FuzzWorld::Start();
  Platform::SetResourceRoot(ScratchFolder::ForProcess().Path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PackedFiles files(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string folder = ScratchFolder::ForProcess().Fresh() + "/Levels/" + kLevel;
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/" + kLevel + ".txt", std::ios::binary)
      .write(files.First().data(), static_cast<std::streamsize>(files.First().size()));
  if (files.HasHeaders()) {
    std::filesystem::create_directory(folder + "/Archetypes");
    files.WriteNamed(folder + "/Archetypes");
  }

  const LevelCheck::Result result = LevelCheck::Load(kLevel);
  std::ostringstream out;
  LevelCheck::Print(result, kLevel, out, false);
  LevelCheck::Print(result, kLevel, out, true);
  FuzzWorld::Reset();
  return 0;
}
