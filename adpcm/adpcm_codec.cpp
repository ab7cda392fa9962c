#include "adpcm/adpcm_codec.h"

#include <cassert>

std::uint8_t encode_sample(AdpcmState& state, std::uint8_t sample) {
  // The difference modulo 256, read as signed: a jump of more than 127 is
  // coded as the shorter move the other way round. Negating -128 gives -128
  // again, which fails every comparison: it codes as the sign alone.
  auto d = static_cast<std::int8_t>(static_cast<std::uint8_t>(sample - state.pred));
  std::uint8_t code = 0;
  if (d < 0) {
    code = ADPCM_SIGN_BIT;
    d = static_cast<std::int8_t>(-d);
  }
  const int step = state.step;
  if (d >= step) {
    code |= 4;
    d = static_cast<std::int8_t>(d - step);
  }
  if (d >= step >> 1) {
    code |= 2;
    d = static_cast<std::int8_t>(d - (step >> 1));
  }
  if (d >= step >> 2) code |= 1;
  adpcm_move_prediction(&state, code);
  adpcm_adapt_step(&state, code);
  return code;
}

void adpcm_encode(std::span<const std::uint8_t> samples, std::span<std::uint8_t> codes,
                  std::span<std::uint8_t> pred) {
  assert(codes.size() >= samples.size() / 2 && pred.size() >= samples.size());
  AdpcmState state;
  std::uint8_t high = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::uint8_t code = encode_sample(state, samples[i]);
    pred[i] = state.pred;
    if (i % 2 == 0) {
      high = static_cast<std::uint8_t>(code << 4);
    } else {
      codes[i / 2] = high | code;
    }
  }
}

void adpcm_decode(std::span<const std::uint8_t> codes, std::span<std::uint8_t> samples) {
  AdpcmState state;
  for (std::size_t j = 0; j < samples.size(); ++j) {
    const std::uint8_t byte = j / 2 < codes.size() ? codes[j / 2] : 0;
    const std::uint8_t code = j % 2 == 0 ? byte >> 4 : byte & 0x0F;
    samples[j] = decode_sample(state, code);
  }
}
