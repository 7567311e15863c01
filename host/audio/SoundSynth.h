#pragma once
#include <cstdint>
#include <vector>

// How one sound is made: a tone that glides (or jumps back and forth, like an
// alarm) between two pitches, some low-passed noise, a short attack and a
// fade to silence at the end so that nothing clicks.
struct SoundRecipe {
  enum class Wave : std::uint8_t { Sine, Triangle, Square, Saw };

  Wave wave = Wave::Sine;
  float startHz = 440.0f;
  float endHz = 440.0f;
  float seconds = 0.25f;
  float attackSeconds = 0.005f;
  // Share of the sound that is noise, 0 to 1.
  float noise = 0.0f;
  // Zero: the pitch glides from start to end. Otherwise it alternates
  // between the two this many times a second.
  float alternateHz = 0.0f;
  // Loudness wobble this many times a second (0: none).
  float tremoloHz = 0.0f;
  float volume = 0.5f;
};

// Renders sound event ids into mono float samples in [-1, 1]. The same id
// always gives the same samples (the noise is seeded by the id); an id the
// catalogue does not know still gets a sound of its own, made from its bits.
class SoundSynth {
 public:
  explicit SoundSynth(int sampleRate) : mSampleRate(sampleRate) {}

  [[nodiscard]] int SampleRate() const { return mSampleRate; }
  [[nodiscard]] std::vector<float> Render(std::uint32_t soundID) const;

  [[nodiscard]] static SoundRecipe RecipeFor(std::uint32_t soundID);

 private:
  [[nodiscard]] std::vector<float> Render(const SoundRecipe& recipe, std::uint32_t noiseSeed) const;

  int mSampleRate;
};
