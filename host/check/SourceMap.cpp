#include "check/SourceMap.h"

#include "check/LevelFiles.h"
#include "core/Engine.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"

namespace {

SourceMap::Place InBlock(const std::string& file, const TextOutline::Block& block, std::string_view component,
                         std::string_view path, bool& found) {
  found = false;
  if (component.empty()) {
    found = true;
    return {file, block.line};
  }
  const TextOutline::Block* part = block.Child(component);
  if (part == nullptr) return {file, block.line};
  found = true;
  const std::uint32_t line = path.empty() ? 0 : part->LineOf(path);
  return {file, line != 0 ? line : part->line};
}

}  // namespace

SourceMap::SourceMap(const std::string& level, const TextOutline* levelOutline,
                     const std::map<std::wstring, TextOutline>* archetypeOutlines)
    : mLevel(level), mLevelFile(LevelFiles::LevelFile(level)), mArchetypes(archetypeOutlines) {
  if (levelOutline == nullptr) return;
  // Blocks whose archetype exists made one object each, in order.
  auto object = Engine::mFactory.GetObjects().begin();
  const auto end = Engine::mFactory.GetObjects().end();
  for (const TextOutline::Block& block : levelOutline->Blocks()) {
    if (object == end) break;
    if (!Engine::mFactory.GetArchetype(WidenName(block.head)).lock()) continue;
    mBlocks[object->first] = &block;
    ++object;
  }
}

const TextOutline::Block* SourceMap::BlockOf(const Object& object) const {
  const auto found = mBlocks.find(object.GetID());
  return found == mBlocks.end() ? nullptr : found->second;
}

SourceMap::Place SourceMap::InArchetype(const std::wstring& archetype, std::string_view component,
                                        std::string_view path) const {
  const std::string file = LevelFiles::ArchetypeFile(mLevel, NarrowName(archetype));
  if (mArchetypes == nullptr) return {file, 0};
  const auto outline = mArchetypes->find(archetype);
  if (outline == mArchetypes->end() || outline->second.Blocks().empty()) return {file, 0};
  bool found = false;
  return InBlock(file, outline->second.Blocks().front(), component, path, found);
}

SourceMap::Place SourceMap::Where(const Object& object, std::string_view component, std::string_view path) const {
  const TextOutline::Block* block = BlockOf(object);
  if (block == nullptr) return {mLevelFile, 0};
  bool found = false;
  Place place = InBlock(mLevelFile, *block, component, path, found);
  if (found) return place;
  // The level block does not write that component: it came from the block's archetype.
  Place inArchetype = InArchetype(WidenName(block->head), component, path);
  return inArchetype.line != 0 ? inArchetype : place;
}
