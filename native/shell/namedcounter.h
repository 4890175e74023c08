#pragma once
// A counter shared by the processes of one user under a name, that lives exactly as long as some process
// holds it: each holder keeps an flock on its own file in the counter's folder, so the count is gone when
// the last holder closes it, exits, crashes or is killed. Nothing ever waits on the counter; it only counts.
// Every change happens under a short lock on the folder's "lock" file.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "native/user/nativetypes.h"

namespace native {

class NamedCounter {
 public:
  enum class Mode { OpenExisting, OpenOrCreate };

  // Holds the counter `name`. When no holder lives, OpenExisting fails and OpenOrCreate starts the count at
  // `initial` (0 <= initial <= maximum, maximum > 0). `existed` tells whether a living counter was joined.
  static std::unique_ptr<NamedCounter> open(std::string_view name, Mode mode, LONG initial, LONG maximum,
                                            bool* existed);
  ~NamedCounter();
  NamedCounter(const NamedCounter&) = delete;
  NamedCounter& operator=(const NamedCounter&) = delete;

  // Adds `amount` (> 0) and answers the count before; none when the sum would pass the maximum or the
  // count cannot be read.
  std::optional<LONG> release(LONG amount);

 private:
  NamedCounter(std::string folder, std::string holderPath, int holderFd);

  std::string folder_;
  std::string holderPath_;
  int holderFd_;
};

}  // namespace native
