/*
 * Plays adpcmlab's packed 4-bit codes from program memory, decoding every
 * sample on the chip: the same output and 8 kHz sample clock as pwm_player
 * (see pwm_output.h), for half the flash. Builds for the ATmega328P at
 * 16 MHz and the ATmega16 at 8 MHz.
 *
 * The codes are adpcm.txt exactly as adpcmlab writes it, included into a
 * flash array. The decoding rules come from adpcm_rules.h, the file the host
 * tools are built from, so the chip plays what pcm.txt shows. adpcm.txt
 * holds whole bytes only: an odd last sample has no code and is not played.
 */
#include <avr/interrupt.h>
#include <avr/sleep.h>
#include <stdint.h>

#include "adpcm_rules.h"
#include "pwm_output.h"

static const __flash unsigned char codes[] = {
#include "adpcm.txt"
};
#define SAMPLES (2u * sizeof codes)

static AdpcmState decoder = ADPCM_INITIAL_STATE;
/* Decoded one interrupt ahead, so that every interrupt writes at the same
 * cycle after it starts, whatever decoding the next sample takes. */
static volatile uint8_t nextSample = REST;
static volatile uint16_t position = 1;

static uint8_t decode(uint16_t j) {
  const uint8_t byte = codes[j >> 1];
  const uint8_t code = (j & 1u) ? (uint8_t)(byte & 0x0Fu) : (uint8_t)(byte >> 4);
  return adpcm_decode_code(&decoder, code);
}

ISR(TIMER1_COMPA_vect) {
  PWM_DUTY = nextSample;
  if (position < SAMPLES) {
    nextSample = decode(position);
    ++position;
  } else if (position == SAMPLES) {
    nextSample = REST; /* written once more, then the clock stops */
    ++position;
  } else {
    stop_sample_clock();
  }
}

int main(void) {
  start_pwm_output();
  if (SAMPLES > 0) nextSample = decode(0);
  start_sample_clock();
  sei();
  for (;;) {
    sleep_mode();
  }
}
