#pragma once
// Where an arrow key moves the focus in a dialog, judged by where its controls lie: every dialog of the
// program, built on the native controls or on the framework, moves its focus by this one rule.

#include <cstddef>
#include <optional>
#include <vector>

#include "native/user/nativetypes.h"

namespace native {

// The candidate that VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN moves to from `from`: among the candidates that
// overlap it across the direction of travel, the nearest one in that direction, else the farthest one back
// (wrapping round). Ties go to the earlier candidate. Rectangles are half-open, all in one coordinate space;
// `from` itself is no candidate. None when no candidate overlaps.
std::optional<std::size_t> arrowTarget(const RECT& from, const std::vector<RECT>& candidates,
                                       UINT virtualKey);

}  // namespace native
