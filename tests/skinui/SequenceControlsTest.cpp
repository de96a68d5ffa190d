#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinUI/controls/FrameSequence.h"
#include "SkinUI/controls/SequenceButtonUI.h"
#include "SkinUI/controls/SequenceLabelUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "tests/skinui/OffscreenCanvas.h"

using namespace SkinUI;
using SkinUITest::OffscreenCanvas;

namespace {

struct TimerRecorder : INotifyUI {
  std::vector<WPARAM> timers;
  void Notify(NotifyMsg& msg) override {
    if (msg.sType == L"timer") timers.push_back(msg.wParam);
  }
};

// Frames shown over `ticks` ticks: the frame number, or -1 on the tick that ends it.
std::vector<int> Play(FrameSequence sequence, int ticks) {
  std::vector<int> shown;
  for (int i = 0; i < ticks; ++i) {
    const int frame = sequence.Tick();
    shown.push_back(frame);
    if (frame < 0) break;
  }
  return shown;
}

UIEvent Tick() {
  UIEvent event;
  event.Type = UIEVENT_TIMER;
  event.wParam = CFrameAnimator::kTimerId;
  return event;
}

}  // namespace

TEST(FrameSequenceOrder, LoopAndRoundTrip) {
  struct Case {
    int count;
    bool loop, roundTrip;
    std::vector<int> expected;
  } cases[] = {
      {4, true, false, {0, 1, 2, 3, 0, 1, 2, 3, 0}},
      {4, true, true, {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2}},
      {4, false, false, {0, 1, 2, 3, -1}},
      {4, false, true, {0, 1, 2, 3, 2, 1, -1}},
      {2, true, true, {0, 1, 0, 1, 0, 1}},
      {2, false, true, {0, 1, -1}},
      {1, true, false, {0, 0, 0, 0}},
      {1, true, true, {0, 0, 0, 0}},  // never below frame 0
      {0, true, false, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    FrameSequence sequence;
    sequence.count = c.count;
    sequence.loop = c.loop;
    sequence.roundTrip = c.roundTrip;
    EXPECT_EQ(c.expected, Play(sequence, static_cast<int>(c.expected.size())))
        << "N=" << c.count << " loop=" << c.loop << " round=" << c.roundTrip;
  }
}

TEST(SequenceAttributes, NamesAndSwitches) {
  CSequenceLabelUI label;
  EXPECT_EQ(30, label.GetSequenceInterval());
  EXPECT_FALSE(label.GetAnimator().GetSequence().roundTrip);
  label.SetAttribute(L"sequencebkimage", L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
  label.SetAttribute(L"SequenceCount", L"4");
  label.SetAttribute(L"SEQUENCESPAN", L"45");
  label.SetAttribute(L"AutoStart", L"yes");
  EXPECT_STREQ(L"res\\mainWnd\\installBtnAnimate\\%.3d.png", label.GetSequencePattern().GetData());
  EXPECT_EQ(4, label.GetSequenceCount());
  EXPECT_EQ(45, label.GetSequenceInterval());
  EXPECT_TRUE(label.GetAnimator().IsAutoStart());
  EXPECT_STREQ(L"res\\mainWnd\\installBtnAnimate\\002.png", label.GetAnimator().FrameName(2).GetData());

  // The pattern name is compared exactly; other letter cases are custom attributes.
  label.SetAttribute(L"SequenceBkImage", L"other%d");
  EXPECT_STREQ(L"res\\mainWnd\\installBtnAnimate\\%.3d.png", label.GetSequencePattern().GetData());
  EXPECT_STREQ(L"other%d", label.GetCustomAttribute(L"SequenceBkImage"));

  struct Switch {
    const wchar_t* value;
    bool expected;
  } switches[] = {{L"false", false}, {L"False", true}, {L"FALSE", true}, {L"0", true}, {L"true", true}};
  for (const Switch& s : switches) {
    label.SetAttribute(L"sequenceloop", s.value);
    EXPECT_EQ(s.expected, label.GetAnimator().GetSequence().loop) << s.value;
    label.SetAttribute(L"sequenceround", s.value);
    EXPECT_EQ(s.expected, label.GetAnimator().GetSequence().roundTrip) << s.value;
  }

  CSequenceButtonUI button;
  EXPECT_STREQ(L"SequenceButton", button.GetClass());
  EXPECT_NE(nullptr, button.AsInterface(L"Button"));
  EXPECT_EQ(60, button.GetSequenceInterval());
  EXPECT_TRUE(button.GetAnimator().GetSequence().roundTrip);
  EXPECT_STREQ(L"SequenceLabel", label.GetClass());
  EXPECT_NE(nullptr, label.AsInterface(L"Label"));
  EXPECT_EQ(nullptr, label.AsInterface(L"Button"));
}

TEST(SequenceAttributes, LongPatternsAreCut) {
  CSequenceLabelUI label;
  label.SetSequencePattern((std::wstring(300, L'a') + L"%d").c_str());
  EXPECT_LE(label.GetAnimator().FrameName(1).GetLength(), 259);
}

TEST(SequenceLabelTicks, InstallerAnimationRedrawsFrameZeroWithATimerNotification) {
  CUIPaintManager manager;
  TimerRecorder recorder;
  manager.AddNotifier(&recorder);
  auto* root = new CVerticalLayoutUI;
  auto* label = new CSequenceLabelUI;
  label->SetAttribute(L"name", L"progressAnLb");
  label->SetAttribute(L"sequencebkimage", L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
  label->SetAttribute(L"sequencecount", L"1");
  label->SetAttribute(L"autostart", L"true");
  root->Add(label);
  manager.AttachRoot(root);
  root->Place(RECT{0, 0, 40, 40});
  EXPECT_TRUE(label->GetAnimator().IsRunning());
  EXPECT_TRUE(label->GetBkImage().IsEmpty());  // plain background until the first tick

  for (int i = 0; i < 5; ++i) {
    UIEvent tick = Tick();
    label->DispatchEvent(tick);
    EXPECT_STREQ(L"res\\mainWnd\\installBtnAnimate\\000.png", label->GetBkImage().GetData());
  }
  EXPECT_EQ(std::vector<WPARAM>(5, CFrameAnimator::kTimerId), recorder.timers);
  EXPECT_TRUE(label->GetAnimator().IsRunning());

  // Other events draw nothing.
  label->SetBkImage(L"");
  UIEvent other;
  other.Type = UIEVENT_MOUSEMOVE;
  label->DispatchEvent(other);
  EXPECT_TRUE(label->GetBkImage().IsEmpty());
}

TEST(SequenceLabelTicks, StopsAtTheEndWithoutLoopAndKeepsTheLastFrame) {
  CUIPaintManager manager;
  auto* root = new CVerticalLayoutUI;
  auto* label = new CSequenceLabelUI;
  label->SetAttribute(L"sequencebkimage", L"f%d");
  label->SetAttribute(L"sequencecount", L"4");
  label->SetAttribute(L"sequenceloop", L"false");
  label->SetAttribute(L"sequenceround", L"true");
  root->Add(label);
  manager.AttachRoot(root);
  EXPECT_FALSE(label->GetAnimator().IsRunning());  // no autostart
  label->StartSequence();
  EXPECT_TRUE(label->GetAnimator().IsRunning());
  std::vector<std::wstring> shown;
  // The seventh tick ends it; the timer is gone after that.
  for (int i = 0; i < 7; ++i) {
    UIEvent tick = Tick();
    label->DispatchEvent(tick);
    shown.push_back(label->GetBkImage().GetData());
  }
  const std::vector<std::wstring> expected = {L"f0", L"f1", L"f2", L"f3", L"f2", L"f1", L"f1"};
  EXPECT_EQ(expected, shown);
  EXPECT_FALSE(label->GetAnimator().IsRunning());
}

TEST(SequenceButtonTicks, FramesRunUnderTheStateImages) {
  CUIPaintManager manager;
  TimerRecorder recorder;
  manager.AddNotifier(&recorder);
  auto* root = new CVerticalLayoutUI;
  auto* button = new CSequenceButtonUI;
  button->SetAttribute(L"sequencebkimage", L"color='#FF0000%02X'");
  button->SetAttribute(L"sequencecount", L"2");
  root->Add(button);
  manager.AttachRoot(root);
  root->Place(RECT{0, 0, 10, 10});
  OffscreenCanvas canvas(10, 10);
  const std::vector<std::wstring> expected = {L"color='#FF000000'", L"color='#FF000001'", L"color='#FF000000'",
                                              L"color='#FF000001'"};
  for (const std::wstring& name : expected) {
    UIEvent tick = Tick();
    button->DispatchEvent(tick);
    EXPECT_STREQ(name.c_str(), button->GetBkImage().GetData());
  }
  EXPECT_EQ(4u, recorder.timers.size());
  // The frame is the background; the state image covers it.
  button->SetBkImage(L"color='#FFFF0000'");
  root->Paint(canvas.dc(), RECT{0, 0, 10, 10}, nullptr);
  EXPECT_EQ(0xFF0000u, canvas.Rgb(5, 5));
  button->SetNormalImage(L"color='#FF00FF00'");
  root->Paint(canvas.dc(), RECT{0, 0, 10, 10}, nullptr);
  EXPECT_EQ(0x00FF00u, canvas.Rgb(5, 5));
}
