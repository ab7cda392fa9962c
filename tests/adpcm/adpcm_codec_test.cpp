#include "adpcm/adpcm_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Coded {
  Bytes codes;           // one per sample, unpacked
  Bytes steps;           // the step in force for each sample
  Bytes reconstruction;  // the encoder's
  Bytes packed;          // len / 2 bytes
  Bytes decoded;
};

Coded code_signal(const Bytes& input) {
  Coded c;
  AdpcmState state;
  for (std::uint8_t x : input) {
    c.steps.push_back(state.step);
    c.codes.push_back(encode_sample(state, x));
  }
  const auto len = static_cast<std::uint32_t>(input.size());
  // One spare zeroed byte: an odd run's last code is read from it.
  Bytes packed(len / 2 + 1, 0);
  c.reconstruction.resize(len);
  c.decoded.resize(len);
  adpcm_encode(input, packed, c.reconstruction);
  EXPECT_EQ(packed.back(), 0) << "wrote past len / 2 bytes";
  adpcm_decode(packed, c.decoded);
  c.packed.assign(packed.begin(), packed.end() - 1);
  return c;
}

TEST(AdpcmCodec, RisingSignal) {
  const Coded c = code_signal({0, 4, 10, 20, 40, 70, 90, 100});
  EXPECT_EQ(c.codes, (Bytes{1, 7, 1, 2, 6, 3, 2, 1}));
  EXPECT_EQ(c.packed, (Bytes{0x17, 0x12, 0x63, 0x21}));
  EXPECT_EQ(c.reconstruction, (Bytes{0, 3, 9, 19, 39, 70, 90, 99}));
  EXPECT_EQ(c.decoded, c.reconstruction);
  EXPECT_EQ(c.steps, (Bytes{2, 2, 19, 16, 13, 37, 32, 27}));
}

TEST(AdpcmCodec, DifferenceOf128AndWrapAround) {
  const Coded c = code_signal({128, 128, 140, 160, 200, 255, 0, 90});
  EXPECT_EQ(c.codes, (Bytes{0x8, 0x8, 0xf, 0xf, 0x9, 0x4, 0x8, 0x5}));
  EXPECT_EQ(c.packed, (Bytes{0x88, 0xff, 0x94, 0x85}));
  EXPECT_EQ(c.reconstruction, (Bytes{0, 0, 253, 219, 195, 4, 251, 86}));
  EXPECT_EQ(c.decoded, c.reconstruction);
}

TEST(AdpcmCodec, OddRunDecodesItsLastSampleFromCodeZero) {
  // Worked by hand from the rising signal: steps 23, 19, 16 for the last
  // three samples; the last code (b) is never stored, so the decoder reads
  // code 0 at step 16 from 103 and gets 103 + 16 / 8.
  const Coded c = code_signal({0, 4, 10, 20, 40, 70, 90, 100, 99, 101, 90});
  EXPECT_EQ(c.codes, (Bytes{1, 7, 1, 2, 6, 3, 2, 1, 0, 0, 0xb}));
  EXPECT_EQ(c.packed, (Bytes{0x17, 0x12, 0x63, 0x21, 0x00}));
  EXPECT_EQ(c.reconstruction, (Bytes{0, 3, 9, 19, 39, 70, 90, 99, 101, 103, 89}));
  EXPECT_EQ(c.decoded, (Bytes{0, 3, 9, 19, 39, 70, 90, 99, 101, 103, 105}));
}

TEST(AdpcmCodec, SignalAt128NeverMovesThePrediction) {
  const Coded c = code_signal(Bytes(100, 128));
  EXPECT_EQ(c.codes, Bytes(100, 8));
  EXPECT_EQ(c.packed, Bytes(50, 0x88));
  EXPECT_EQ(c.reconstruction, Bytes(100, 0));
  EXPECT_EQ(c.steps, Bytes(100, 2));
}

TEST(AdpcmCodec, InputEqualToThePredictionCodesOneOnlyAtTheSmallestSteps) {
  struct Case {
    std::int8_t index;
    std::uint8_t expected;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{2, 0}, Case{10, 0}, Case{21, 0}}) {
    AdpcmState state;
    state.pred = 77;
    state.index = c.index;
    state.step = kStepTable[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(encode_sample(state, 77), c.expected) << "step " << int(kStepTable[c.index]);
  }
}

TEST(AdpcmCodec, ShortRuns) {
  EXPECT_TRUE(code_signal({}).packed.empty());
  // One sample: nothing stored; the decoder reads code 0 at step 2 from 0.
  const Coded one = code_signal({200});
  EXPECT_TRUE(one.packed.empty());
  EXPECT_EQ(one.reconstruction, (Bytes{253}));  // 200 is 128 below 0: -(2/8 + 2 + 1) = 253
  EXPECT_EQ(one.decoded, (Bytes{0}));
}

TEST(AdpcmCodec, QuantisedDifferenceAtTheLargestStep) {
  EXPECT_EQ(quantised_difference(127, 7), 236);
  EXPECT_EQ(quantised_difference(127, 0), 15);
  EXPECT_EQ(quantised_difference(2, 1), 0);
  EXPECT_EQ(quantised_difference(2, 4), 2);
}

// Signals that push the coder to its edges, plus random ones.
std::vector<Bytes> hard_signals() {
  std::vector<Bytes> signals;
  signals.push_back(Bytes(1001, 0));
  signals.push_back(Bytes(1000, 255));
  signals.push_back(Bytes(999, 128));
  Bytes square;
  for (int i = 0; i < 2000; ++i) square.push_back((i / 7) % 2 == 0 ? 0 : 255);
  signals.push_back(square);
  Bytes alternating;
  for (int i = 0; i < 1501; ++i) alternating.push_back(i % 2 == 0 ? 0 : 128);
  signals.push_back(alternating);
  std::mt19937 random(12345);
  for (int n = 0; n < 50; ++n) {
    Bytes noise(static_cast<std::size_t>(random() % 3000));
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    signals.push_back(noise);
  }
  return signals;
}

TEST(AdpcmCodec, DecoderReproducesTheReconstructionOfEverySignal) {
  for (const Bytes& input : hard_signals()) {
    const Coded c = code_signal(input);
    const std::size_t n = input.size();
    ASSERT_EQ(c.packed.size(), n / 2);
    // All but the last sample of an odd run, which decodes from code 0.
    const std::size_t same = n % 2 == 0 ? n : n - 1;
    for (std::size_t i = 0; i < same; ++i) {
      ASSERT_EQ(c.decoded[i], c.reconstruction[i]) << "sample " << i << " of " << n;
    }
    for (std::size_t i = 0; i < n; ++i) {
      ASSERT_EQ(c.codes[i] >> 4, 0);
      if (i + 1 < n || n % 2 == 0) {
        const std::uint8_t stored = i % 2 == 0 ? c.packed[i / 2] >> 4 : c.packed[i / 2] & 15;
        ASSERT_EQ(stored, c.codes[i]);
      }
    }
  }
}

TEST(AdpcmCodec, IndexStaysWithinTheTable) {
  for (const Bytes& input : hard_signals()) {
    AdpcmState encoder;
    AdpcmState decoder;
    for (std::uint8_t x : input) {
      const std::uint8_t code = encode_sample(encoder, x);
      decode_sample(decoder, code);
      for (const AdpcmState& s : {encoder, decoder}) {
        ASSERT_GE(s.index, 0);
        ASSERT_LE(s.index, 21);
        ASSERT_EQ(s.step, kStepTable[static_cast<std::size_t>(s.index)]);
      }
    }
  }
  // Long runs of the largest and smallest magnitudes.
  AdpcmState s;
  for (int i = 0; i < 100; ++i) decode_sample(s, 7);
  EXPECT_EQ(s.index, 21);
  for (int i = 0; i < 100; ++i) decode_sample(s, 0);
  EXPECT_EQ(s.index, 0);
}

}  // namespace
