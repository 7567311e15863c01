#include "audio/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "audio/SoundCatalogue.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

float Tone(SoundRecipe::Wave wave, float phase) {
  switch (wave) {
    case SoundRecipe::Wave::Sine:
      return std::sin(kTwoPi * phase);
    case SoundRecipe::Wave::Triangle:
      return 1.0f - 4.0f * std::fabs(phase - 0.5f);
    case SoundRecipe::Wave::Square:
      return phase < 0.5f ? 1.0f : -1.0f;
    case SoundRecipe::Wave::Saw:
      return 2.0f * phase - 1.0f;
  }
  return 0.0f;
}

// White noise from a xorshift generator: cheap, and the same seed gives the same hiss.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : mState(seed != 0 ? seed : 0x2545F491u) {}
  float Next() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return static_cast<float>(mState) / 2147483648.0f - 1.0f;
  }

 private:
  std::uint32_t mState;
};

}  // namespace

std::vector<float> SoundSynth::Render(std::uint32_t soundID) const {
  return Render(RecipeFor(soundID), soundID ^ 0x9E3779B9u);
}

std::vector<float> SoundSynth::Render(const SoundRecipe& recipe, std::uint32_t noiseSeed) const {
  const float rate = static_cast<float>(std::max(mSampleRate, 1));
  const float seconds = std::clamp(recipe.seconds, 0.0f, 10.0f);
  const auto count = static_cast<std::size_t>(std::max(1.0f, std::round(seconds * rate)));
  // Keep pitches audible and below the folding frequency, whatever a recipe says.
  const float lowest = 20.0f;
  const float highest = 0.45f * rate;
  const float startHz = std::clamp(recipe.startHz, lowest, highest);
  const float endHz = std::clamp(recipe.endHz, lowest, highest);
  const float noise = std::clamp(recipe.noise, 0.0f, 1.0f);

  std::vector<float> samples(count);
  Noise white(noiseSeed);
  float phase = 0.0f;
  float hiss = 0.0f;
  for (std::size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / rate;
    const float u = count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 1.0f;
    float hz = startHz * std::pow(endHz / startHz, u);
    if (recipe.alternateHz > 0.0f) {
      hz = static_cast<long>(t * recipe.alternateHz) % 2 == 0 ? startHz : endHz;
    }
    phase += hz / rate;
    phase -= std::floor(phase);

    // Noise low-passed a few octaves above the tone, so it follows the pitch:
    // a rumble under a low sound, a hiss over a high one. The gain brings the
    // filtered noise back to about the loudness of the tone.
    const float cutoff = std::min(4.0f * hz, highest);
    const float a = 1.0f - std::exp(-kTwoPi * cutoff / rate);
    hiss += a * (white.Next() - hiss);
    const float hissGain = std::min(std::sqrt((2.0f - a) / a), 4.0f);

    float envelope = 1.0f - u * u;
    if (recipe.attackSeconds > 0.0f && t < recipe.attackSeconds) envelope *= t / recipe.attackSeconds;
    if (recipe.tremoloHz > 0.0f) envelope *= 0.75f + 0.25f * std::cos(kTwoPi * recipe.tremoloHz * t);

    const float mixed = (1.0f - noise) * Tone(recipe.wave, phase) + noise * hissGain * hiss;
    samples[i] = std::clamp(recipe.volume * envelope * mixed, -1.0f, 1.0f);
  }
  return samples;
}

SoundRecipe SoundSynth::RecipeFor(std::uint32_t soundID) {
  if (const CataloguedSound* known = SoundCatalogue::Find(soundID)) return known->recipe;
  // A short blip whose wave, pitches, length and hiss come from the id's bits.
  SoundRecipe recipe;
  recipe.wave = static_cast<SoundRecipe::Wave>(soundID & 3u);
  recipe.startHz = 200.0f + static_cast<float>((soundID >> 2) & 0x3FFu);
  recipe.endHz = recipe.startHz * (0.5f + 1.5f * static_cast<float>((soundID >> 12) & 0xFFu) / 255.0f);
  recipe.seconds = 0.15f + 0.02f * static_cast<float>((soundID >> 20) & 0xFu);
  recipe.noise = 0.1f * static_cast<float>((soundID >> 24) & 3u);
  recipe.volume = 0.4f;
  return recipe;
}
