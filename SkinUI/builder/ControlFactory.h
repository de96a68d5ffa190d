#pragma once
// Creates controls by tag name: the built-in table first, then the
// process-wide creation plug-ins in registration order.
#include "SkinUI/control/ControlUI.h"

namespace SkinUI {

using CreateControlProc = CControlUI* (*)(const wchar_t* tag);

class IDialogBuilderCallback {
 public:
  virtual CControlUI* CreateControl(const wchar_t* tag) = 0;

 protected:
  ~IDialogBuilderCallback() = default;
};

// A new control of the built-in class for the tag (ignoring case), or null.
CControlUI* CreateBuiltinControl(const wchar_t* tag);

bool AddCreateControlPlugin(CreateControlProc proc);
bool RemoveCreateControlPlugin(CreateControlProc proc);
// The first control a plug-in creates for the tag, or null.
CControlUI* CreateControlFromPlugins(const wchar_t* tag);

}  // namespace SkinUI
