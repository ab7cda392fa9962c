/*
 * The `flash` keyword of wav_<name>.h on every AVR toolchain.
 *
 * The generated headers declare `flash unsigned char wav_<name>[]`, as the
 * compilers that know that keyword expect (CodeVisionAVR, for one). Include
 * this file before any wav_<name>.h, and read a sample with FLASH_BYTE:
 *
 *   avr-gcc, C           flash = const __flash   a byte: wav_x[i]
 *   avr-g++, Arduino     flash = const PROGMEM   a byte: pgm_read_byte(&wav_x[i])
 *   compilers that know `flash`: left as it is   a byte: wav_x[i]
 *
 * C++ has no __flash, so in C++ the array is an ordinary-looking const array
 * that only pgm_read_byte may read: indexing it directly reads RAM at the
 * same address and plays noise. FLASH_BYTE does the right thing on each.
 * Copy this file next to your sources; it has no other dependency.
 */
#ifndef FLASH_COMPAT_H
#define FLASH_COMPAT_H

#if defined(__GNUC__) && defined(__AVR__)
#if defined(__cplusplus)
#include <avr/pgmspace.h>
#define flash const PROGMEM
#define FLASH_BYTE(array, i) pgm_read_byte(&(array)[i])
#else
#define flash const __flash
#define FLASH_BYTE(array, i) ((array)[i])
#endif
#elif defined(__CODEVISIONAVR__) || defined(__IAR_SYSTEMS_ICC__)
/* The keyword is the compiler's own. */
#define FLASH_BYTE(array, i) ((array)[i])
#else
/* Any other compiler, such as a host compiler for tests: plain constants. */
#define flash const
#define FLASH_BYTE(array, i) ((array)[i])
#endif

#endif
