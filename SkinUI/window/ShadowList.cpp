#include "SkinUI/window/ShadowList.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace SkinUI {
namespace {

using ShadowEntry = std::pair<HWND, CWndShadow*>;

std::vector<ShadowEntry>& Entries() {
  static std::vector<ShadowEntry> entries;
  return entries;
}

std::vector<ShadowEntry>::iterator FindEntry(HWND parent) {
  auto& entries = Entries();
  return std::find_if(entries.begin(), entries.end(),
                      [parent](const ShadowEntry& entry) { return entry.first == parent; });
}

}  // namespace

void AddShadowEntry(HWND parent, CWndShadow* shadow) {
  auto& entries = Entries();
  if (entries.capacity() == 0) entries.reserve(11);
  entries.emplace_back(parent, shadow);
}

CWndShadow* FindShadow(HWND parent) {
  auto found = FindEntry(parent);
  return found == Entries().end() ? nullptr : found->second;
}

bool RemoveShadowEntry(HWND parent) {
  auto found = FindEntry(parent);
  if (found == Entries().end()) return false;
  Entries().erase(found);
  return true;
}

void RemoveShadowEntries(const CWndShadow* shadow) {
  auto& entries = Entries();
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [shadow](const ShadowEntry& entry) { return entry.second == shadow; }),
                entries.end());
}

}  // namespace SkinUI
