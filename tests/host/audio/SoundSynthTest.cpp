// The synthesizer behind the audible host: every sound the engine posts, and
// any other id, must be heard, stay within full scale, end without a click,
// come out the same each time and not sound like another one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "audio/AudioSystem.h"
#include "audio/SoundCatalogue.h"
#include "audio/SoundSynth.h"

namespace {

float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (const float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

// Root-mean-square difference over the part both sounds have.
float Difference(const std::vector<float>& a, const std::vector<float>& b) {
  const std::size_t n = std::min(a.size(), b.size());
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return n == 0 ? 0.0f : static_cast<float>(std::sqrt(sum / static_cast<double>(n)));
}

TEST(SoundSynth, EverySoundIsAudibleBoundedRepeatableAndUnlikeTheOthers) {
  const SoundSynth synth(48000);
  std::vector<std::uint32_t> ids;
  for (const CataloguedSound& sound : SoundCatalogue::All()) ids.push_back(sound.id);
  ids.push_back(0x12345678u);
  ids.push_back(0x12345679u);

  std::vector<std::vector<float>> sounds;
  for (const std::uint32_t id : ids) {
    SCOPED_TRACE(AudioSystem::SoundName(id));
    sounds.push_back(synth.Render(id));
    const std::vector<float>& samples = sounds.back();
    ASSERT_FALSE(samples.empty());
    EXPECT_LT(samples.size(), 48000u * 3u) << "sound events are short";
    EXPECT_GT(Peak(samples), 0.1f);
    EXPECT_LE(Peak(samples), 1.0f);
    EXPECT_LT(std::fabs(samples.back()), 0.01f) << "ends on silence";
    EXPECT_EQ(samples, synth.Render(id));
  }
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    for (std::size_t j = i + 1; j < sounds.size(); ++j) {
      EXPECT_GT(Difference(sounds[i], sounds[j]), 0.05f) << std::hex << ids[i] << " sounds like " << ids[j];
    }
  }
}

}  // namespace
