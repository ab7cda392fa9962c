#include "conversion/convert_wav.h"

#include <optional>
#include <string>

#include "conversion/input_file.h"
#include "conversion/names.h"
#include "textout/texts.h"

bool conversion_ends_program(ConvertOutcome outcome) {
  return outcome == ConvertOutcome::NoName || outcome == ConvertOutcome::NoInput ||
         outcome == ConvertOutcome::CannotCreate || outcome == ConvertOutcome::ReadFailed;
}

ConvertResult convert_wav(TextWriter& console, std::FILE* nameInput,
                          const ConversionVariant& variant) {
  console.text(texts::kPrompt);
  console.flush();
  const TypedPath typed = read_typed_path(nameInput);
  if (typed.kind == TypedPath::Kind::NoWord) {
    console.text(texts::kNoName);
    return {ConvertOutcome::NoName, 0, true};
  }
  const ConversionNames names = derive_names(typed.word);

  // A name with a NUL byte cannot name a file; opening it would open another.
  const bool nameUsable =
      typed.kind == TypedPath::Kind::Word && typed.word.find('\0') == std::string::npos;
  InputFile input(nameUsable ? names.input : std::string());
  if (!nameUsable || !input.is_open()) {
    console.text(texts::kNoSuchFile);
    return {ConvertOutcome::NoInput, 0, true};
  }
  // The plot script is created only once the header file could be; a failure
  // leaves neither behind.
  TextWriter header(names.header);
  std::optional<TextWriter> plotScript;
  if (header.is_open() && variant.samplePlotScript) plotScript.emplace(names.plotScript);
  if (!header.is_open() || (plotScript && !plotScript->is_open())) {
    console.text(texts::kCreateFailed);
    return {ConvertOutcome::CannotCreate, 0, true};
  }

  const InputConversion converted =
      convert_input(input, names, variant, {header, plotScript ? &*plotScript : nullptr}, console);
  if (converted.outcome == ConvertOutcome::ReadFailed) {
    // Half an array must not pass for the sound: the earlier files stay.
    header.discard();
    if (plotScript) plotScript->discard();
    console.print(texts::kReadFailed, {std::string_view(names.input)});
    return {converted.outcome, 0, true};
  }

  bool written = close_or_report(header, console);
  if (plotScript && !close_or_report(*plotScript, console)) written = false;
  switch (converted.outcome) {
    case ConvertOutcome::NotWav: console.text(texts::kClosingNotWav); break;
    case ConvertOutcome::Stereo: console.text(texts::kClosingStereo); break;
    default: break;
  }
  return {converted.outcome, converted.dataSize, written};
}
