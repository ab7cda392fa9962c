/*
 * The rules of the 4-bit coder: its tables, its state and the decoding of one
 * code. Plain C, so that the host tools (C++) and the firmware that plays
 * adpcmlab's codes on the chip (C for avr-gcc) compile this one text and can
 * never decode differently.
 *
 * An adaptive delta coder of the IMA kind, cut down to 8-bit unsigned samples:
 * a 22-step table, the standard index adjustments, and all sample arithmetic
 * modulo 256 (nothing clamps the prediction).
 *
 * A code has 4 bits. Bit 3 moves the prediction down; bits 2..0 add one step,
 * a half and a quarter step; an eighth of a step is always added.
 */
#ifndef WAVTOH_ADPCM_RULES_H
#define WAVTOH_ADPCM_RULES_H

#include <stdint.h>

/* Step sizes, roughly 1.1 to 1.2 times apart, from the finest up to 127,
 * the largest difference an 8-bit signed number holds. */
static const uint8_t kStepTable[22] = {
    2,  3,  4,  6,  8,  10, 13, 16,  19,  23,  27,  /* fine steps for quiet signals */
    32, 37, 43, 50, 58, 67, 77, 88, 100, 113, 127,  /* coarse steps for loud ones */
};
#define ADPCM_LAST_INDEX 21

/* Index change for each magnitude (a code's low three bits): small codes
 * shrink the step, large ones grow it fast. */
static const int8_t kIndexAdjust[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

#define ADPCM_SIGN_BIT 8u

/* The encoder and the decoder each keep one, from the same start. */
typedef struct AdpcmState {
#ifdef __cplusplus
  uint8_t pred = 0;   /* predicted sample */
  int8_t index = 0;   /* into kStepTable, always 0..21 */
  uint8_t step = 2;   /* always kStepTable[index] */
#else
  uint8_t pred;
  int8_t index;
  uint8_t step;
#endif
} AdpcmState;
#define ADPCM_INITIAL_STATE {0, 0, 2}

/* The difference a code's magnitude stands for at `step`: at most
 * 15 + 127 + 63 + 31 = 236, so it fits a byte. */
static inline uint8_t quantised_difference(uint8_t step, uint8_t magnitude) {
  uint8_t dq = (uint8_t)(step >> 3);
  if (magnitude & 4u) dq = (uint8_t)(dq + step);
  if (magnitude & 2u) dq = (uint8_t)(dq + (step >> 1));
  if (magnitude & 1u) dq = (uint8_t)(dq + (step >> 2));
  return dq;
}

/* Moves the prediction by the code's difference, modulo 256. */
static inline void adpcm_move_prediction(AdpcmState* state, uint8_t code) {
  const uint8_t dq = quantised_difference(state->step, (uint8_t)(code & 7u));
  state->pred = (uint8_t)((code & ADPCM_SIGN_BIT) ? state->pred - dq : state->pred + dq);
}

/* The step for the next sample. */
static inline void adpcm_adapt_step(AdpcmState* state, uint8_t code) {
  int index = state->index + kIndexAdjust[code & 7u];
  if (index < 0) index = 0;
  if (index > ADPCM_LAST_INDEX) index = ADPCM_LAST_INDEX;
  state->index = (int8_t)index;
  state->step = kStepTable[index];
}

/* Decodes one code: the prediction moves with the step in force before the
 * code, then the step adapts. Returns the decoded sample. */
static inline uint8_t adpcm_decode_code(AdpcmState* state, uint8_t code) {
  adpcm_move_prediction(state, code);
  adpcm_adapt_step(state, code);
  return state->pred;
}

#endif
