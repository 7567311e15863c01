#include "meta/ObjectText.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "core/Engine.h"
#include "meta/Member.h"
#include "meta/MetaData.h"
#include "meta/TextInput.h"
#include "meta/TextWords.h"
#include "meta/TextWriters.h"
#include "objects/ComponentType.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "objects/ResourceRequests.h"
#include "platform/FileSystem.h"

namespace {

void ReportAt(const std::istream& stream, std::uint32_t line, std::string reason) {
  const auto* input = dynamic_cast<const META::TextInput*>(&stream);
  META::TextReadReport* report = input != nullptr ? input->Report() : META::TextReadReport::Installed();
  if (report == nullptr) return;
  report->Add({input != nullptr ? input->FileName() : std::string(), line, std::move(reason)});
}

// Reads the value of one of the object's own members ("mName", "mID").
void ReadObjectMember(std::istream& stream, Object& object, const META::Member& member, bool archetype) {
  const META::MetaData* type = member.Data();
  if (type == nullptr || type->GetDeserialize() == nullptr) {
    META::SkipLine(stream);
    return;
  }
  if (std::string_view(member.Name()) == "mID") {
    // Ids come from the registry alone: one read from a file could collide.
    ObjectID ignored = 0;
    if (type->Size() == sizeof ignored) {
      type->Deserialize(stream, Variant(type, &ignored), archetype);
    } else {
      META::SkipLine(stream);
    }
    return;
  }
  type->Deserialize(stream, Variant(type, reinterpret_cast<char*>(&object) + member.Offset()), archetype);
}

// Where the components of one object block go: the live object itself, or
// (archetype files) the archetype the object names.
struct Target {
  Object& object;
  std::weak_ptr<Object> live;
  bool archetype;
};

// A new component of that registry name on the target, or empty.
std::shared_ptr<Component> GiveComponent(const Target& target, const std::wstring& registryName) {
  if (target.archetype) {
    return Engine::mFactory.GiveArchetypeComponent(target.object.GetArchetypeName(), registryName).lock();
  }
  return Engine::mFactory.GiveObjectComponent(target.live, registryName).lock();
}

// A name that no factory knows, with the word after it: a stray line, a
// stray word before the object's "}", or a block. False when the object ends.
bool SkipUnknown(std::istream& stream, const std::string& name, const std::string& separator, std::uint32_t line) {
  if (separator == "}") {
    ReportAt(stream, line, "stray word '" + name + "' skipped");
    return false;
  }
  if (separator != "{") {
    ReportAt(stream, line, "unknown member '" + name + "' of Object skipped");
    META::SkipLine(stream);
    return true;
  }
  ReportAt(stream, line, "unknown component '" + name + "' skipped");
  if (!META::SkipBlock(stream)) META::FailRead(stream, "input ends inside the " + name + " block");
  return true;
}

// One component block inside an object block; `name` and `separator` are its
// first two words. False when the object block ended instead.
bool ReadComponent(std::istream& stream, const Target& target, const std::string& name, const std::string& separator,
                   std::uint32_t line, std::wstring& nameBuffer) {
  Object& object = target.object;
  const bool archetype = target.archetype;
  const std::wstring& registryName = Platform::WidenInto(nameBuffer, name);
  // An object is no component of another: its reader would nest without end.
  if (name == "Object" || !Engine::mFactory.GetComponentFactory(registryName)) {
    return SkipUnknown(stream, name, separator, line);
  }
  // A known component: the word after its name is taken as its "{", unchecked.
  const std::shared_ptr<Component> component = GiveComponent(target, registryName);
  if (!component) {
    ReportAt(stream, line,
             "no archetype named '" + NarrowName(object.GetArchetypeName()) + "' to give component '" + name +
                 "'; block skipped");
    if (!META::SkipBlock(stream)) META::FailRead(stream, "input ends inside the " + name + " block");
    return true;
  }
  META::MetaData& meta = component->GetMetaData();
  // Member offsets are relative to the concrete class.
  meta.Deserialize(stream, Variant(&meta, dynamic_cast<void*>(component.get())), archetype);
  return true;
}

}  // namespace

std::ostream& WriteObjectBlock(std::ostream& stream, Variant value, unsigned depth) {
  auto* object = static_cast<Object*>(value.GetData());
  if (object == nullptr) return stream;
  META::WriteIndent(stream, depth);
  stream << "Object\n";
  META::WriteIndent(stream, depth);
  stream << "{\n";
  // The id is the registry's business and is not stored.
  META::WriteIndent(stream, depth + 1);
  stream << "mName : " << object->GetName() << '\n';
  for (const auto& [type, component] : object->GetComponents()) {
    if (!component) continue;
    META::MetaData& meta = component->GetMetaData();
    meta.Serialize(stream, Variant(&meta, dynamic_cast<void*>(component.get())), depth + 1);
  }
  META::WriteIndent(stream, depth);
  return stream << "}\n\n";
}

bool ReadObjectBody(std::istream& stream, Object& object, bool archetype) {
  // Lines are kept for reports that name a block's first line rather than
  // the one the reader has reached.
  const auto* input = dynamic_cast<const META::TextInput*>(&stream);
  Target target{object, {}, archetype};
  if (!archetype) target.live = std::static_pointer_cast<Object>(object.weak_from_this().lock());
  std::string word;
  std::string separator;
  std::wstring registryName;
  while (stream) {
    if (!META::ReadWord(stream, word)) {
      META::FailRead(stream, "input ends inside an object block");
      return false;
    }
    if (word == "}") return true;
    const std::uint32_t line = input != nullptr ? input->Line() : 0;
    if (!META::ReadWord(stream, separator)) {
      META::FailRead(stream, "input ends inside an object block");
      return false;
    }
    // The separator (":" or "{") is not checked: the name alone decides.
    if (const META::Member* member = Object::meta_.FindMember(word)) {
      ReadObjectMember(stream, object, *member, archetype);
    } else if (!ReadComponent(stream, target, word, separator, line, registryName)) {
      return true;
    }
  }
  return false;
}

std::istream& ReadObjectBlock(std::istream& stream, Variant value, bool archetype) {
  auto* object = static_cast<Object*>(value.GetData());
  if (!stream) return stream;
  if (object == nullptr) {
    if (!META::SkipBlock(stream)) META::FailRead(stream, "input ends inside an object block");
    return stream;
  }
  ReadObjectBody(stream, *object, archetype);
  // Archetype parts are never started. A live object is finished even when
  // its block broke off: it stays in the registry, and the components it
  // was given must be initialized and their resources requested.
  if (!archetype) {
    RelayResourceRequests(*object);
    object->Initialize();
  }
  return stream;
}
