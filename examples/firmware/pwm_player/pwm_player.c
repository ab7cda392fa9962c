/*
 * Plays a sound converted by wavtoh from program memory: each 8-bit sample
 * becomes the duty cycle of the PWM output (see pwm_output.h for the pins,
 * timers and wiring), 8000 samples a second. When the sound is over the
 * output rests at 128 and the chip sleeps.
 *
 * Builds for the ATmega328P at 16 MHz and the ATmega16 at 8 MHz. The sound
 * is wav_chime.h, made by wavtoh from examples/chime.wav; build with
 * -DSOUND_HEADER='"wav_door.h"' -DSOUND=wav_door for another.
 */
#include <avr/interrupt.h>
#include <avr/sleep.h>
#include <stdint.h>

#include "flash_compat.h"
#include "pwm_output.h"

#ifndef SOUND_HEADER
#define SOUND_HEADER "wav_chime.h"
#define SOUND wav_chime
#endif
#include SOUND_HEADER

/* The sample the next interrupt puts out, fetched ahead so that every
 * interrupt writes at the same cycle after it starts. */
static volatile uint8_t nextSample = REST;
static volatile uint16_t position = 1;

ISR(TIMER1_COMPA_vect) {
  PWM_DUTY = nextSample;
  if (position < sizeof SOUND) {
    nextSample = FLASH_BYTE(SOUND, position);
    ++position;
  } else if (position == sizeof SOUND) {
    nextSample = REST; /* written once more, then the clock stops */
    ++position;
  } else {
    stop_sample_clock();
  }
}

int main(void) {
  start_pwm_output();
  if (sizeof SOUND > 0) nextSample = FLASH_BYTE(SOUND, 0);
  start_sample_clock();
  sei();
  for (;;) {
    sleep_mode(); /* idle: the timers keep running */
  }
}
