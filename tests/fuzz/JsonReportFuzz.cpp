// Arbitrary bytes as the texts and numbers of a pass: the JSON report must always be one valid
// document (strict grammar, well-formed UTF-8, no raw control characters), and each text must come
// back as its conversion from the code page.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "../JsonCheck.h"
#include "fields/FieldInventory.h"
#include "fields/FieldTable.h"
#include "reports/AnsiText.h"
#include "reports/JsonReport.h"

namespace {

using qv::Field;

const unsigned CodePages[] = {1252, 1250, 1251, 1253, 874, 1258, 28591, 20127, 65001, 932, 0};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned codePage = in.PickValueInArray(CodePages);
  qv::AnsiConverter convert = [codePage](std::string_view text) { return qv::AnsiToUtf8(text, codePage); };

  // Values and memo lines come from the system; captions are the program's own. The table is made
  // once: every field below is written on each run, so no run sees what the one before left.
  static qv::FieldTable fields;
  for (const auto& item : qv::FieldInventory()) {
    if (item.Kind == qv::FieldKind::fkValue || item.Kind == qv::FieldKind::fkUrl) {
      fields.SetText(item.Id, in.ConsumeRandomLengthString(64));
      if (item.Kind == qv::FieldKind::fkUrl) fields.SetUrl(item.Id, in.ConsumeRandomLengthString(32));
    } else if (item.Kind == qv::FieldKind::fkMemo) {
      std::vector<std::string> lines(in.ConsumeIntegralInRange<size_t>(0, 3));
      for (auto& line : lines) line = in.ConsumeRandomLengthString(64);
      fields.SetLines(item.Id, lines);
    } else if (item.Kind == qv::FieldKind::fkCheck) {
      fields.SetChecked(item.Id, in.ConsumeBool());
    }
  }
  const std::string memory = in.ConsumeRandomLengthString(32);

  qv::RawValues raw;
  if (in.ConsumeBool()) raw.Memory = qv::MemoryStatus{in.ConsumeIntegral<uint64_t>(), in.ConsumeIntegral<uint64_t>()};
  if (in.ConsumeBool())
    raw.PassTime = qv::LocalDateTime{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                                     in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
  if (in.ConsumeBool()) {
    qv::RawValues::Processor cpu;
    cpu.Count = in.ConsumeIntegral<int>();
    cpu.ClockMHz = in.ConsumeFloatingPoint<double>();
    cpu.CpuidAvailable = in.ConsumeBool();
    cpu.Vendor = in.ConsumeRandomLengthString(16);
    cpu.Signature = in.ConsumeIntegral<uint32_t>();
    cpu.Family = in.ConsumeIntegral<int>();
    if (in.ConsumeBool()) cpu.Brand = in.ConsumeRandomLengthString(48);
    for (bool& flag : cpu.Features) flag = in.ConsumeBool();
    raw.Cpu = cpu;
  }
  if (in.ConsumeBool())
    raw.Windows = qv::RawValues::Version{in.ConsumeIntegral<uint32_t>(), in.ConsumeIntegral<uint32_t>(),
                                         in.ConsumeIntegral<uint32_t>(), in.ConsumeIntegral<uint32_t>()};
  if (in.ConsumeBool())
    raw.Display =
        qv::RawValues::Screen{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};

  const std::string document = Join(qv::BuildJsonReport(fields, memory, raw, convert));
  auto parsed = qv::test::ParseStrictJson(document);
  if (!parsed) __builtin_trap();

  const auto* pages = parsed->Find("pages");
  const auto* computer = pages ? pages->Find("My Computer") : nullptr;
  if (!computer || computer->Members.size() != 5) __builtin_trap();
  if (computer->Find("Computer Name")->Text != convert(fields.Text(Field::ComputerName))) __builtin_trap();
  if (computer->Find("Memory")->Text != convert(memory)) __builtin_trap();
  size_t drives = 0;
  for (const auto& line : fields.Lines(Field::Drives))
    if (!line.empty() && computer->Find("Drives")->Items.at(drives++).Text != convert(line)) __builtin_trap();
  if (computer->Find("Drives")->Items.size() != drives) __builtin_trap();
  return 0;
}
