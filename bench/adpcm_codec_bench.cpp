// Speed of the ADPCM coder over a full experiment buffer of speech-like
// samples, next to a plain copy of the same buffer (the memory-bandwidth
// limit of any per-sample pass).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "adpcm/adpcm_codec.h"

namespace {

// As large as adpcmlab's signal buffers.
constexpr std::size_t kSignalSize = 65535;

std::vector<std::uint8_t> speech_like() {
  std::vector<std::uint8_t> samples(kSignalSize);
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 4.0);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / 8000.0;
    const double envelope = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 3.0 * t);  // syllables
    const double voice = 40 * std::sin(2 * std::numbers::pi * 140 * t) + 20 * std::sin(2 * std::numbers::pi * 720 * t) +
                         10 * std::sin(2 * std::numbers::pi * 1240 * t);
    samples[i] = static_cast<std::uint8_t>(std::lround(std::clamp(128 + envelope * voice + noise(random), 0.0, 255.0)));
  }
  return samples;
}

void BM_Encode(benchmark::State& state) {
  const auto input = speech_like();
  std::vector<std::uint8_t> codes(kSignalSize);
  std::vector<std::uint8_t> reconstruction(kSignalSize);
  for (auto _ : state) {
    adpcm_encode(input, codes, reconstruction);
    benchmark::DoNotOptimize(codes.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSignalSize));
}
BENCHMARK(BM_Encode);

void BM_Decode(benchmark::State& state) {
  const auto input = speech_like();
  std::vector<std::uint8_t> codes(kSignalSize);
  std::vector<std::uint8_t> reconstruction(kSignalSize);
  std::vector<std::uint8_t> decoded(kSignalSize);
  adpcm_encode(input, codes, reconstruction);
  for (auto _ : state) {
    adpcm_decode(codes, decoded);
    benchmark::DoNotOptimize(decoded.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSignalSize));
}
BENCHMARK(BM_Decode);

void BM_PlainCopy(benchmark::State& state) {
  const auto input = speech_like();
  std::vector<std::uint8_t> copy(kSignalSize);
  for (auto _ : state) {
    std::memcpy(copy.data(), input.data(), kSignalSize);
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSignalSize));
}
BENCHMARK(BM_PlainCopy);

}  // namespace

BENCHMARK_MAIN();
