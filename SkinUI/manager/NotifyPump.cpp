#include "SkinUI/manager/NotifyPump.h"

#include <cwchar>

#include "SkinUI/control/ControlUI.h"

namespace SkinUI {
namespace {

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

// The exact entry for the sender's name, else the last entry for any control.
const NotifyMapEntry* FindEntry(const NotifyMap& map, const NotifyMsg& msg, const CUIString& senderName) {
  const NotifyMapEntry* fallback = nullptr;
  for (std::size_t i = 0; i < map.count; ++i) {
    const NotifyMapEntry& entry = map.entries[i];
    if (entry.type == nullptr || msg.sType != entry.type) continue;
    if (IsEmpty(entry.controlName)) {
      fallback = &entry;
    } else if (!senderName.IsEmpty() && senderName == entry.controlName) {
      return &entry;
    }
  }
  return fallback;
}

}  // namespace

bool CNotifyPump::AddVirtualWindow(const wchar_t* name, CNotifyPump* pump) {
  if (IsEmpty(name) || pump == nullptr) return false;
  for (const VirtualWindow& window : virtualWindows_) {
    if (_wcsicmp(window.name, name) == 0) return false;
  }
  virtualWindows_.push_back({CUIString(name), pump});
  return true;
}

bool CNotifyPump::RemoveVirtualWindow(const wchar_t* name) {
  if (IsEmpty(name)) return false;
  for (auto it = virtualWindows_.begin(); it != virtualWindows_.end(); ++it) {
    if (_wcsicmp(it->name, name) == 0) {
      virtualWindows_.erase(it);
      return true;
    }
  }
  return false;
}

bool CNotifyPump::RouteNotify(NotifyMsg& msg) {
  if (!msg.sVirtualWnd.IsEmpty()) {
    for (const VirtualWindow& window : virtualWindows_) {
      if (_wcsicmp(window.name, msg.sVirtualWnd) == 0 && window.pump->RouteNotify(msg)) return true;
    }
  }
  const CUIString senderName = msg.pSender != nullptr ? msg.pSender->GetName() : CUIString();
  for (const NotifyMap* map = GetNotifyMap(); map != nullptr; map = map->base) {
    const NotifyMapEntry* entry = FindEntry(*map, msg, senderName);
    if (entry == nullptr) continue;
    if (entry->signature == NotifyMapEntry::kRecord && entry->onRecord != nullptr) {
      (this->*(entry->onRecord))(msg);
    } else if (entry->signature == NotifyMapEntry::kParams && entry->onParams != nullptr) {
      (this->*(entry->onParams))(msg.wParam, msg.lParam);
    }
    return true;
  }
  return false;
}

}  // namespace SkinUI
