#include "audio/SoundCatalogue.h"

namespace {

using Wave = SoundRecipe::Wave;

// Each sound tells its event apart by ear: doors are low saw sweeps (up to
// open, down to close, a heavy thud when sealed), the switch a click, the
// flood a two-tone alarm and a rumbling rise, pickups and pods bright and
// rising chirps.
// wave, start Hz, end Hz, seconds, attack, noise, alternate Hz, tremolo Hz, volume
constexpr CataloguedSound kSounds[] = {
    {0x74C5CC42u, "flare dropped", {Wave::Triangle, 900.0f, 300.0f, 0.35f, 0.002f, 0.6f, 0.0f, 0.0f, 0.5f}},
    {0xBE92F046u, "door opens", {Wave::Saw, 110.0f, 220.0f, 0.5f, 0.03f, 0.25f, 0.0f, 0.0f, 0.45f}},
    {0xA234F592u, "door closes", {Wave::Saw, 220.0f, 100.0f, 0.45f, 0.01f, 0.25f, 0.0f, 0.0f, 0.45f}},
    {0x7C8694FCu, "door slams shut for good", {Wave::Square, 80.0f, 35.0f, 0.8f, 0.002f, 0.45f, 0.0f, 0.0f, 0.6f}},
    {0xFFBB8AE6u, "door switch", {Wave::Square, 1400.0f, 900.0f, 0.06f, 0.001f, 0.1f, 0.0f, 0.0f, 0.35f}},
    {0x951B68E4u, "flood alarm", {Wave::Square, 880.0f, 660.0f, 1.2f, 0.005f, 0.0f, 4.0f, 0.0f, 0.35f}},
    {0x6F4DE0E1u, "water rising", {Wave::Sine, 60.0f, 95.0f, 1.5f, 0.3f, 0.7f, 0.0f, 6.0f, 0.6f}},
    {0x880BB817u,
     "room flooded, someone drowned",
     {Wave::Triangle, 440.0f, 110.0f, 1.2f, 0.01f, 0.15f, 0.0f, 7.0f, 0.55f}},
    {0xAD2C1CB0u, "room flooded", {Wave::Sine, 330.0f, 220.0f, 0.8f, 0.02f, 0.3f, 0.0f, 0.0f, 0.5f}},
    {0x09138F63u, "item collected", {Wave::Triangle, 660.0f, 1320.0f, 0.25f, 0.002f, 0.0f, 12.0f, 0.0f, 0.5f}},
    {0x9938DE08u, "pod charged", {Wave::Saw, 220.0f, 880.0f, 0.7f, 0.01f, 0.0f, 0.0f, 10.0f, 0.4f}},
    {0xD38D4949u, "pod launched", {Wave::Square, 70.0f, 420.0f, 1.5f, 0.05f, 0.55f, 0.0f, 0.0f, 0.55f}},
};

}  // namespace

const CataloguedSound* SoundCatalogue::Find(std::uint32_t soundID) {
  for (const CataloguedSound& sound : kSounds) {
    if (sound.id == soundID) return &sound;
  }
  return nullptr;
}

std::span<const CataloguedSound> SoundCatalogue::All() { return kSounds; }
