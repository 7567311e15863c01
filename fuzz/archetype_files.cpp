// A level's Archetypes folder, as the loader reads it: whichever files are
// there (names with and without ".arc" in any letter case, folders, files
// that are not one object block or carry text after it) must load without
// crashing, hanging, leaking or touching freed memory; every archetype that
// loaded must be writable and clonable into an object.
//
// An input is a packed folder (see PackedFiles.h); the text before the first
// header is the file "Crate.arc".
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "FuzzWorld.h"
#include "PackedFiles.h"
#include "ScratchFolder.h"
#include "core/Engine.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  FuzzWorld::Start();
  Platform::SetResourceRoot(ScratchFolder::ForProcess().Path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PackedFiles files(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string folder = ScratchFolder::ForProcess().Fresh() + "/Archetypes";
  std::filesystem::create_directory(folder);
  if (!files.First().empty()) {
    std::ofstream(folder + "/Crate.arc", std::ios::binary)
        .write(files.First().data(), static_cast<std::streamsize>(files.First().size()));
  }
  files.WriteNamed(folder);

  Engine::mFactory.LoadArchetypes(
      GetFilesInWindowsDirectory(std::wstring(Platform::kDefaultResourceRoot) + L"\\Archetypes\\"));

  std::ostringstream out;
  for (const auto& [name, archetype] : Engine::mFactory.GetArchetypes()) {
    if (archetype) Engine::mSerializer(*archetype, out);
    (void)Engine::mFactory.CreateArchetypedObject(name);
  }
  Engine::mSerializer(out);
  FuzzWorld::Reset();
  return 0;
}
