// The paint manager on a real window: the paint cycle, timers, input
// routing, focus order and the asynchronous notification queue.
#include <gtest/gtest.h>

#include "SkinUI/builder/DialogBuilder.h"
#include "SkinUI/builder/WindowAttributes.h"
#include "SkinUI/controls/OptionUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "tests/skinui/ManagedWindow.h"

namespace SkinUI {
namespace {

class PaintManagerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.Create(nullptr, L"managed", WS_POPUP, WS_EX_TOOLWINDOW, 50, 50, 300, 200), nullptr);
    root_ = new CVerticalLayoutUI;
    for (int i = 0; i < 3; ++i) {
      static const wchar_t* const kNames[] = {L"first", L"second", L"third"};
      items_[i] = new RecordingControl(kNames[i], true);
      items_[i]->SetFixedHeight(40);
      root_->Add(items_[i]);
    }
    ASSERT_TRUE(window_.manager.AttachRoot(root_));
    ::ShowWindow(window_, SW_SHOWNA);
    ::UpdateWindow(window_);
    PumpManaged();
  }
  void TearDown() override {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
  }
  LRESULT Send(UINT message, WPARAM wParam, int x, int y) {
    return ::SendMessageW(window_, message, wParam, MAKELPARAM(x, y));
  }
  void Repaint() {
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
  }

  ManagedWindow window_;
  CVerticalLayoutUI* root_ = nullptr;
  RecordingControl* items_[3] = {};
};

TEST_F(PaintManagerWindowTest, WindowInitComesOnceAfterTheFirstLayout) {
  RECT rootAtInit = {};
  window_.onNotify = [&](NotifyMsg& msg) {
    if (msg.sType == L"windowinit") rootAtInit = msg.pSender->GetPos();
  };
  // SetUp already painted once; later paints and layouts must not repeat it.
  Repaint();
  root_->RequestLayout();
  Repaint();
  PumpManaged();
  ASSERT_EQ(window_.Count(L"windowinit"), 1);
  EXPECT_EQ(window_.seen[0].type, L"windowinit") << "nothing comes before it";
  EXPECT_EQ(window_.seen[0].sender, root_);
  const RECT client = root_->GetPos();
  EXPECT_EQ(client.right - client.left, 300);
  EXPECT_EQ(items_[1]->GetPos().top, 40) << "the tree is laid out by the first paint";
}

TEST_F(PaintManagerWindowTest, WindowInitAgainForANewRoot) {
  window_.seen.clear();
  auto* next = new CVerticalLayoutUI;
  ASSERT_TRUE(window_.manager.AttachRoot(next));
  Repaint();
  PumpManaged();
  EXPECT_EQ(window_.Count(L"windowinit"), 1);
  EXPECT_EQ(window_.manager.FindControl(L"first"), nullptr) << "the old tree left the name map";
  root_ = next;
}

TEST_F(PaintManagerWindowTest, TimerNumbersStartAt17AndKilledRecordsAreReused) {
  CUIPaintManager& manager = window_.manager;
  ASSERT_TRUE(manager.SetTimer(items_[0], 7, 10));
  ASSERT_TRUE(manager.SetTimer(items_[1], 7, 1000));
  EXPECT_FALSE(manager.SetTimer(items_[0], 7, 10)) << "an alive timer is not started twice";
  ASSERT_EQ(manager.GetTimers().Records().size(), 2u);
  EXPECT_EQ(manager.GetTimers().Records()[0].number, 17u);
  EXPECT_EQ(manager.GetTimers().Records()[1].number, 18u);

  ASSERT_TRUE(PumpUntil([&] { return items_[0]->timerIds.size() >= 2; }));
  EXPECT_EQ(items_[0]->timerIds[0], 7u) << "the control gets its own id back";
  EXPECT_TRUE(items_[1]->timerIds.empty());

  ASSERT_TRUE(manager.KillTimer(items_[0], 7));
  EXPECT_FALSE(manager.KillTimer(items_[0], 7));
  PumpManaged();
  const size_t ticks = items_[0]->timerIds.size();
  ::Sleep(60);
  PumpManaged();
  EXPECT_EQ(items_[0]->timerIds.size(), ticks) << "a killed timer is silent";

  ASSERT_TRUE(manager.SetTimer(items_[0], 7, 10));
  EXPECT_EQ(manager.GetTimers().Records().size(), 2u);
  EXPECT_EQ(manager.GetTimers().Records()[0].number, 17u) << "the number is reused";
  EXPECT_TRUE(PumpUntil([&] { return items_[0]->timerIds.size() > ticks; }));
}

TEST_F(PaintManagerWindowTest, TimersOfARemovedControlStop) {
  CUIPaintManager& manager = window_.manager;
  ASSERT_TRUE(manager.SetTimer(items_[2], 1, 10));
  ASSERT_TRUE(manager.SetTimer(items_[2], 2, 10));
  ASSERT_TRUE(manager.SetTimer(items_[0], 1, 10));
  ASSERT_TRUE(root_->Remove(items_[2]));
  items_[2] = nullptr;
  PumpManaged();  // the removed control is deleted after the current message
  ASSERT_EQ(manager.GetTimers().Records().size(), 1u);
  EXPECT_EQ(manager.GetTimers().Records()[0].control, items_[0]);
  // Ticks of the removed control's numbers must not reach anything.
  EXPECT_TRUE(PumpUntil([&] { return items_[0]->timerIds.size() >= 3; }));
}

TEST_F(PaintManagerWindowTest, AsyncNotificationsArriveInOrderAfterTheMessage) {
  window_.seen.clear();
  // Raised while the window handles a message, as a control would from an event.
  window_.onNotify = [&](NotifyMsg& msg) {
    if (msg.sType != L"kick") return;
    window_.manager.RaiseNotify(items_[0], L"later", 1, 0, true);
    window_.manager.RaiseNotify(items_[0], L"later", 2, 0, true);
  };
  struct Kick : IMessageFilterUI {
    CUIPaintManager* manager;
    CControlUI* sender;
    LRESULT FilterMessage(UINT message, WPARAM, LPARAM, bool& handled) override {
      if (message != WM_APP + 7) return 0;
      manager->RaiseNotify(sender, L"kick");
      handled = true;
      return 0;
    }
  } kick;
  kick.manager = &window_.manager;
  kick.sender = items_[0];
  ASSERT_TRUE(window_.manager.AddMessageFilter(&kick));
  ::SendMessageW(window_, WM_APP + 7, 0, 0);
  EXPECT_EQ(window_.Count(L"later"), 0) << "nothing is delivered during the message";
  PumpManaged();
  window_.manager.RemoveMessageFilter(&kick);
  ASSERT_EQ(window_.Count(L"later"), 2);
  ASSERT_EQ(window_.seen.size(), 3u);
  EXPECT_EQ(window_.seen[1].wParam, 1u);
  EXPECT_EQ(window_.seen[2].wParam, 2u);
}

TEST_F(PaintManagerWindowTest, OneDrainMessageCarriesTheWholeQueue) {
  PumpManaged();
  window_.seen.clear();
  window_.manager.RaiseNotify(items_[0], L"one", 0, 0, true);
  window_.manager.RaiseNotify(items_[1], L"two", 0, 0, true);
  MSG message;
  int drains = 0;
  while (::PeekMessageW(&message, window_, WM_APP + 1, WM_APP + 1, PM_REMOVE)) {
    ++drains;
    ::DispatchMessageW(&message);
  }
  EXPECT_EQ(drains, 1);
  ASSERT_EQ(window_.seen.size(), 2u);
  EXPECT_EQ(window_.seen[1].type, L"two");
  // Raised after the drain: a new message is posted.
  window_.manager.RaiseNotify(items_[2], L"three", 0, 0, true);
  PumpManaged();
  EXPECT_EQ(window_.Count(L"three"), 1);
}

TEST_F(PaintManagerWindowTest, QueuedRepeatsCanBeMerged) {
  window_.seen.clear();
  NotifyMsg msg;
  msg.pSender = items_[1];
  msg.sType = L"progress";
  msg.wParam = 1;
  window_.manager.RaiseNotify(msg, true, false);
  msg.wParam = 2;
  window_.manager.RaiseNotify(msg, true, false);
  PumpManaged();
  ASSERT_EQ(window_.Count(L"progress"), 1);
  EXPECT_EQ(window_.seen[0].wParam, 2u) << "the queued record takes the newer parameters";
}

TEST_F(PaintManagerWindowTest, RemovingTheSenderInItsHandlerIsSafe) {
  RecordingControl* victim = items_[1];
  bool handled = false;
  window_.onNotify = [&](NotifyMsg& msg) {
    if (msg.sType != L"bye" || handled) return;
    root_->SetDelayedDestroy(true);
    ASSERT_TRUE(root_->Remove(victim));
    // Still alive until the message is over.
    EXPECT_EQ(victim->GetName(), L"second");
    handled = true;
  };
  window_.manager.RaiseNotify(victim, L"bye", 0, 0, true);
  window_.manager.RaiseNotify(victim, L"bye", 0, 0, true);
  PumpManaged();
  items_[1] = nullptr;
  EXPECT_TRUE(handled);
  EXPECT_EQ(window_.Count(L"bye"), 2) << "the queue is drained before the removed control goes";
  EXPECT_EQ(window_.manager.FindControl(L"second"), nullptr);
}

TEST_F(PaintManagerWindowTest, TabMovesTheFocusInTreeOrderAndWraps) {
  auto tab = [&](bool shift) {
    if (shift) {
      BYTE keys[256];
      ::GetKeyboardState(keys);
      keys[VK_SHIFT] = 0x80;
      ::SetKeyboardState(keys);
    }
    ::PostMessageW(window_, WM_KEYDOWN, VK_TAB, 0);
    PumpManaged();
    if (shift) {
      BYTE keys[256];
      ::GetKeyboardState(keys);
      keys[VK_SHIFT] = 0;
      ::SetKeyboardState(keys);
    }
    return window_.manager.GetFocus();
  };
  items_[1]->SetEnabled(false);
  EXPECT_EQ(window_.manager.GetFocus(), items_[0]) << "the first paint focused the first tab stop";
  EXPECT_EQ(tab(false), items_[2]) << "disabled controls are skipped";
  EXPECT_EQ(tab(false), items_[0]) << "wraps to the first";
  items_[1]->SetEnabled(true);
  EXPECT_EQ(tab(false), items_[1]);
  EXPECT_EQ(tab(true), items_[0]) << "Shift+Tab goes back";
  EXPECT_GE(window_.Count(L"setfocus"), 4);
}

TEST_F(PaintManagerWindowTest, AltShortcutFocusesTheControlWithThatKey) {
  items_[2]->SetShortcut(L'S');
  items_[1]->SetShortcut(L'Q');
  items_[1]->SetEnabled(false);
  ::PostMessageW(window_, WM_SYSCHAR, L's', 0);
  PumpManaged();
  EXPECT_EQ(window_.manager.GetFocus(), items_[2]) << "the key is compared upper-cased";
  ::PostMessageW(window_, WM_SYSCHAR, L'q', 0);
  PumpManaged();
  EXPECT_EQ(window_.manager.GetFocus(), items_[2]) << "disabled controls take no shortcut";
  LRESULT result = 0;
  EXPECT_FALSE(window_.manager.PreTranslate(WM_SYSCHAR, L'z', 0, result)) << "an unknown key is left alone";
}

TEST_F(PaintManagerWindowTest, HidingTheFocusedControlSendsKillFocus) {
  window_.manager.SetFocus(items_[2]);
  ASSERT_EQ(window_.manager.GetFocus(), items_[2]);
  window_.seen.clear();
  items_[2]->SetVisible(false);
  EXPECT_EQ(window_.manager.GetFocus(), nullptr);
  ASSERT_EQ(window_.Count(L"killfocus"), 1);
  EXPECT_EQ(window_.seen[0].sender, items_[2]);
  EXPECT_EQ(items_[2]->Count(UIEVENT_KILLFOCUS), 1);
}

TEST_F(PaintManagerWindowTest, MouseReachesHoverPushedAndCapturedControls) {
  RecordingControl* top = items_[0];
  RecordingControl* middle = items_[1];
  top->events.clear();
  middle->events.clear();
  Send(WM_MOUSEMOVE, 0, 10, 10);
  EXPECT_EQ(window_.manager.GetHover(), top);
  EXPECT_EQ(top->Count(UIEVENT_MOUSEENTER), 1);
  Send(WM_MOUSEMOVE, 0, 10, 50);
  EXPECT_EQ(top->Count(UIEVENT_MOUSELEAVE), 1);
  EXPECT_EQ(middle->Count(UIEVENT_MOUSEENTER), 1);

  // Pressed on the top control, released over the middle one: the pushed
  // control keeps the mouse until the release.
  Send(WM_MOUSEMOVE, 0, 10, 10);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  EXPECT_EQ(window_.manager.GetPushed(), top);
  EXPECT_TRUE(window_.manager.IsCaptured());
  EXPECT_EQ(window_.manager.GetFocus(), top);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 10, 50);
  EXPECT_EQ(window_.manager.GetHover(), top) << "no hover change while captured";
  Send(WM_LBUTTONUP, 0, 10, 50);
  EXPECT_EQ(top->Count(UIEVENT_BUTTONDOWN), 1);
  EXPECT_EQ(top->Count(UIEVENT_BUTTONUP), 1);
  EXPECT_GE(top->Count(UIEVENT_MOUSEMOVE), 2);
  EXPECT_EQ(middle->Count(UIEVENT_BUTTONUP), 0);
  EXPECT_EQ(window_.manager.GetPushed(), nullptr);
  EXPECT_FALSE(window_.manager.IsCaptured());

  Send(WM_MOUSEMOVE, 0, -1, -1);
  EXPECT_EQ(window_.manager.GetHover(), nullptr) << "outside every control";
}

TEST_F(PaintManagerWindowTest, KeysGoToTheFocusAndKeyUpToTheKeyTarget) {
  window_.manager.SetFocus(items_[1]);
  items_[1]->events.clear();
  ::SendMessageW(window_, WM_KEYDOWN, 'A', 0);
  ::SendMessageW(window_, WM_CHAR, 'a', 0);
  window_.manager.SetFocus(items_[2]);
  ::SendMessageW(window_, WM_KEYUP, 'A', 0);
  EXPECT_EQ(items_[1]->Count(UIEVENT_KEYDOWN), 1);
  EXPECT_EQ(items_[1]->Count(UIEVENT_CHAR), 1);
  EXPECT_EQ(items_[1]->Count(UIEVENT_KEYUP), 1) << "key up follows the key down, not the focus";
  EXPECT_EQ(items_[2]->Count(UIEVENT_KEYUP), 0);
}

}  // namespace
}  // namespace SkinUI

namespace SkinUI {
namespace {

TEST(DialogBuilderWindowTest, WindowSizeResizesOnlyBeforeAnyControlExists) {
  ManagedWindow window;
  ASSERT_NE(window.Create(nullptr, L"sized", WS_POPUP, WS_EX_TOOLWINDOW, 10, 10, 100, 80), nullptr);
  CDialogBuilder builder;
  CControlUI* root = builder.Create(L"<Window size=\"240,130\" caption=\"0,0,0,35\"><VerticalLayout/></Window>",
                                    nullptr, nullptr, &window.manager);
  ASSERT_NE(root, nullptr);
  RECT client;
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 130);
  RECT place;
  ::GetWindowRect(window, &place);
  EXPECT_EQ(place.left, 10) << "not moved";
  EXPECT_EQ(window.manager.GetCaptionRect().bottom, 35);

  ASSERT_TRUE(window.manager.AttachRoot(root));
  ApplyWindowAttribute(window.manager, L"size", L"50,60");
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 240) << "with a root the size is only recorded";
  EXPECT_EQ(window.manager.GetInitSize().cx, 50);

  ApplyWindowAttribute(window.manager, L"opacity", L"200");
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_NE(flags & LWA_ALPHA, 0u);
  HWND handle = window;
  EXPECT_EQ(CUIPaintManager::FindManagerOf(handle), &window.manager);
  ::DestroyWindow(window);
  EXPECT_EQ(CUIPaintManager::FindManagerOf(handle), nullptr) << "a destroyed window has no manager";
}

}  // namespace
}  // namespace SkinUI

namespace SkinUI {
namespace {

// A built layout with a button and a check box, clicked through window messages.
class BuiltWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.Create(nullptr, L"built", WS_POPUP, WS_EX_TOOLWINDOW, 30, 30, 100, 100), nullptr);
    CDialogBuilder builder;
    CControlUI* root = builder.Create(
        L"<Window size=\"200,100\"><VerticalLayout>"
        L"<Button name=\"go\" height=\"40\"/><CheckBox name=\"agree\" height=\"40\"/>"
        L"</VerticalLayout></Window>",
        nullptr, nullptr, &window_.manager);
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(window_.manager.AttachRoot(root));
    ::ShowWindow(window_, SW_SHOWNA);
    ::UpdateWindow(window_);
    PumpManaged();
    window_.seen.clear();
  }
  void TearDown() override {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
  }
  void Click(int downY, int upY) {
    ::SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(20, downY));
    ::SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, downY));
    ::SendMessageW(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, upY));
    ::SendMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(20, upY));
    PumpManaged();
  }
  ManagedWindow window_;
};

TEST_F(BuiltWindowTest, ClickOnlyWhenReleasedInside) {
  Click(10, 30);
  ASSERT_EQ(window_.Count(L"click"), 1);
  EXPECT_EQ(window_.seen.back().sender, window_.manager.FindControl(L"go"));
  Click(10, 90);  // released over the check box
  EXPECT_EQ(window_.Count(L"click"), 1);
  EXPECT_EQ(window_.Count(L"selectchanged"), 0) << "the check box never had the press";
}

TEST_F(BuiltWindowTest, CheckBoxTogglesAndSaysSo) {
  auto* box = static_cast<COptionUI*>(window_.manager.FindControl(L"agree"));
  ASSERT_NE(box, nullptr);
  ASSERT_FALSE(box->IsSelected());
  Click(60, 60);
  EXPECT_TRUE(box->IsSelected());
  Click(60, 60);
  EXPECT_FALSE(box->IsSelected());
  EXPECT_EQ(window_.Count(L"selectchanged"), 2);
}

}  // namespace
}  // namespace SkinUI

namespace SkinUI {
namespace {

HWND FindOwnedToolTip(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search = {owner, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0 && ::GetWindow(window, GW_OWNER) == s->owner) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(PaintManagerWindowTest, HoverShowsTheToolTipAndCloseEndsHoverAndPress) {
  items_[1]->SetToolTip(L"second item");
  ::SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 50));
  ::SendMessageW(window_, WM_MOUSEHOVER, 0, MAKELPARAM(10, 50));
  EXPECT_EQ(items_[1]->Count(UIEVENT_MOUSEHOVER), 1);
  EXPECT_NE(FindOwnedToolTip(window_), nullptr) << "the tool tip window is owned by this window";

  ::SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 50));
  ::SendMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(items_[1]->Count(UIEVENT_MOUSELEAVE), 1);
  EXPECT_EQ(items_[1]->Count(UIEVENT_BUTTONUP), 1);
  EXPECT_EQ(window_.manager.GetFocus(), nullptr);
  EXPECT_EQ(FindOwnedToolTip(window_), nullptr) << "closing destroys the tool tip";
}

TEST_F(PaintManagerWindowTest, WheelReachesTheControlUnderTheCursor) {
  POINT screen = {10, 90};
  ::ClientToScreen(window_, &screen);
  ::SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
  ::SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(items_[2]->Count(UIEVENT_SCROLLWHEEL), 2);
  EXPECT_EQ(items_[0]->Count(UIEVENT_SCROLLWHEEL), 0);
  EXPECT_EQ(window_.manager.GetHover(), items_[2]) << "a mouse move is replayed after the wheel";
}

}  // namespace
}  // namespace SkinUI
