#include "ui/tab_order.h"

#include <algorithm>

#include "ui/layout.h"

std::vector<Control> TabCycle(ControlIsLive isLive) {
  std::vector<Control> cycle;
  for (int i = kControlCount - 1; i >= 0; --i) {
    const ControlLayout& c = kControlLayout[i];
    if (c.kind == ControlKind::Timer || c.kind == ControlKind::TransLabel || !c.tabStop)
      continue;
    if (isLive && !isLive(c.name))
      continue;
    cycle.push_back(c.name);
  }
  std::stable_sort(cycle.begin(), cycle.end(), [](Control a, Control b) {
    return LayoutOf(a).tabOrder < LayoutOf(b).tabOrder;
  });
  return cycle;
}

bool NextInTabCycle(const std::vector<Control>& cycle, Control from, bool backward, Control& out) {
  if (cycle.empty())
    return false;
  auto it = std::find(cycle.begin(), cycle.end(), from);
  int n = static_cast<int>(cycle.size());
  if (it == cycle.end()) {
    out = backward ? cycle.back() : cycle.front();
    return true;
  }
  int i = static_cast<int>(it - cycle.begin());
  out = cycle[(i + (backward ? n - 1 : 1)) % n];
  return true;
}
