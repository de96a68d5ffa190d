// The basic and animation controls on a real window: timer-driven frames,
// the fade timer, and clicks routed by the paint manager.
#include <gtest/gtest.h>

#include <string>

#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/controls/EditUI.h"
#include "SkinUI/controls/OptionUI.h"
#include "SkinUI/controls/SequenceLabelUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "tests/skinui/ManagedWindow.h"

namespace SkinUI {
namespace {

class ControlsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.Create(nullptr, L"controls", WS_POPUP, WS_EX_TOOLWINDOW, 50, 50, 300, 200), nullptr);
    root_ = new CVerticalLayoutUI;
  }
  void Show() {
    ASSERT_TRUE(window_.manager.AttachRoot(root_));
    ::ShowWindow(window_, SW_SHOWNA);
    ::UpdateWindow(window_);
    PumpManaged();
  }
  void TearDown() override {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
  }
  void Send(UINT message, WPARAM wParam, int x, int y) {
    ::SendMessageW(window_, message, wParam, MAKELPARAM(x, y));
  }
  int TimerNotes() const {
    int count = 0;
    for (const SeenNotify& note : window_.seen) {
      count += note.type == L"timer" && note.wParam == CFrameAnimator::kTimerId ? 1 : 0;
    }
    return count;
  }

  ManagedWindow window_;
  CVerticalLayoutUI* root_ = nullptr;
};

TEST_F(ControlsWindowTest, InstallerAnimationTicksEveryIntervalWithTimerNotifications) {
  auto* label = new CSequenceLabelUI;
  label->SetAttribute(L"name", L"progressAnLb");
  label->SetAttribute(L"sequencebkimage", L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
  label->SetAttribute(L"sequencecount", L"1");
  label->SetAttribute(L"autostart", L"true");
  label->SetFixedHeight(40);
  root_->Add(label);
  const DWORD start = ::GetTickCount();
  Show();
  ASSERT_TRUE(PumpUntil([&] { return TimerNotes() >= 5; }));
  // Five ticks of 30 ms take at least about 150 ms (timers may be coarse, never early by much).
  EXPECT_GE(::GetTickCount() - start, 120u);
  EXPECT_STREQ(L"res\\mainWnd\\installBtnAnimate\\000.png", label->GetBkImage().GetData());
  EXPECT_TRUE(label->GetAnimator().IsRunning());
}

TEST_F(ControlsWindowTest, ANonLoopingSequenceKillsItsTimerAtTheEnd) {
  auto* label = new CSequenceLabelUI;
  label->SetAttribute(L"sequencebkimage", L"frame%d");
  label->SetAttribute(L"sequencecount", L"4");
  label->SetAttribute(L"sequencespan", L"10");
  label->SetAttribute(L"sequenceloop", L"false");
  label->SetFixedHeight(40);
  root_->Add(label);
  Show();
  EXPECT_EQ(0, TimerNotes());  // no autostart
  label->StartSequence();
  ASSERT_TRUE(PumpUntil([&] { return !label->GetAnimator().IsRunning(); }));
  EXPECT_STREQ(L"frame3", label->GetBkImage().GetData());
  const int ticks = TimerNotes();
  EXPECT_EQ(5, ticks);  // four frames, then the tick that ends it
  ::Sleep(100);
  PumpManaged();
  EXPECT_EQ(ticks, TimerNotes());
}

TEST_F(ControlsWindowTest, ButtonAndCheckBoxClicksThroughTheWindow) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(40);
  auto* check = new CCheckBoxUI;
  check->SetFixedHeight(40);
  root_->Add(button);
  root_->Add(check);
  Show();
  ASSERT_EQ(40, button->GetPos().bottom);

  Send(WM_MOUSEMOVE, 0, 10, 10);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 10, 150);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 12, 12);
  Send(WM_LBUTTONUP, 0, 12, 12);
  PumpManaged();
  EXPECT_EQ(1, window_.Count(L"click"));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 10, 150);
  Send(WM_LBUTTONUP, 0, 10, 150);
  PumpManaged();
  EXPECT_EQ(1, window_.Count(L"click"));

  Send(WM_MOUSEMOVE, 0, 10, 50);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 50);
  Send(WM_LBUTTONUP, 0, 10, 50);
  PumpManaged();
  EXPECT_TRUE(check->IsSelected());
  EXPECT_EQ(2, window_.Count(L"click"));
  EXPECT_EQ(1, window_.Count(L"selectchanged"));
}

TEST_F(ControlsWindowTest, FadeTimerRunsToTheHotImageAndStops) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(40);
  button->SetAttribute(L"fadedelta", L"128");
  root_->Add(button);
  Show();
  Send(WM_MOUSEMOVE, 0, 10, 10);
  PumpManaged();
  ASSERT_EQ(UISTATE_HOT, button->GetButtonState() & UISTATE_HOT);
  ASSERT_TRUE(PumpUntil([&] { return button->GetFadeAlpha() == 0; }));
  EXPECT_EQ(0, window_.Count(L"timer"));  // the fade timer sends no notification
}

TEST_F(ControlsWindowTest, EditTypesInItsNativeWindowWhileFocused) {
  auto* edit = new CEditUI;
  edit->SetName(L"installDirEdit");
  edit->SetFixedHeight(30);
  edit->SetText(L"C:\\Melodrix");
  edit->SetAttribute(L"maxchar", L"20");
  auto* other = new CButtonUI;
  other->SetFixedHeight(40);
  root_->Add(edit);
  root_->Add(other);
  Show();  // the first tab stop may take the focus at the first layout
  edit->SetFocus();
  const HWND native = edit->GetChildWindow();
  ASSERT_NE(nullptr, native);
  EXPECT_EQ(window_.operator HWND(), ::GetParent(native));
  EXPECT_TRUE(::IsWindowVisible(native));
  RECT placed;
  ::GetWindowRect(native, &placed);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&placed), 2);
  const RECT expected = edit->GetNativeRect();
  EXPECT_TRUE(::EqualRect(&placed, &expected));
  EXPECT_GE(placed.left, 4);
  EXPECT_LE(placed.bottom, 30 - 3);
  wchar_t shown[64] = {};
  ::GetWindowTextW(native, shown, 64);
  EXPECT_STREQ(L"C:\\Melodrix", shown);

  // Each change of the native text reaches the control with one notification.
  ::SendMessageW(native, WM_CHAR, L'2', 0);
  ::SendMessageW(native, WM_CHAR, L'6', 0);
  PumpManaged();
  EXPECT_STREQ(L"C:\\Melodrix26", edit->GetText().GetData());
  EXPECT_EQ(2, window_.Count(L"textchanged"));
  // The character limit holds.
  ::SetWindowTextW(native, L"");
  for (int i = 0; i < 25; ++i) ::SendMessageW(native, WM_CHAR, L'x', 0);
  PumpManaged();
  EXPECT_EQ(20, edit->GetText().GetLength());
  // Return is reported and not typed.
  ::SendMessageW(native, WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(native, WM_CHAR, VK_RETURN, 0);
  PumpManaged();
  EXPECT_EQ(1, window_.Count(L"return"));
  EXPECT_EQ(20, edit->GetText().GetLength());

  // Focus elsewhere: the native window goes, the text stays.
  other->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(native); }));
  EXPECT_EQ(nullptr, edit->GetChildWindow());
  EXPECT_EQ(std::wstring(20, L'x'), std::wstring(edit->GetText().GetData()));

  // Hiding an edit while editing ends the editing.
  edit->SetFocus();
  const HWND again = edit->GetChildWindow();
  ASSERT_NE(nullptr, again);
  edit->SetVisible(false);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(again); }));
  EXPECT_EQ(nullptr, edit->GetChildWindow());
}

TEST_F(ControlsWindowTest, PasswordEditMasksItsNativeWindowAndReadOnlyRefusesTyping) {
  auto* edit = new CEditUI;
  edit->SetFixedHeight(30);
  edit->SetAttribute(L"password", L"true");
  edit->SetAttribute(L"readonly", L"true");
  edit->SetText(L"abc");
  root_->Add(edit);
  Show();
  edit->SetFocus();
  const HWND native = edit->GetChildWindow();
  ASSERT_NE(nullptr, native);
  EXPECT_EQ(static_cast<LRESULT>(L'*'), ::SendMessageW(native, EM_GETPASSWORDCHAR, 0, 0));
  EXPECT_NE(0, ::GetWindowLongW(native, GWL_STYLE) & ES_READONLY);
  ::SendMessageW(native, WM_CHAR, L'd', 0);
  PumpManaged();
  EXPECT_STREQ(L"abc", edit->GetText().GetData());
  EXPECT_EQ(0, window_.Count(L"textchanged"));
}

}  // namespace
}  // namespace SkinUI
