// Writes the demo sound examples/chime.wav: half a second of a decaying
// two-note chime, 8-bit unsigned mono at 8 kHz, with the plain 44-byte header.
//   make_demo_wav OUTPUT.wav
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 8000;
constexpr std::uint32_t kSamples = 4000;

void put_u16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void put_u32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void put_id(std::vector<unsigned char>& out, const char* id) { out.insert(out.end(), id, id + 4); }

unsigned char chime_sample(std::uint32_t i) {
  constexpr double kPi = 3.14159265358979323846;
  const double t = static_cast<double>(i) / kRate;
  const double note = i < kSamples / 2 ? 880.0 : 660.0;  // A5, then E5
  const double since = i < kSamples / 2 ? t : t - 0.25;
  const double level = 100.0 * std::exp(-6.0 * since);
  return static_cast<unsigned char>(128 + std::lround(level * std::sin(2 * kPi * note * since)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_wav OUTPUT.wav\n");
    return 2;
  }
  std::vector<unsigned char> wav;
  put_id(wav, "RIFF");
  put_u32(wav, 36 + kSamples);
  put_id(wav, "WAVE");
  put_id(wav, "fmt ");
  put_u32(wav, 16);
  put_u16(wav, 1);      // PCM
  put_u16(wav, 1);      // mono
  put_u32(wav, kRate);  // samples per second
  put_u32(wav, kRate);  // bytes per second
  put_u16(wav, 1);      // block alignment
  put_u16(wav, 8);      // bits per sample
  put_id(wav, "data");
  put_u32(wav, kSamples);
  for (std::uint32_t i = 0; i < kSamples; ++i) wav.push_back(chime_sample(i));

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool ok = std::fwrite(wav.data(), 1, wav.size(), out) == wav.size();
  if (std::fclose(out) != 0 || !ok) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
