#include "foundation/kx.h"

#include <algorithm>
#include <iterator>

namespace {

struct ErrorText {
  int32_t code;
  const char* text;
};

// Sorted by code.
constexpr ErrorText kErrorTexts[] = {
    {1000, "Operation failed"},
    {1001, "Unhandled main loop exception"},
    {1002, "Error initializing DDE server"},
    {1003, "Error loading application resources"},
    {2000, "Memory error"},
    {2001, "Error allocating memory"},
    {3000, "File error"},
    {3001, "Error opening a file already open"},
    {3002, "Error opening a file"},
    {3003, "Error accessing a file"},
    {3004, "Error reading from a file"},
    {3005, "Error writing to a file"},
    {3006, "Disk full"},
    {3007, "Error closing a file"},
    {3008, "Error deleting a file"},
    {3009, "Incorrect file version"},
    {3010, "Invalid file contents"},
    {3011, "Unable to save old file versions"},
    {4000, "Printer error"},
    {4001, "Printer not responding"},
    {5000, "Serial communication error"},
    {5001, "Serial communication receive error"},
    {5002, "Serial communication receive timeout"},
    {5003, "Serial communication transmit error"},
    {5004, "Serial communication transmit busy"},
    {5005, "Serial communication checksum error"},
    {5006, "Serial communication handshake error"},
    {5007, "Serial communication port not open"},
    {6000, "Configuration file error"},
    {6001, "Error loading the configuration file"},
    {6002, "Error saving the configuration file"},
    {33001, "Error opening an image file"},
    {33002, "Error writing .qxf file"},
    {35001, "Error sending results"},
    {35002, "The database did not take the results; the .qxf file was written"},
    {61000, "Kestrove hardware error"},
};

}  // namespace

const char* KErrorText(int32_t code) {
  auto it = std::lower_bound(std::begin(kErrorTexts), std::end(kErrorTexts), code,
                             [](const ErrorText& entry, int32_t wanted) { return entry.code < wanted; });
  if (it == std::end(kErrorTexts) || it->code != code) {
    return nullptr;
  }
  return it->text;
}
