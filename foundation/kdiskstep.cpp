#include "foundation/kdiskstep.h"

#include <cstddef>
#include <iterator>

const char* KDiskStepName(KDiskStep step) {
  // In the order of the enumeration.
  static constexpr const char* kNames[] = {
      "sweep",       "new file",          "sync new file",    "remove backup", "move backup",
      "link backup", "place backup copy", "rename over live", "sync folder",
  };
  const auto index = static_cast<std::size_t>(step);
  return index < std::size(kNames) ? kNames[index] : "?";
}
