#pragma once
#include <cstdint>
#include <span>

#include "audio/SoundSynth.h"

// The sound events the engine posts: the name the event log gives each one
// and how the synthesizer plays it.
struct CataloguedSound {
  std::uint32_t id;
  const char* name;
  SoundRecipe recipe;
};

class SoundCatalogue {
 public:
  // The entry for this id, or null for a sound the engine does not post.
  [[nodiscard]] static const CataloguedSound* Find(std::uint32_t soundID);
  [[nodiscard]] static std::span<const CataloguedSound> All();
};
