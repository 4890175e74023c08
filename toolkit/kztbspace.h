// An empty square on a tool bar that keeps groups of items apart.
#ifndef TOOLKIT_KZTBSPACE_H
#define TOOLKIT_KZTBSPACE_H

#include <cstdint>

#include "toolkit/kzwindow.h"

class KZTBSpace : public KZWindow {
 public:
  // `size` x `size` pixels.
  explicit KZTBSpace(int32_t size);
  ~KZTBSpace() override;
};

#endif
