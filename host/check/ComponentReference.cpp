#include "check/ComponentReference.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "check/MemberAccess.h"
#include "check/Suggestion.h"
#include "core/Engine.h"
#include "meta/Member.h"
#include "meta/MetaData.h"
#include "meta/TextReaders.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"

namespace ComponentReference {

namespace {

// Every member, stored or not, depth first in the writer's order.
void Walk(const META::MetaData& record, char* base, const std::string& prefix, std::vector<Member>& members) {
  for (const auto& [name, member] : record.GetMembers()) {
    const META::MetaData* type = member->Data();
    if (type == nullptr) continue;
    const std::string path = prefix.empty() ? name : prefix + "." + name;
    if (type->HasMembers()) {
      Walk(*type, base + member->Offset(), path, members);
      continue;
    }
    const bool stored = type->GetDeserialize() != nullptr && type->GetDeserialize() != &META::ReadBlock;
    members.push_back(
        {path, type->Type(), stored ? MemberAccess::Text({path, type, base + member->Offset()}) : "", stored, false});
  }
}

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const Kind& kind : Kinds()) names.push_back(kind.name);
  return names;
}

}  // namespace

std::vector<Kind> Kinds() {
  std::vector<Kind> kinds;
  for (const auto& [name, factory] : Engine::mFactory.GetComponentFactories()) {
    if (name == L"Object" || !factory) continue;
    Kind kind{NarrowName(name), static_cast<int>(factory->GetType()), {}};
    const std::shared_ptr<Component> fresh = factory->CreateArchetypeComponent();
    if (!fresh) continue;
    META::MetaData& meta = fresh->GetMetaData();
    Walk(meta, static_cast<char*>(MemberAccess::Base(*fresh)), {}, kind.members);
    // Start a second one as an object's part is started, and see what moved.
    const std::shared_ptr<Component> started = factory->CreateArchetypeComponent();
    started->Initialize();
    std::vector<Member> after;
    Walk(started->GetMetaData(), static_cast<char*>(MemberAccess::Base(*started)), {}, after);
    for (std::size_t i = 0; i < kind.members.size() && i < after.size(); ++i) {
      kind.members[i].resetByInitialize = kind.members[i].value != after[i].value;
    }
    kinds.push_back(std::move(kind));
  }
  return kinds;
}

bool Print(std::ostream& out, const std::string& only) {
  const std::vector<Kind> kinds = Kinds();
  const bool found =
      only.empty() || std::any_of(kinds.begin(), kinds.end(), [&](const Kind& k) { return k.name == only; });
  if (!found) return false;
  if (only.empty()) {
    out << "Components, as level and archetype files name them. Each member: its name in files, its type\n"
           "and its value in a component fresh from its factory. A component block in a level replaces the\n"
           "archetype's component whole, so members it does not write take these values.\n"
           "Every object block also has 'mName : <text>', the object's name.\n";
  }
  for (const Kind& kind : kinds) {
    if (!only.empty() && kind.name != only) continue;
    out << '\n' << kind.name << " (component type " << kind.type << ")\n";
    if (kind.members.empty()) out << "  no members: the block is written empty, '{' then '}'\n";
    std::size_t width = 0;
    for (const Member& member : kind.members) width = std::max(width, member.path.size());
    for (const Member& member : kind.members) {
      char line[256];
      std::snprintf(line, sizeof line, "  %-*s  %-24s  ", static_cast<int>(width), member.path.c_str(),
                    member.type.c_str());
      out << line;
      if (!member.stored) {
        out << "(not stored in files)";
      } else {
        out << (member.value.empty() ? "\"\"" : member.value);
        if (member.resetByInitialize) out << "   (set again by Initialize: a file value is replaced)";
      }
      out << '\n';
    }
  }
  return true;
}

std::string DidYouMean(const std::string& name) { return Suggestion::DidYouMean(name, Names()); }

}  // namespace ComponentReference
