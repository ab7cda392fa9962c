#pragma once

#include <cstddef>
#include <cstdint>

// Runs one WAV file's bytes through everything that reads input: the plain
// conversion, the lab conversion and the codec over the samples it yields.
// Works in the current directory, writing f.wav and the tools' outputs, and
// traps when an output outgrows its bound (a fixed multiple of the input
// plus a constant).
void run_conversion_harness(const std::uint8_t* data, std::size_t size);

// The same walk and writers fed from memory, with every output going to the
// null device: no file is created, so a fuzzer covers many times the inputs
// in the same time. Traps on the same bounds.
void run_memory_conversion_harness(const std::uint8_t* data, std::size_t size);
