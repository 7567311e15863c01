// Any text handed to the level reader or the archetype reader must end the
// read without crashing, hanging, leaking or touching freed memory, and
// whatever was read must be writable again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "FuzzWorld.h"
#include "core/Engine.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  FuzzWorld::Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // As an archetype file, into an archetype the level below can clone.
  const std::shared_ptr<Object> crate = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  {
    std::istringstream in(text);
    Engine::mDeserializer(*crate, in);
  }
  Engine::mFactory.CreateGenericArchetype(L"Object");

  // As a level file.
  {
    std::istringstream in(text);
    Engine::mDeserializer(in);
  }

  std::ostringstream out;
  Engine::mSerializer(out);
  Engine::mSerializer(*crate, out);

  FuzzWorld::Reset();
  return 0;
}
