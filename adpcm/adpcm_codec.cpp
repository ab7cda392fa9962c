#include "adpcm/adpcm_codec.h"

#include <algorithm>

#include "adpcm/sample_dumps.h"

std::uint8_t predBuf[kSampleBufferSize];

namespace {

void adapt_step(AdpcmState& state, std::uint8_t code) {
  const int index = std::clamp(state.index + kIndexAdjust[code & 7], 0,
                               static_cast<int>(kStepTable.size()) - 1);
  state.index = static_cast<std::int8_t>(index);
  state.step = kStepTable[static_cast<std::size_t>(index)];
}

void move_prediction(AdpcmState& state, std::uint8_t code) {
  const std::uint8_t dq = quantised_difference(state.step, code & 7);
  state.pred = static_cast<std::uint8_t>((code & kSignBit) != 0 ? state.pred - dq : state.pred + dq);
}

}  // namespace

std::uint8_t quantised_difference(std::uint8_t step, std::uint8_t magnitude) {
  unsigned dq = step >> 3;
  if ((magnitude & 4) != 0) dq += step;
  if ((magnitude & 2) != 0) dq += step >> 1;
  if ((magnitude & 1) != 0) dq += step >> 2;
  return static_cast<std::uint8_t>(dq);
}

std::uint8_t encode_sample(AdpcmState& state, std::uint8_t sample) {
  // The difference modulo 256, read as signed: a jump of more than 127 is
  // coded as the shorter move the other way round. Negating -128 gives -128
  // again, which fails every comparison: it codes as the sign alone.
  auto d = static_cast<std::int8_t>(static_cast<std::uint8_t>(sample - state.pred));
  std::uint8_t code = 0;
  if (d < 0) {
    code = kSignBit;
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
  move_prediction(state, code);
  adapt_step(state, code);
  return code;
}

std::uint8_t decode_sample(AdpcmState& state, std::uint8_t code) {
  move_prediction(state, code);  // with the step in force before this code
  adapt_step(state, code);
  return state.pred;
}

void adpcm_encode(const std::uint8_t* samples, std::uint32_t len, std::uint8_t* codes,
                  std::uint8_t* reconstruction) {
  AdpcmState state;
  std::uint8_t high = 0;
  for (std::uint32_t i = 0; i < len; ++i) {
    const std::uint8_t code = encode_sample(state, samples[i]);
    reconstruction[i] = state.pred;
    if (i % 2 == 0) {
      high = static_cast<std::uint8_t>(code << 4);
    } else {
      codes[i / 2] = high | code;
    }
  }
}

void adpcm_decode(const std::uint8_t* codes, std::uint32_t len, std::uint8_t* samples) {
  AdpcmState state;
  for (std::uint32_t j = 0; j < len; ++j) {
    const std::uint8_t byte = codes[j / 2];
    const std::uint8_t code = j % 2 == 0 ? byte >> 4 : byte & 0x0F;
    samples[j] = decode_sample(state, code);
  }
}

bool adpcm_codec(TextWriter& console, const std::uint8_t* waveBuf, std::uint8_t* adpcmBuf,
                 std::uint8_t* pcmBuf, std::uint32_t len) {
  len = std::min<std::uint32_t>(len, kSampleBufferSize);
  adpcm_encode(waveBuf, len, adpcmBuf, predBuf);
  adpcm_decode(adpcmBuf, len, pcmBuf);
  bool written = write_hex_list(console, predBuf, len, "pred.txt");
  written = write_plot_script(console, predBuf, len, "pred.m") && written;
  console.text("OK!\n");
  return written;
}
