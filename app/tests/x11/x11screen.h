// The X server's screen as the tests read it back, and the wait for the started program's main frame.
// Include it after every header of ours, native/native.h among them (Xlib's macros come last).
#ifndef APP_TESTS_X11_X11SCREEN_H
#define APP_TESTS_X11_X11SCREEN_H

#include <gtest/gtest.h>
#include <poll.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "native/tests/x11/x11testprogram.h"

// The screen as 0x00RRGGBB pixels, rows top first.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

inline ScreenPixels Take(Display* display) {
  ScreenPixels screen;
  XSync(display, False);
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return screen;
  }
  screen.width = attributes.width;
  screen.height = attributes.height;
  screen.pixels.resize(static_cast<size_t>(screen.width) * static_cast<size_t>(screen.height));
  // A screen 24 bits deep comes as 32-bit words in the machine's byte order: copied a row at a time, the
  // tests can take it often on a busy machine.
  const bool words = image->bits_per_pixel == 32 &&
                     (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
  for (int y = 0; y < screen.height; ++y) {
    uint32_t* row = &screen.pixels[static_cast<size_t>(y) * static_cast<size_t>(screen.width)];
    if (words) {
      std::memcpy(row, image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line,
                  static_cast<size_t>(screen.width) * sizeof(uint32_t));
    } else {
      for (int x = 0; x < screen.width; ++x) {
        row[x] = static_cast<uint32_t>(XGetPixel(image, x, y));
      }
    }
    for (int x = 0; x < screen.width; ++x) {
      row[x] &= 0xFFFFFF;
    }
  }
  XDestroyImage(image);
  return screen;
}

inline uint32_t Rgb(native::COLORREF colour) {
  return (native::GetRValue(colour) << 16) | (native::GetGValue(colour) << 8) | native::GetBValue(colour);
}

// Waits, a bounded time, for the main frame after the splash: its caption at the top, and the empty
// client area where the splash was.
inline void WaitForFrame(Display* display) {
  const uint32_t caption = Rgb(native::GetSysColor(native::COLOR_ACTIVECAPTION));
  const uint32_t workspace = Rgb(native::GetSysColor(native::COLOR_APPWORKSPACE));
  for (int waited = 0; waited < 2 * native::test::kX11WaitMs; waited += 100) {
    const ScreenPixels screen = Take(display);
    if (screen.height > 350 && screen.pixels[12 * screen.width + 300] == caption &&
        screen.pixels[350 * screen.width + 200] == workspace) {
      return;
    }
    poll(nullptr, 0, 100);
  }
  ADD_FAILURE() << "no main frame";
}

#endif  // APP_TESTS_X11_X11SCREEN_H
