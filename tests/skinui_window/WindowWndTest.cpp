#include <gtest/gtest.h>

#include "SkinUI/window/WindowWnd.h"
#include "tests/skinui_window/TestWindows.h"

namespace SkinUI {
namespace {

constexpr UINT_PTR kTimer = 1;
// Tool windows shown without activation stay out of the taskbar, so Wine
// does not hand them to a window manager and wait for one when they go
// (there is none on the test display).
constexpr DWORD kUnmanaged = WS_EX_TOOLWINDOW;

class WindowWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(owner_.Create(nullptr, L"owner", WS_POPUP, kUnmanaged, 100, 100, 400, 300), nullptr);
    ::ShowWindow(owner_, SW_SHOWNA);
    ASSERT_NE(modal_.Create(owner_, L"modal", WS_POPUP, 0, 150, 150, 200, 100), nullptr);
    modalWindow_ = modal_.GetHWND();
  }
  void TearDown() override {
    if (modal_.GetHWND() != nullptr) ::DestroyWindow(modal_.GetHWND());
    if (owner_.GetHWND() != nullptr) ::DestroyWindow(owner_.GetHWND());
    PumpMessages();
  }

  // Runs action on the first tick of a timer inside the modal loop.
  void OnFirstTick(std::function<void()> action) {
    modal_.onMessage = [this, action](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
      if (message != WM_TIMER || wParam != kTimer) return false;
      ::KillTimer(modal_.GetHWND(), kTimer);
      ownerEnabledInLoop_ = ::IsWindowEnabled(owner_) != FALSE;
      modalVisibleInLoop_ = ::IsWindowVisible(modal_) != FALSE;
      action();
      result = 0;
      return true;
    };
    ASSERT_NE(::SetTimer(modal_, kTimer, 10, nullptr), 0u);
  }

  ProbeWindow owner_;
  ProbeWindow modal_;
  HWND modalWindow_ = nullptr;
  bool ownerEnabledInLoop_ = true;
  bool modalVisibleInLoop_ = false;
};

TEST_F(WindowWndTest, ModalWindowReturnsTheCloseCodeWithItsOwnerDisabledMeanwhile) {
  EXPECT_EQ(::GetWindow(modal_, GW_OWNER), owner_.GetHWND());
  OnFirstTick([this] { modal_.Close(7); });
  const UINT code = modal_.ShowModal();
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(ownerEnabledInLoop_);
  EXPECT_TRUE(modalVisibleInLoop_);
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  EXPECT_EQ(::GetFocus(), owner_.GetHWND());
  // The close message destroyed the window and the object let go of it.
  EXPECT_FALSE(::IsWindow(modalWindow_));
  EXPECT_EQ(modal_.GetHWND(), nullptr);
  EXPECT_EQ(modal_.destroyedWindow, modalWindow_);
}

TEST_F(WindowWndTest, DefaultCloseCodeIsOne) {
  OnFirstTick([this] { modal_.Close(); });
  EXPECT_EQ(modal_.ShowModal(), 1u);
}

TEST_F(WindowWndTest, ModalWindowDestroyedWithoutCloseReturnsZero) {
  OnFirstTick([this] { ::DestroyWindow(modal_); });
  EXPECT_EQ(modal_.ShowModal(), 0u);
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  EXPECT_EQ(modal_.destroyedWindow, modalWindow_);
}

TEST_F(WindowWndTest, QuitEndsTheModalLoopAndIsPostedAgain) {
  OnFirstTick([] { ::PostQuitMessage(42); });
  EXPECT_EQ(modal_.ShowModal(), 0u);
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  EXPECT_TRUE(::IsWindow(modalWindow_));
  MSG message = {};
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 42u);
}

bool ConsumeTimerTicks(const MSG& message) { return message.message == WM_TIMER && message.wParam == kTimer; }

TEST_F(WindowWndTest, LoopTranslatorConsumesMessagesBeforeDispatch) {
  int ticks = 0;
  modal_.onMessage = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_TIMER && wParam == kTimer) ++ticks;
    if (message == WM_TIMER && wParam == 2) {
      ::KillTimer(modal_, 2);
      modal_.Close(3);
    }
    return false;
  };
  ASSERT_NE(::SetTimer(modal_, kTimer, 5, nullptr), 0u);
  ASSERT_NE(::SetTimer(modal_, 2, 100, nullptr), 0u);
  CWindowWnd::SetLoopMessageTranslator(&ConsumeTimerTicks);
  const UINT code = modal_.ShowModal();
  CWindowWnd::SetLoopMessageTranslator(nullptr);
  EXPECT_EQ(code, 3u);
  EXPECT_EQ(ticks, 0);
}

TEST_F(WindowWndTest, CentresOnItsOwner) {
  RECT ownerRect = {};
  ASSERT_TRUE(::GetWindowRect(owner_, &ownerRect));
  modal_.CenterWindow();
  RECT rect = {};
  ASSERT_TRUE(::GetWindowRect(modal_, &rect));
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_EQ(rect.left, (ownerRect.left + ownerRect.right) / 2 - 100);
  EXPECT_EQ(rect.top, (ownerRect.top + ownerRect.bottom) / 2 - 50);
}

TEST_F(WindowWndTest, WithoutOwnerCentresOnTheWorkArea) {
  ProbeWindow lone;
  ASSERT_NE(lone.Create(nullptr, L"lone", WS_POPUP, kUnmanaged, RECT{0, 0, 300, 120}), nullptr);
  RECT rect = {};
  ASSERT_TRUE(::GetWindowRect(lone, &rect));
  EXPECT_EQ(rect.right - rect.left, 300);
  EXPECT_EQ(rect.bottom - rect.top, 120);
  lone.CenterWindow();
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(lone, MONITOR_DEFAULTTONEAREST), &monitor));
  ASSERT_TRUE(::GetWindowRect(lone, &rect));
  EXPECT_EQ(rect.left, (monitor.rcWork.left + monitor.rcWork.right) / 2 - 150);
  EXPECT_EQ(rect.top, (monitor.rcWork.top + monitor.rcWork.bottom) / 2 - 60);
  ::DestroyWindow(lone);
}

TEST_F(WindowWndTest, ShowWindowHidesAndShows) {
  modal_.ShowWindow(true, false);
  EXPECT_TRUE(::IsWindowVisible(modal_));
  modal_.ShowWindow(false);
  EXPECT_FALSE(::IsWindowVisible(modal_));
}

TEST_F(WindowWndTest, ResizeClientSetsTheClientSize) {
  ProbeWindow framed;
  ASSERT_NE(framed.Create(nullptr, L"framed", WS_POPUP | WS_BORDER, kUnmanaged, 0, 0, 100, 100), nullptr);
  framed.ResizeClient(320, 200);
  RECT client = {};
  ASSERT_TRUE(::GetClientRect(framed, &client));
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);
  RECT window = {};
  ASSERT_TRUE(::GetWindowRect(framed, &window));
  EXPECT_GT(window.right - window.left, 320);  // the border is outside the client area
  framed.ResizeClient(-1, 50);
  ASSERT_TRUE(::GetClientRect(framed, &client));
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 50);
  ::DestroyWindow(framed);
}

TEST(WindowWndClassTest, CreateFailsWithoutItsSystemBaseClass) {
  ProbeWindow noSuchBase(L"SkinUIProbeNoBase", L"NoSuchSystemClass");
  EXPECT_EQ(noSuchBase.Create(nullptr, L"never", WS_POPUP, 0), nullptr);
}

TEST(WindowWndClassTest, SuperclassOfANativeControlKeepsItsBehaviour) {
  ProbeWindow owner;
  ASSERT_NE(owner.Create(nullptr, L"owner", WS_POPUP, 0), nullptr);
  ProbeWindow edit(L"SkinUIProbeEdit", L"EDIT");
  HWND window = edit.Create(owner, L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 20);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::GetPropW(window, L"WndX"), static_cast<HANDLE>(static_cast<CWindowWnd*>(&edit)));
  const int before = edit.messages;
  ::SetWindowTextW(window, L"changed");
  EXPECT_GT(edit.messages, before);
  wchar_t text[32] = {};
  ::GetWindowTextW(window, text, 32);
  EXPECT_STREQ(text, L"changed");
  ::DestroyWindow(owner);
  EXPECT_EQ(edit.GetHWND(), nullptr);
  EXPECT_EQ(edit.destroyedWindow, window);
}

TEST(WindowWndClassTest, SubclassRoutesMessagesUntilUndone) {
  HWND native = ::CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(native, nullptr);
  ProbeWindow probe;
  ASSERT_EQ(probe.Subclass(native), native);
  EXPECT_EQ(probe.GetHWND(), native);
  ::SetWindowTextW(native, L"routed");
  EXPECT_GT(probe.messages, 0);
  wchar_t text[32] = {};
  ::GetWindowTextW(native, text, 32);
  EXPECT_STREQ(text, L"routed");
  const int routed = probe.messages;
  probe.Unsubclass();
  EXPECT_EQ(probe.GetHWND(), nullptr);
  EXPECT_EQ(::GetPropW(native, L"WndX"), nullptr);
  ::SetWindowTextW(native, L"direct");
  EXPECT_EQ(probe.messages, routed);
  ::DestroyWindow(native);
  EXPECT_EQ(probe.destroyedWindow, nullptr);
}

TEST(WindowWndClassTest, DestroyingASubclassedWindowDetachesTheObject) {
  HWND native = ::CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(native, nullptr);
  ProbeWindow probe;
  ASSERT_EQ(probe.Subclass(native), native);
  ::DestroyWindow(native);
  EXPECT_EQ(probe.GetHWND(), nullptr);
  EXPECT_EQ(probe.destroyedWindow, native);
}

}  // namespace
}  // namespace SkinUI
