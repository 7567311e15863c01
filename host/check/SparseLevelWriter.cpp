#include "check/SparseLevelWriter.h"

#include <ostream>
#include <sstream>

#include "check/MemberAccess.h"
#include "core/Engine.h"
#include "meta/Member.h"
#include "meta/MetaData.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"

namespace {

std::string Tabs(unsigned depth) { return std::string(depth, '\t'); }

// The full text of a component, as the engine writes it.
std::string FullText(Component& component) {
  std::ostringstream text;
  META::MetaData& meta = component.GetMetaData();
  meta.Serialize(text, Variant(&meta, MemberAccess::Base(component)), 0);
  return std::move(text).str();
}

// The member lines of `record` at `base` that differ from those at
// `defaults`, at `depth`, in the writer's order and form.
std::string Differences(const META::MetaData& record, char* base, char* defaults, unsigned depth) {
  std::string text;
  for (const auto& [name, member] : record.GetMembers()) {
    const META::MetaData* type = member->Data();
    if (type == nullptr || type->GetDeserialize() == nullptr) continue;
    char* value = base + member->Offset();
    char* fresh = defaults + member->Offset();
    if (type->HasMembers()) {
      const std::string inner = Differences(*type, value, fresh, depth + 1);
      if (inner.empty()) continue;
      text += Tabs(depth) + name + " : " + Tabs(depth) + type->Type() + "\n" + Tabs(depth) + "{\n" + inner +
              Tabs(depth) + "}\n";
      continue;
    }
    if (type->GetDeserialize() == &META::ReadBlock) continue;  // not stored in files
    const std::string mine = MemberAccess::Text({name, type, value});
    if (mine == MemberAccess::Text({name, type, fresh})) continue;
    text += Tabs(depth) + name + " : " + mine + "\n";
  }
  return text;
}

}  // namespace

void SparseLevelWriter::Write(const Object& object, const Object& archetype) {
  mOut << NarrowName(archetype.GetArchetypeName()) << "\n{\n\tmName : " << object.GetName() << '\n';
  for (const auto& [type, component] : object.GetComponents()) {
    const auto inherited = archetype.GetComponent(type).lock();
    if (inherited && FullText(*component) == FullText(*inherited)) continue;
    META::MetaData& meta = component->GetMetaData();
    const auto factory = Engine::mFactory.GetComponentFactory(WidenName(meta.Type()));
    const std::shared_ptr<Component> fresh = factory ? factory->CreateArchetypeComponent() : nullptr;
    if (!fresh) continue;
    mOut << '\t' << meta.Type() << "\n\t{\n"
         << Differences(meta, static_cast<char*>(MemberAccess::Base(*component)),
                        static_cast<char*>(MemberAccess::Base(*fresh)), 2)
         << "\t}\n";
  }
  mOut << "}\n\n";
}
