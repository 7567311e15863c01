#include "check/MemberAccess.h"

#include <sstream>

#include "meta/Member.h"
#include "meta/MetaData.h"
#include "meta/TextReaders.h"
#include "meta/Variant.h"
#include "objects/Component.h"

namespace MemberAccess {

namespace {

bool IsLineForm(const META::MetaData& type) {
  return !type.HasMembers() && type.GetDeserialize() != nullptr && type.GetDeserialize() != &META::ReadBlock;
}

void Walk(const META::MetaData& record, char* base, const std::string& prefix,
          const std::function<void(const Leaf&)>& visit, bool unstored) {
  for (const auto& [name, member] : record.GetMembers()) {
    const META::MetaData* type = member->Data();
    if (type == nullptr) continue;
    const std::string path = prefix.empty() ? name : prefix + "." + name;
    if (type->HasMembers()) {
      Walk(*type, base + member->Offset(), path, visit, unstored);
    } else if (IsLineForm(*type)) {
      visit({path, type, base + member->Offset(), true});
    } else if (unstored) {
      visit({path, type, base + member->Offset(), false});
    }
  }
}

}  // namespace

void* Base(Component& component) { return dynamic_cast<void*>(&component); }

void ForEachLeaf(const META::MetaData& record, void* base, const std::function<void(const Leaf&)>& visit,
                 bool unstored) {
  Walk(record, static_cast<char*>(base), {}, visit, unstored);
}

void ForEachLeaf(Component& component, const std::function<void(const Leaf&)>& visit) {
  ForEachLeaf(component.GetMetaData(), Base(component), visit);
}

std::string Text(const Leaf& leaf) {
  std::ostringstream text;
  leaf.type->Serialize(text, Variant(leaf.type, leaf.address), 0);
  std::string line = std::move(text).str();
  while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
  return line;
}

std::string TextOf(Component& component, std::string_view path) {
  std::string text;
  ForEachLeaf(component, [&](const Leaf& leaf) {
    if (leaf.path == path) text = Text(leaf);
  });
  return text;
}

bool Set(Component& component, std::string_view path, std::string_view value) {
  bool done = false;
  ForEachLeaf(component, [&](const Leaf& leaf) {
    if (done || leaf.path != path) return;
    // The readers start after the separator: one blank, then the value.
    std::istringstream text(" " + std::string(value) + "\n");
    leaf.type->Deserialize(text, Variant(leaf.type, leaf.address), false);
    done = !text.fail();
  });
  return done;
}

}  // namespace MemberAccess
