#pragma once
// Hooks other objects add to a paint manager: message filters see window
// messages before the manager, accelerator handlers see loop messages before
// pre-translation.
#include <windows.h>

namespace SkinUI {

class IMessageFilterUI {
 public:
  // Sets handled to stop the manager's own processing; the result is then returned.
  virtual LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

class ITranslateAccelerator {
 public:
  // Returns 0 when it consumed the message.
  virtual LRESULT TranslateAccelerator(MSG* message) = 0;

 protected:
  ~ITranslateAccelerator() = default;
};

}  // namespace SkinUI
