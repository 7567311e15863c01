#include "check/ComponentReference.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "check/MemberAccess.h"
#include "check/Suggestion.h"
#include "core/Engine.h"
#include "meta/Member.h"
#include "meta/MetaData.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"

namespace ComponentReference {

namespace {

// Every member, stored or not, in the writer's order.
std::vector<Member> Members(Component& component) {
  std::vector<Member> members;
  MemberAccess::ForEachLeaf(
      component.GetMetaData(), MemberAccess::Base(component),
      [&](const MemberAccess::Leaf& leaf) {
        members.push_back(
            {leaf.path, leaf.type->Type(), leaf.stored ? MemberAccess::Text(leaf) : "", leaf.stored, false});
      },
      true);
  return members;
}

// A value unlike any default, readable as the type.
std::string Marker(const std::string& type) {
  if (type == "bool") return "1";
  if (type == "float") return "7.25";
  if (type == "std::string" || type == "std::vector<std::string>") return "marker";
  return "7";
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
    kind.members = Members(*fresh);
    // A second one, every member set to a value of our own as a file would
    // set it, then started as an object's part is: what moved was reset.
    const std::shared_ptr<Component> started = factory->CreateArchetypeComponent();
    for (const Member& member : kind.members) {
      if (member.stored) MemberAccess::Set(*started, member.path, Marker(member.type));
    }
    const std::vector<Member> marked = Members(*started);
    started->Initialize();
    const std::vector<Member> after = Members(*started);
    for (std::size_t i = 0; i < kind.members.size() && i < after.size(); ++i) {
      kind.members[i].resetByInitialize = marked[i].value != after[i].value;
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
