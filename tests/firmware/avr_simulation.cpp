#include "tests/firmware/avr_simulation.h"

#include <simavr/sim_avr.h>
#include <simavr/sim_elf.h>
#include <simavr/sim_interrupts.h>
#include <simavr/sim_io.h>
#include <simavr/sim_irq.h>

#include <stdexcept>

namespace {

struct Recorder {
  avr_t* avr;
  SimulatedPlayback playback;
  std::uint64_t interruptStart = 0;
};

void on_pwm_write(avr_irq_t*, std::uint32_t value, void* param) {
  auto* r = static_cast<Recorder*>(param);
  r->playback.writes.push_back({r->avr->cycle, static_cast<std::uint8_t>(value)});
}

void on_interrupt_running(avr_irq_t*, std::uint32_t running, void* param) {
  auto* r = static_cast<Recorder*>(param);
  if (running != 0) {
    r->interruptStart = r->avr->cycle;
  } else {
    r->playback.interruptCycles.push_back(r->avr->cycle - r->interruptStart);
  }
}

}  // namespace

SimulatedPlayback simulate(const std::string& elf, const AvrTarget& target, std::uint64_t cycles) {
  elf_firmware_t firmware{};
  if (elf_read_firmware(elf.c_str(), &firmware) != 0) throw std::runtime_error("cannot read " + elf);
  avr_t* avr = avr_make_mcu_by_name(target.mcu);
  if (avr == nullptr) throw std::runtime_error(std::string("simavr has no ") + target.mcu);
  avr_init(avr);
  avr->frequency = target.frequency;
  avr->log = 0;
  avr_load_firmware(avr, &firmware);

  Recorder recorder{avr, {}};
  avr_irq_register_notify(avr_iomem_getirq(avr, target.pwmRegister, nullptr, AVR_IOMEM_IRQ_ALL),
                          on_pwm_write, &recorder);
  avr_irq_t* vector = avr_get_interrupt_irq(avr, target.sampleVector);
  if (vector == nullptr) throw std::runtime_error("no such interrupt vector");
  avr_irq_register_notify(vector + AVR_INT_IRQ_RUNNING, on_interrupt_running, &recorder);

  while (avr->cycle < cycles) {
    const int state = avr_run(avr);
    if (state == cpu_Done || state == cpu_Crashed) break;
  }
  avr_terminate(avr);
  return recorder.playback;
}
