#pragma once
// Routes notifications to handler methods by notification type and control
// name. A class lists its handlers in a notify map that chains to its base
// class's map; a notification carrying a virtual window name goes first to
// the pump registered under that name.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "SkinUI/core/NotifyMsg.h"
#include "SkinUI/core/UIString.h"

namespace SkinUI {

class CNotifyPump;

struct NotifyMapEntry {
  using RecordHandler = void (CNotifyPump::*)(NotifyMsg&);
  using ParamHandler = void (CNotifyPump::*)(WPARAM, LPARAM);
  enum Signature { kParams = 1, kRecord = 2 };

  const wchar_t* type;
  const wchar_t* controlName;  // empty: any control
  int signature;
  RecordHandler onRecord;
  ParamHandler onParams;

  template <class T>
  static NotifyMapEntry Record(const wchar_t* type, const wchar_t* controlName, void (T::*handler)(NotifyMsg&)) {
    return {type, controlName, kRecord, static_cast<RecordHandler>(handler), nullptr};
  }
  template <class T>
  static NotifyMapEntry Params(const wchar_t* type, const wchar_t* controlName, void (T::*handler)(WPARAM, LPARAM)) {
    return {type, controlName, kParams, nullptr, static_cast<ParamHandler>(handler)};
  }
};

struct NotifyMap {
  const NotifyMap* base;  // the base class's map, null at the end of the chain
  const NotifyMapEntry* entries;
  std::size_t count;
};

class CNotifyPump {
 public:
  CNotifyPump() = default;
  virtual ~CNotifyPump() = default;
  CNotifyPump(const CNotifyPump&) = delete;
  CNotifyPump& operator=(const CNotifyPump&) = delete;

  // The pump is not owned; false when the name is taken or empty.
  bool AddVirtualWindow(const wchar_t* name, CNotifyPump* pump);
  bool RemoveVirtualWindow(const wchar_t* name);
  // True when a virtual window or a map entry took the notification.
  bool RouteNotify(NotifyMsg& msg);

 protected:
  // The most derived class's map; the pump itself has none.
  virtual const NotifyMap* GetNotifyMap() const { return nullptr; }

 private:
  struct VirtualWindow {
    CUIString name;
    CNotifyPump* pump;
  };
  std::vector<VirtualWindow> virtualWindows_;
};

}  // namespace SkinUI
