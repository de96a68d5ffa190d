// A skinned window for real-input tests: a layout with two buttons and a
// check box; every notification is printed as "<type> <sender name>" and the
// window closes on "closebtn". Keys pass through the paint manager's loop
// translation as in the product.
#include <cstdio>

#include "SkinUI/builder/DialogBuilder.h"
#include "tests/skinui/ManagedWindow.h"

using namespace SkinUI;

int main() {
  ManagedWindow window;
  window.onNotify = [&](NotifyMsg& msg) {
    const CUIString name = msg.pSender != nullptr ? msg.pSender->GetName() : CUIString(L"-");
    std::printf("%ls %ls\n", static_cast<const wchar_t*>(msg.sType), static_cast<const wchar_t*>(name));
    std::fflush(stdout);
    if (msg.sType == L"click" && name == L"closebtn") ::PostQuitMessage(0);
  };
  if (window.Create(nullptr, L"InputProbe", WS_POPUP | WS_VISIBLE, 0, 100, 100, 300, 200) == nullptr) return 2;
  CDialogBuilder builder;
  CControlUI* root = builder.Create(
      L"<Window size=\"300,200\"><VerticalLayout bkcolor=\"#FFFFFFFF\">"
      L"<Button name=\"go\" height=\"50\" bkcolor=\"#FF2050C0\"/>"
      L"<CheckBox name=\"agree\" height=\"50\" bkcolor=\"#FF20C050\"/>"
      L"<Button name=\"closebtn\" height=\"50\" bkcolor=\"#FFC02020\"/>"
      L"</VerticalLayout></Window>",
      nullptr, nullptr, &window.manager);
  if (root == nullptr || !window.manager.AttachRoot(root)) return 3;
  ::SetForegroundWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (CUIPaintManager::TranslateLoopMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
