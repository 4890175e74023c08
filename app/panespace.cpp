#include "app/panespace.h"

#include <cstddef>
#include <cstdint>

namespace {

// Far more passes than a layout of that many panes needs: every pass that goes on takes space from a pane.
constexpr std::size_t kPassesPerPane = 16;

// The outcome of trying the rules for one pane P and one neighbour Q.
enum class Rule { kNone, kApplied, kShrank };

// The edge of P that a rule moves, and whether the move takes space from P.
Rule MoveEdge(int32_t& edge, int32_t to, bool inwardWhenGreater) {
  const bool shrinks = inwardWhenGreater ? to > edge : to < edge;
  edge = to;
  return shrinks ? Rule::kShrank : Rule::kApplied;
}

// Q takes the whole of P when they share a whole edge.
Rule TryStrict(PaneRect& p, PaneRect& q) {
  const bool sameRows = q.top == p.top && q.bottom == p.bottom;
  const bool sameColumns = q.left == p.left && q.right == p.right;
  if (sameRows && q.right == p.left) {
    q.right = p.right;
  } else if (sameRows && q.left == p.right) {
    q.left = p.left;
  } else if (sameColumns && q.bottom == p.top) {
    q.bottom = p.bottom;
  } else if (sameColumns && q.top == p.bottom) {
    q.top = p.top;
  } else {
    return Rule::kNone;
  }
  p = PaneRect::None();
  return Rule::kShrank;
}

// Q, aligned with one end of an edge it shares with P, grows across P over its own extent; P keeps the rest.
Rule TryLoose(PaneRect& p, PaneRect& q) {
  if (q.right == p.left || q.left == p.right) {
    const bool fromLeft = q.right == p.left;
    if (q.top == p.top && q.bottom < p.bottom) {
      (fromLeft ? q.right : q.left) = fromLeft ? p.right : p.left;
      return MoveEdge(p.top, q.bottom, true);
    }
    if (q.top > p.top && q.bottom == p.bottom) {
      (fromLeft ? q.right : q.left) = fromLeft ? p.right : p.left;
      return MoveEdge(p.bottom, q.top, false);
    }
  }
  if (q.bottom == p.top || q.top == p.bottom) {
    const bool fromAbove = q.bottom == p.top;
    if (q.left == p.left && q.right < p.right) {
      (fromAbove ? q.bottom : q.top) = fromAbove ? p.bottom : p.top;
      return MoveEdge(p.left, q.right, true);
    }
    if (q.left > p.left && q.right == p.right) {
      (fromAbove ? q.bottom : q.top) = fromAbove ? p.bottom : p.top;
      return MoveEdge(p.right, q.left, false);
    }
  }
  return Rule::kNone;
}

// One pass over the panes without a window; true when it took space from one of them.
bool Pass(std::vector<PaneSpace>& panes, bool loose) {
  bool shrank = false;
  for (PaneSpace& p : panes) {
    if (p.attached || p.rect.IsNone()) {
      continue;
    }
    for (PaneSpace& q : panes) {
      // A pane that has given its space away takes none.
      if (&q == &p || q.rect.IsNone()) {
        continue;
      }
      Rule rule = TryStrict(p.rect, q.rect);
      if (rule == Rule::kNone && loose) {
        rule = TryLoose(p.rect, q.rect);
      }
      if (rule != Rule::kNone) {
        shrank = shrank || rule == Rule::kShrank;
        break;
      }
    }
  }
  return shrank;
}

}  // namespace

void DistributeSpace(std::vector<PaneSpace>& panes) {
  const std::size_t maxPasses = kPassesPerPane * (panes.size() + 1);
  bool loose = false;
  for (std::size_t pass = 0; pass < maxPasses; ++pass) {
    if (Pass(panes, loose)) {
      loose = false;
    } else if (!loose) {
      loose = true;
    } else {
      break;
    }
  }
  for (PaneSpace& pane : panes) {
    if (!pane.attached) {
      pane.rect = PaneRect::None();
    }
  }
}
