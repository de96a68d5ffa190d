// Window timer numbering and the notify pump's routing by type and name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/NotifyPump.h"
#include "SkinUI/manager/UITimer.h"

namespace SkinUI {
namespace {

TEST(TimerNumbersTest, StartAt17AndWrapAfter254) {
  CUITimerList timers;
  EXPECT_EQ(timers.NextNumber(), 17u);
  EXPECT_EQ(timers.NextNumber(), 18u);
  UINT number = 18;
  while (number != 254) number = timers.NextNumber();
  EXPECT_EQ(timers.NextNumber(), 0u);
  EXPECT_EQ(timers.NextNumber(), 1u);
}

TEST(TimerNumbersTest, TakeRemovesOnlyTheControlsRecords) {
  CControlUI a, b;
  CUITimerList timers;
  HWND window = reinterpret_cast<HWND>(0x10);
  timers.Add({&a, 1, window, 17, false});
  timers.Add({&b, 1, window, 18, false});
  timers.Add({&a, 2, window, 19, true});
  EXPECT_EQ(timers.Find(&a, 2, window)->number, 19u);
  EXPECT_EQ(timers.FindAlive(window, 19), nullptr) << "killed records do not take ticks";
  EXPECT_EQ(timers.FindAlive(window, 18)->control, &b);
  const std::vector<TimerRecord> taken = timers.Take(&a);
  ASSERT_EQ(taken.size(), 2u);
  ASSERT_EQ(timers.Records().size(), 1u);
  EXPECT_EQ(timers.Records()[0].control, &b);
  EXPECT_EQ(timers.Take(nullptr).size(), 1u);
  EXPECT_TRUE(timers.Records().empty());
}

class BasePump : public CNotifyPump {
 public:
  std::vector<std::wstring> calls;
  void OnAnyClick(NotifyMsg& msg) { calls.push_back(L"base any click " + std::wstring(msg.sType)); }
  void OnOk(NotifyMsg&) { calls.push_back(L"base ok"); }
  void OnTimer(WPARAM wParam, LPARAM lParam) {
    calls.push_back(L"base timer " + std::to_wstring(wParam) + L"," + std::to_wstring(lParam));
  }

 protected:
  const NotifyMap* GetNotifyMap() const override { return &kMap; }
  static const NotifyMapEntry kEntries[];
  static const NotifyMap kMap;
};

const NotifyMapEntry BasePump::kEntries[] = {
    NotifyMapEntry::Record(L"click", L"", &BasePump::OnAnyClick),
    NotifyMapEntry::Record(L"click", L"ok", &BasePump::OnOk),
    NotifyMapEntry::Params(L"timer", L"", &BasePump::OnTimer),
};
const NotifyMap BasePump::kMap = {nullptr, kEntries, 3};

class DerivedPump : public BasePump {
 public:
  void OnCancel(NotifyMsg&) { calls.push_back(L"derived cancel"); }
  void OnFirstAny(NotifyMsg&) { calls.push_back(L"derived first any"); }
  void OnLastAny(NotifyMsg&) { calls.push_back(L"derived last any"); }

 protected:
  const NotifyMap* GetNotifyMap() const override { return &kDerivedMap; }
  static const NotifyMapEntry kDerivedEntries[];
  static const NotifyMap kDerivedMap;
};

const NotifyMapEntry DerivedPump::kDerivedEntries[] = {
    NotifyMapEntry::Record(L"click", L"cancel", &DerivedPump::OnCancel),
    NotifyMapEntry::Record(L"selectchanged", L"", &DerivedPump::OnFirstAny),
    NotifyMapEntry::Record(L"selectchanged", L"", &DerivedPump::OnLastAny),
};
const NotifyMap DerivedPump::kDerivedMap = {&BasePump::kMap, kDerivedEntries, 3};

struct RouteCase {
  const wchar_t* type;
  const wchar_t* sender;
  const wchar_t* expected;  // null: not handled
};

TEST(NotifyPumpTest, RoutesByTypeAndNameThroughTheMapChain) {
  const RouteCase cases[] = {
      {L"click", L"cancel", L"derived cancel"},         // exact match in the derived table
      {L"click", L"ok", L"base ok"},                    // exact match beats the earlier fallback
      {L"click", L"other", L"base any click click"},    // fallback of the base table
      {L"selectchanged", L"x", L"derived last any"},    // the last fallback of a table
      {L"timer", L"x", L"base timer 5,6"},              // the two-parameter signature
      {L"windowinit", L"x", nullptr},
  };
  for (const RouteCase& c : cases) {
    DerivedPump pump;
    CControlUI sender;
    sender.SetName(c.sender);
    NotifyMsg msg;
    msg.sType = c.type;
    msg.pSender = &sender;
    msg.wParam = 5;
    msg.lParam = 6;
    const bool handled = pump.RouteNotify(msg);
    SCOPED_TRACE(std::wstring(c.type) + L"/" + c.sender);
    if (c.expected == nullptr) {
      EXPECT_FALSE(handled);
      EXPECT_TRUE(pump.calls.empty());
    } else {
      EXPECT_TRUE(handled);
      ASSERT_EQ(pump.calls.size(), 1u);
      EXPECT_EQ(pump.calls[0], c.expected);
    }
  }
}

TEST(NotifyPumpTest, VirtualWindowsGetTheirNotificationsFirst) {
  DerivedPump main;
  BasePump page;
  ASSERT_TRUE(main.AddVirtualWindow(L"Page", &page));
  EXPECT_FALSE(main.AddVirtualWindow(L"page", &page)) << "names ignore case";
  CControlUI sender;
  sender.SetName(L"cancel");
  NotifyMsg msg;
  msg.sType = L"click";
  msg.pSender = &sender;
  msg.sVirtualWnd = L"PAGE";
  EXPECT_TRUE(main.RouteNotify(msg));
  ASSERT_EQ(page.calls.size(), 1u);
  EXPECT_EQ(page.calls[0], L"base any click click");
  EXPECT_TRUE(main.calls.empty());

  msg.sType = L"selectchanged";  // the page has no entry: the main pump's map decides
  EXPECT_TRUE(main.RouteNotify(msg));
  EXPECT_EQ(main.calls.size(), 1u);

  ASSERT_TRUE(main.RemoveVirtualWindow(L"page"));
  msg.sType = L"click";
  EXPECT_TRUE(main.RouteNotify(msg));
  EXPECT_EQ(page.calls.size(), 1u);
  EXPECT_EQ(main.calls.back(), L"derived cancel");
}

}  // namespace
}  // namespace SkinUI
