/*
 * The sound output shared by the example players: an 8-bit PWM duty cycle
 * as the sample value, and an interrupt at the sample rate.
 *
 *   ATmega328P (Arduino Uno): output OC0A, pin PD6 (Arduino pin 6).
 *   ATmega16: output OC0, pin PB3.
 *
 * Timer0 runs fast PWM with no prescaler, F_CPU / 256 (62.5 kHz at 16 MHz,
 * 31.25 kHz at 8 MHz), far above the sound. Timer1 counts F_CPU / 8000
 * cycles and raises TIMER1_COMPA_vect, 8000 times a second. Wire the pin
 * through an RC low-pass (4.7 kOhm and 10 nF, about 3.4 kHz) to an amplifier
 * and the speaker.
 */
#ifndef PWM_OUTPUT_H
#define PWM_OUTPUT_H

#include <avr/io.h>

#define SAMPLE_RATE 8000UL
/* The middle of 8-bit unsigned sound: silence. */
#define REST 128

#if defined(OCR0A)
/* ATmega328P and its relatives: Timer0 has two compare units. */
#define PWM_DUTY OCR0A
#define SAMPLE_CLOCK_MASK TIMSK1
static inline void start_pwm_output(void) {
  PWM_DUTY = REST;
  DDRD |= _BV(DDD6);
  TCCR0A = _BV(COM0A1) | _BV(WGM01) | _BV(WGM00); /* fast PWM, non-inverting */
  TCCR0B = _BV(CS00);                             /* no prescaler */
}
#else
/* ATmega16: one compare unit. */
#define PWM_DUTY OCR0
#define SAMPLE_CLOCK_MASK TIMSK
static inline void start_pwm_output(void) {
  PWM_DUTY = REST;
  DDRB |= _BV(DDB3);
  TCCR0 = _BV(WGM01) | _BV(WGM00) | _BV(COM01) | _BV(CS00);
}
#endif

static inline void start_sample_clock(void) {
  OCR1A = F_CPU / SAMPLE_RATE - 1;
  TCCR1A = 0;
  TCCR1B = _BV(WGM12) | _BV(CS10); /* CTC, no prescaler */
  SAMPLE_CLOCK_MASK |= _BV(OCIE1A);
}

static inline void stop_sample_clock(void) { SAMPLE_CLOCK_MASK &= (uint8_t)~_BV(OCIE1A); }

#endif
