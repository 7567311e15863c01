#include "meta/Serializer.h"

#include <fstream>
#include <ostream>

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

namespace {

std::ostream& WriteObject(std::ostream& stream, Object& object) {
  META::MetaData& meta = object.GetMetaData();
  return meta.Serialize(stream, Variant(&meta, &object), 0);
}

std::ostream& WriteAll(std::ostream& stream) {
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    if (object) WriteObject(stream, *object);
  }
  return stream;
}

// Text mode, contents replaced; the path is converted at the platform edge only.
template <class Path>
std::ofstream OpenForWriting(const Path& fileName) {
  return std::ofstream(Platform::NativePath(fileName), std::ios_base::out | std::ios_base::trunc);
}

template <class Write>
bool WriteFile(std::ofstream file, Write write) {
  if (!file.is_open()) return false;
  write(file);
  file.close();
  return !file.fail();
}

}  // namespace

std::ostream& Serializer::operator()(std::ostream& stream) const { return WriteAll(stream); }

bool Serializer::operator()(const std::string& fileName) const { return WriteFile(OpenForWriting(fileName), WriteAll); }

bool Serializer::operator()(const std::wstring& fileName) const {
  return WriteFile(OpenForWriting(fileName), WriteAll);
}

std::ostream& Serializer::operator()(Object& object, std::ostream& stream) const { return WriteObject(stream, object); }

bool Serializer::operator()(Object& object, const std::string& fileName) const {
  return WriteFile(OpenForWriting(fileName), [&object](std::ostream& stream) { WriteObject(stream, object); });
}

bool Serializer::operator()(Object& object, const std::wstring& fileName) const {
  return WriteFile(OpenForWriting(fileName), [&object](std::ostream& stream) { WriteObject(stream, object); });
}
