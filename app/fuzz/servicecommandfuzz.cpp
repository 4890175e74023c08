// Takes the fuzzed bytes as the data of an execute request of the command service: the command text never
// holds more than the buffer's characters nor a 0, and a file is found only behind the "OpenEvent" keyword.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "app/servicecommand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KString command = ServiceCommandText(data, size);
  if (command.Length() > kMaxServiceCommandLength || static_cast<size_t>(command.Length()) > size / 2) {
    std::abort();
  }
  for (int32_t i = 0; i < command.Length(); ++i) {
    if (command[i] == 0) {
      std::abort();
    }
  }
  const std::optional<KString> file = OpenEventFileOf(command);
  if (file && (file->IsEmpty() || !KString::EqualsN(command, KString(u"OpenEvent,"), 10))) {
    std::abort();
  }
  return 0;
}
