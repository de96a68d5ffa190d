// shadowdemo <command file> [<shadow image>]
//
// Shows "ShadowDemo", a white 600x400 borderless window with round corners
// and a red colour-mode shadow (size 10, sharpness 4, darkness 255, no
// offset); with a shadow image, an image-mode shadow reaching 10 pixels
// beyond each side instead. Every 50 ms it reads the command file, one "<number> <command>
// [args]" per line, and runs the commands with a number above the last one
// it ran: "move x y", "size w h", "hide", "show", "minimize", "restore",
// "quit". After each it writes "<command file>.state":
//   <number> <parent l t r b> <shadow l t r b> <shadow visible 0/1>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "SkinUI/window/WindowWnd.h"
#include "SkinUI/window/WndShadow.h"
#include "installer/src/utils/UniqueResource.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;

class DemoWindow : public SkinUI::CWindowWnd {
 public:
  explicit DemoWindow(std::wstring commandFile) : commandFile_(std::move(commandFile)) {}

  CWndShadow shadow;

 protected:
  const wchar_t* GetWindowClassName() const override { return L"ShadowDemoWnd"; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
          // The shadow follows the window region; the window owns it once set.
          ::SetWindowRgn(m_hWnd, ::CreateRoundRectRgn(0, 0, LOWORD(lParam) + 1, HIWORD(lParam) + 1, 2, 2), TRUE);
        }
        break;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(m_hWnd, &paint);
        return 0;
      }
      case WM_TIMER:
        if (wParam == kPollTimer) RunNewCommands();
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        break;
      default:
        break;
    }
    return CWindowWnd::HandleMessage(message, wParam, lParam);
  }

 private:
  void RunNewCommands() {
    Utils::UniqueCFile file(_wfopen(commandFile_.c_str(), L"r"));
    if (!file) return;
    char line[256];
    while (std::fgets(line, sizeof(line), file.get()) != nullptr) {
      int number = 0;
      char command[32] = {};
      int a = 0;
      int b = 0;
      if (std::sscanf(line, "%d %31s %d %d", &number, command, &a, &b) < 2 || number <= lastCommand_) continue;
      lastCommand_ = number;
      Run(command, a, b);
      WriteState();
    }
  }

  void Run(const std::string& command, int a, int b) {
    if (command == "move") {
      ::SetWindowPos(m_hWnd, nullptr, a, b, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (command == "size") {
      ::SetWindowPos(m_hWnd, nullptr, 0, 0, a, b, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (command == "hide") {
      ::ShowWindow(m_hWnd, SW_HIDE);
    } else if (command == "show") {
      ::ShowWindow(m_hWnd, SW_SHOWNA);
    } else if (command == "minimize") {
      ::ShowWindow(m_hWnd, SW_MINIMIZE);
    } else if (command == "restore") {
      ::ShowWindow(m_hWnd, SW_RESTORE);
    } else if (command == "quit") {
      Close(0);
      return;
    }
    // Paint now, so a pending shadow rebuild happens before the state is read.
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
  }

  void WriteState() {
    RECT parent = {};
    RECT shadowRect = {};
    ::GetWindowRect(m_hWnd, &parent);
    ::GetWindowRect(shadow.GetShadowWindow(), &shadowRect);
    const std::wstring path = commandFile_ + L".state";
    const std::wstring temporary = path + L".tmp";
    {
      Utils::UniqueCFile out(_wfopen(temporary.c_str(), L"w"));
      if (!out) return;
      std::fprintf(out.get(), "%d %ld %ld %ld %ld %ld %ld %ld %ld %d\n", lastCommand_, parent.left, parent.top,
                   parent.right, parent.bottom, shadowRect.left, shadowRect.top, shadowRect.right,
                   shadowRect.bottom, ::IsWindowVisible(shadow.GetShadowWindow()) ? 1 : 0);
    }
    // Replaced in one step, so the reader never sees half a line.
    ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

  std::wstring commandFile_;
  int lastCommand_ = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) return 2;
  DemoWindow window(argv[1]);
  const std::wstring image = argc >= 3 ? argv[2] : L"";
  ::LocalFree(argv);

  if (!CWndShadow::RegisterShadowClass(instance)) return 3;
  // A tool window, so Wine shows it without waiting for a window manager.
  if (window.Create(nullptr, L"ShadowDemo", WS_POPUP, WS_EX_TOOLWINDOW, 200, 150, 600, 400) == nullptr) return 4;
  window.ShowWindow(true, false);
  window.shadow.AttachTo(window);
  window.shadow.ChangeSize(10);
  window.shadow.ChangeSharpness(4);
  window.shadow.ChangeDarkness(255);
  window.shadow.ChangeOffset(0, 0);
  window.shadow.ChangeColour(0x000000FF);
  if (!image.empty() && !window.shadow.ChangeImage(image.c_str(), RECT{10, 10, 10, 10}, RECT{0, 0, 0, 0})) return 5;
  ::SetTimer(window, kPollTimer, 50, nullptr);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
