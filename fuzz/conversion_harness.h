#pragma once

#include <cstddef>
#include <cstdint>

// Runs one WAV file's bytes through everything that reads input: the plain
// conversion, the lab conversion and the codec over the samples it yields.
// Works in the current directory, writing f.wav and the tools' outputs, and
// traps when an output outgrows its bound (a fixed multiple of the input
// plus a constant).
void run_conversion_harness(const std::uint8_t* data, std::size_t size);
