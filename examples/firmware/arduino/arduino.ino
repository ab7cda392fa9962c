// Plays wav_chime.h (made by wavtoh from examples/chime.wav) on pin 6 of an
// Arduino Uno: 8000 samples a second as the duty cycle of an 8-bit PWM
// output, then rests at 128. Wiring: pin 6, an RC low-pass (4.7 kOhm, 10 nF),
// an amplifier, the speaker.
//
// Put flash_compat.h and wav_chime.h into this sketch's folder. In C++ the
// array lives in program memory through PROGMEM and is read only with
// pgm_read_byte (FLASH_BYTE does that).
//
// The sketch takes Timer0 and Timer1 for itself: Timer0's PWM runs at
// 62.5 kHz instead of 976 Hz, and its overflow interrupt is off, so millis()
// and delay() stop. Both would otherwise disturb the sample clock.
#include "flash_compat.h"

#ifndef SOUND_HEADER
#define SOUND_HEADER "wav_chime.h"
#define SOUND wav_chime
#endif
#include SOUND_HEADER

const uint8_t kRest = 128;
const uint8_t kPwmPin = 6;  // OC0A

volatile uint8_t nextSample = kRest;  // fetched one interrupt ahead
volatile uint16_t position = 1;

ISR(TIMER1_COMPA_vect) {
  OCR0A = nextSample;
  if (position < sizeof SOUND) {
    nextSample = FLASH_BYTE(SOUND, position);
    ++position;
  } else if (position == sizeof SOUND) {
    nextSample = kRest;  // written once more, then the timer stops
    ++position;
  } else {
    TIMSK1 &= static_cast<uint8_t>(~_BV(OCIE1A));
  }
}

void setup() {
  noInterrupts();
  OCR0A = kRest;
  pinMode(kPwmPin, OUTPUT);
  TCCR0A = _BV(COM0A1) | _BV(WGM01) | _BV(WGM00);  // fast PWM on OC0A
  TCCR0B = _BV(CS00);                              // no prescaler
  TIMSK0 = 0;                                      // no millis() tick
  if (sizeof SOUND > 0) nextSample = FLASH_BYTE(SOUND, 0);
  TCCR1A = 0;
  TCCR1B = _BV(WGM12) | _BV(CS10);  // CTC, no prescaler
  OCR1A = F_CPU / 8000 - 1;
  TIMSK1 = _BV(OCIE1A);
  interrupts();
}

void loop() {}
