#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/controls/EditUI.h"
#include "SkinUI/controls/LabelUI.h"
#include "SkinUI/controls/OptionUI.h"
#include "SkinUI/controls/ProgressUI.h"
#include "SkinUI/layout/HorizontalLayoutUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "tests/skinui/OffscreenCanvas.h"

using namespace SkinUI;
using SkinUITest::OffscreenCanvas;

namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0, kWhite = 0xFFFFFF;

struct Note {
  CUIString type;
  CControlUI* sender;
};

struct Recorder : INotifyUI {
  std::vector<Note> notes;
  void Notify(NotifyMsg& msg) override { notes.push_back(Note{msg.sType, msg.pSender}); }
  std::vector<CUIString> Types() const {
    std::vector<CUIString> types;
    for (const Note& n : notes) types.push_back(n.type);
    return types;
  }
  int Count(const wchar_t* type) const {
    int count = 0;
    for (const Note& n : notes) count += n.type == type ? 1 : 0;
    return count;
  }
};

// A window's tree without a window: a vertical root holding the controls
// under test, laid out by hand.
class ControlsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = new CVerticalLayoutUI;
    manager_.AddNotifier(&recorder_);
  }
  void Attach(const RECT& rootRect) {
    manager_.AttachRoot(root_);
    root_->Place(rootRect);
  }
  static UIEvent Mouse(int type, int x, int y) {
    UIEvent event;
    event.Type = type;
    event.ptMouse = POINT{x, y};
    return event;
  }
  static void Send(CControlUI* control, int type, int x, int y) {
    UIEvent event = Mouse(type, x, y);
    control->DispatchEvent(event);
  }
  static void Key(CControlUI* control, wchar_t key) {
    UIEvent event;
    event.Type = UIEVENT_KEYDOWN;
    event.chKey = key;
    control->DispatchEvent(event);
  }
  void PaintAll(OffscreenCanvas& canvas) {
    const RECT all = {0, 0, 1000, 1000};
    root_->Paint(canvas.dc(), all, nullptr);
  }

  CUIPaintManager manager_;
  Recorder recorder_;
  CVerticalLayoutUI* root_ = nullptr;
};

const wchar_t* ColourImage(DWORD argb) {
  static wchar_t text[8][40];
  static int next = 0;
  wchar_t* slot = text[next++ % 8];
  swprintf(slot, 40, L"color='#%08X'", static_cast<unsigned>(argb));
  return slot;
}

}  // namespace

TEST(ControlIdentity, ClassTextsAndInterfacesFollowTheBases) {
  CLabelUI label;
  CButtonUI button;
  COptionUI option;
  CCheckBoxUI check;
  CProgressUI progress;
  CEditUI edit;
  EXPECT_STREQ(L"Label", label.GetClass());
  EXPECT_STREQ(L"Button", button.GetClass());
  EXPECT_STREQ(L"Option", option.GetClass());
  EXPECT_STREQ(L"CheckBox", check.GetClass());
  EXPECT_STREQ(L"Progress", progress.GetClass());
  EXPECT_STREQ(L"Edit", edit.GetClass());
  for (const wchar_t* name : {L"CheckBox", L"Option", L"Button", L"Label", L"Control"}) {
    EXPECT_EQ(static_cast<CControlUI*>(&check), check.AsInterface(name)) << name;
  }
  EXPECT_EQ(nullptr, button.AsInterface(L"Option"));
  EXPECT_EQ(nullptr, progress.AsInterface(L"Button"));
  EXPECT_EQ(static_cast<CControlUI*>(&edit), edit.AsInterface(L"Label"));

  EXPECT_EQ(0x24u, label.GetTextStyle());
  EXPECT_EQ(0x25u, button.GetTextStyle());
  EXPECT_EQ(0x21u, progress.GetTextStyle());
  EXPECT_EQ(12, progress.GetFixedHeight());
  EXPECT_EQ(3, edit.GetTextPadding().top);
  EXPECT_EQ(0xFFFFFFFFu, edit.GetBkColor());
  EXPECT_EQ(255, edit.GetMaxChar());
}

TEST(LabelAttributes, AlignmentMultiLineAndColours) {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    UINT start;
    UINT expected;
  } cases[] = {
      {L"align", L"left", 0x25, 0x24},
      {L"align", L"center", 0x26, 0x25},
      {L"align", L"right", 0x25, 0x26},
      {L"align", L"leftright", 0x25, 0x26},  // checked in order: the last word wins
      {L"valign", L"top", 0x24, 0x20},
      {L"valign", L"bottom", 0x24, 0x28},
      {L"valign", L"vcenter", 0x28, 0x24},
      {L"endellipsis", L"true", 0x24, 0x24 | DT_END_ELLIPSIS},
      {L"endellipsis", L"True", 0x24 | DT_END_ELLIPSIS, 0x24},
      {L"multiline", L"true", 0x24, 0x14},
      {L"multiline", L"false", 0x14, 0x34},
  };
  for (const Case& c : cases) {
    CLabelUI label;
    label.SetTextStyle(c.start);
    label.SetAttribute(c.name, c.value);
    EXPECT_EQ(c.expected, label.GetTextStyle()) << c.name << "=" << c.value;
  }

  CLabelUI label;
  label.SetAttribute(L"textcolor", L"#FF102030");
  label.SetAttribute(L"disabledtextcolor", L"FFA0A0A0");
  label.SetAttribute(L"textpadding", L"1,2,3,4");
  label.SetAttribute(L"font", L"3");
  label.SetAttribute(L"enabledeffect", L"true");  // not drawn: kept as a custom attribute
  EXPECT_EQ(0xFF102030u, label.GetTextColor());
  EXPECT_EQ(0xFFA0A0A0u, label.GetDisabledTextColor());
  EXPECT_EQ(4, label.GetTextPadding().bottom);
  EXPECT_EQ(3, label.GetFont());
  EXPECT_STREQ(L"true", label.GetCustomAttribute(L"enabledeffect"));
}

TEST_F(ControlsFixture, LabelMeasuresItsTextOnOneLine) {
  auto* fixed = new CLabelUI;
  fixed->SetFixedWidth(30);
  fixed->SetFixedHeight(10);
  auto* free = new CLabelUI;
  free->SetTextPadding(RECT{5, 1, 7, 2});
  root_->Add(fixed);
  root_->Add(free);
  OffscreenCanvas canvas(10, 10);
  manager_.SetPaintDC(canvas.dc());
  Attach(RECT{0, 0, 300, 100});
  const SIZE fixedSize = fixed->MeasureSize(SIZE{300, 100});
  EXPECT_EQ(30, fixedSize.cx);
  EXPECT_EQ(10, fixedSize.cy);

  const int fontHeight = manager_.GetDefaultFontInfo()->metrics.tmHeight;
  const SIZE empty = free->MeasureSize(SIZE{300, 100});
  EXPECT_EQ(12, empty.cx);
  EXPECT_EQ(1 + 2 + fontHeight + 8, empty.cy);
  free->SetText(L"Melodrix 安装");
  const SIZE withText = free->MeasureSize(SIZE{300, 100});
  EXPECT_GT(withText.cx, 12 + 20);
  EXPECT_EQ(empty.cy, withText.cy);
}

TEST_F(ControlsFixture, MultiLineLabelGrowsWithTheWrappedText) {
  auto* label = new CLabelUI;
  label->SetAttribute(L"multiline", L"true");
  label->SetTextPadding(RECT{2, 3, 2, 5});
  label->SetText(L"Melodrix converts audio files between many formats quickly");
  root_->Add(label);
  OffscreenCanvas canvas(10, 10);
  manager_.SetPaintDC(canvas.dc());
  Attach(RECT{0, 0, 400, 400});
  const int line = manager_.GetDefaultFontInfo()->metrics.tmHeight;
  const SIZE wide = label->MeasureSize(SIZE{2000, 400});
  EXPECT_EQ(2000, wide.cx);
  EXPECT_EQ(3 + 5 + line, wide.cy);
  // A narrower space is measured again, not taken from the cache.
  const SIZE narrow = label->MeasureSize(SIZE{80, 400});
  EXPECT_EQ(80, narrow.cx);
  EXPECT_GE(narrow.cy, 3 + 5 + 3 * line);
}

TEST_F(ControlsFixture, ButtonClicksOnlyWhenReleasedInside) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(40);
  root_->Add(button);
  Attach(RECT{0, 0, 100, 40});
  ASSERT_EQ(40, button->GetPos().bottom);

  // Press, drag out and back in, release inside: exactly one click.
  Send(button, UIEVENT_BUTTONDOWN, 10, 10);
  EXPECT_EQ(UISTATE_PUSHED | UISTATE_CAPTURED, button->GetButtonState());
  Send(button, UIEVENT_MOUSEMOVE, 200, 10);
  EXPECT_EQ(UISTATE_CAPTURED, button->GetButtonState());
  Send(button, UIEVENT_MOUSEMOVE, 20, 10);
  EXPECT_EQ(UISTATE_PUSHED | UISTATE_CAPTURED, button->GetButtonState());
  Send(button, UIEVENT_BUTTONUP, 20, 10);
  EXPECT_EQ(1, recorder_.Count(L"click"));
  EXPECT_EQ(0u, button->GetButtonState());

  // Released outside: none.
  Send(button, UIEVENT_BUTTONDOWN, 10, 10);
  Send(button, UIEVENT_BUTTONUP, 300, 10);
  EXPECT_EQ(1, recorder_.Count(L"click"));
  // A release without a press inside is not a click either.
  Send(button, UIEVENT_BUTTONDOWN, 300, 10);
  Send(button, UIEVENT_BUTTONUP, 10, 10);
  EXPECT_EQ(1, recorder_.Count(L"click"));

  // Space and Return click; other keys do not; a disabled button never clicks.
  Key(button, VK_SPACE);
  Key(button, VK_RETURN);
  Key(button, L'A');
  EXPECT_EQ(3, recorder_.Count(L"click"));
  button->SetKeyboardEnabled(false);
  Key(button, VK_SPACE);
  EXPECT_EQ(3, recorder_.Count(L"click"));
  button->SetKeyboardEnabled(true);
  button->SetEnabled(false);
  Send(button, UIEVENT_BUTTONDOWN, 10, 10);
  Send(button, UIEVENT_BUTTONUP, 10, 10);
  Key(button, VK_RETURN);
  EXPECT_EQ(3, recorder_.Count(L"click"));
  EXPECT_EQ(0u, button->GetBehaviourFlags());
  button->SetEnabled(true);
  EXPECT_EQ(static_cast<UINT>(UIFLAG_TABSTOP | UIFLAG_SETCURSOR), button->GetBehaviourFlags());
}

TEST_F(ControlsFixture, ButtonHoverSendsEnterAndLeaveOnce) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(40);
  root_->Add(button);
  Attach(RECT{0, 0, 100, 40});
  Send(button, UIEVENT_MOUSEENTER, 10, 10);
  Send(button, UIEVENT_MOUSEENTER, 11, 10);
  EXPECT_EQ(UISTATE_HOT, button->GetButtonState());
  Send(button, UIEVENT_MOUSELEAVE, 10, 10);  // still inside: stays hot
  EXPECT_EQ(UISTATE_HOT, button->GetButtonState());
  Send(button, UIEVENT_MOUSELEAVE, 150, 10);
  EXPECT_EQ(0u, button->GetButtonState());
  const std::vector<CUIString> expected = {L"mouseenter", L"mouseleave"};
  EXPECT_EQ(expected.size(), recorder_.notes.size());
  for (size_t i = 0; i < expected.size() && i < recorder_.notes.size(); ++i) {
    EXPECT_STREQ(expected[i].GetData(), recorder_.notes[i].type.GetData());
  }
}

TEST_F(ControlsFixture, ButtonFadeStepsTowardsTheHotImage) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(40);
  button->SetAttribute(L"fadedelta", L"100");
  root_->Add(button);
  Attach(RECT{0, 0, 100, 40});
  Send(button, UIEVENT_MOUSEENTER, 10, 10);
  UIEvent tick;
  tick.Type = UIEVENT_TIMER;
  tick.wParam = CButtonUI::kFadeTimerId;
  const BYTE whileHot[] = {155, 55, 0, 0};
  for (BYTE expected : whileHot) {
    button->DispatchEvent(tick);
    EXPECT_EQ(expected, button->GetFadeAlpha());
  }
  Send(button, UIEVENT_MOUSELEAVE, 150, 10);
  const BYTE afterLeave[] = {100, 200, 255, 255};
  for (BYTE expected : afterLeave) {
    button->DispatchEvent(tick);
    EXPECT_EQ(expected, button->GetFadeAlpha());
  }
  EXPECT_EQ(0, recorder_.Count(L"timer"));  // the fade timer is the button's own
}

TEST_F(ControlsFixture, ButtonPaintsTheImageOfItsState) {
  auto* button = new CButtonUI;
  button->SetNormalImage(ColourImage(0xFFFF0000));
  button->SetHotImage(ColourImage(0xFF00FF00));
  root_->Add(button);
  Attach(RECT{0, 0, 20, 10});
  OffscreenCanvas canvas(20, 10);

  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
  Send(button, UIEVENT_MOUSEENTER, 5, 5);
  PaintAll(canvas);
  EXPECT_EQ(kGreen, canvas.Rgb(5, 5));
  // Pushed without a pushed image falls back to the normal image.
  Send(button, UIEVENT_BUTTONDOWN, 5, 5);
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
  button->SetPushedImage(ColourImage(0xFF0000FF));
  PaintAll(canvas);
  EXPECT_EQ(kBlue, canvas.Rgb(5, 5));
  Send(button, UIEVENT_BUTTONUP, 5, 5);

  // Disabled: the disabled background colour, then the normal image over it
  // while no disabled image exists.
  button->SetEnabled(false);
  button->SetDisabledBkColor(0xFFFFFFFF);
  canvas.Fill(0xFF000000);
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
  button->SetNormalImage(L"");
  canvas.Fill(0xFF000000);
  PaintAll(canvas);
  EXPECT_EQ(kWhite, canvas.Rgb(5, 5));
  button->SetDisabledImage(ColourImage(0xFF0000FF));
  PaintAll(canvas);
  EXPECT_EQ(kBlue, canvas.Rgb(5, 5));
}

TEST_F(ControlsFixture, CheckBoxTogglesAndGroupedOptionsStaySelected) {
  auto* check = new CCheckBoxUI;
  auto* first = new COptionUI;
  auto* second = new COptionUI;
  first->SetGroup(L"mode");
  second->SetGroup(L"mode");
  auto* row = new CHorizontalLayoutUI;
  row->Add(first);
  row->Add(second);
  root_->Add(check);
  root_->Add(row);
  Attach(RECT{0, 0, 100, 60});
  const RECT checkRect = check->GetPos();

  auto click = [&](CControlUI* control) {
    const RECT& r = control->GetPos();
    Send(control, UIEVENT_BUTTONDOWN, r.left + 1, r.top + 1);
    Send(control, UIEVENT_BUTTONUP, r.left + 1, r.top + 1);
  };
  ASSERT_FALSE(::IsRectEmpty(&checkRect));
  click(check);
  EXPECT_TRUE(check->IsSelected());
  click(check);
  EXPECT_FALSE(check->IsSelected());
  std::vector<CUIString> types = recorder_.Types();
  const std::vector<CUIString> toggled = {L"click", L"selectchanged", L"click", L"selectchanged"};
  ASSERT_EQ(toggled.size(), types.size());
  for (size_t i = 0; i < types.size(); ++i) EXPECT_STREQ(toggled[i].GetData(), types[i].GetData());

  // Selecting one option of a group deselects the other silently.
  recorder_.notes.clear();
  first->Selected(true);
  click(second);
  EXPECT_FALSE(first->IsSelected());
  EXPECT_TRUE(second->IsSelected());
  ASSERT_EQ(3u, recorder_.notes.size());
  EXPECT_EQ(first, recorder_.notes[0].sender);
  EXPECT_STREQ(L"click", recorder_.notes[1].type.GetData());
  EXPECT_EQ(second, recorder_.notes[2].sender);
  EXPECT_STREQ(L"selectchanged", recorder_.notes[2].type.GetData());

  // Clicking the selected one keeps it selected and reports both again.
  recorder_.notes.clear();
  click(second);
  EXPECT_TRUE(second->IsSelected());
  EXPECT_FALSE(first->IsSelected());
  ASSERT_EQ(2u, recorder_.notes.size());
  EXPECT_STREQ(L"click", recorder_.notes[0].type.GetData());
  EXPECT_STREQ(L"selectchanged", recorder_.notes[1].type.GetData());

  // Selecting without notification tells nobody.
  recorder_.notes.clear();
  check->Selected(true, false);
  EXPECT_TRUE(check->IsSelected());
  EXPECT_TRUE(recorder_.notes.empty());
}

TEST_F(ControlsFixture, OptionPaintsSelectedImageOrColourAndIgnoresPushed) {
  auto* option = new COptionUI;
  option->SetNormalImage(ColourImage(0xFFFF0000));
  option->SetPushedImage(ColourImage(0xFF0000FF));
  root_->Add(option);
  Attach(RECT{0, 0, 20, 10});
  OffscreenCanvas canvas(20, 10);

  Send(option, UIEVENT_BUTTONDOWN, 5, 5);
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));  // an option never shows the pushed image
  Send(option, UIEVENT_BUTTONUP, 5, 5);
  ASSERT_TRUE(option->IsSelected());
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));  // selected without selected images: button painting
  option->SetSelectedBkColor(0xFF00FF00);
  PaintAll(canvas);
  EXPECT_EQ(kGreen, canvas.Rgb(5, 5));
  option->SetAttribute(L"selectedimage", ColourImage(0xFFFFFFFF));
  PaintAll(canvas);
  EXPECT_EQ(kWhite, canvas.Rgb(5, 5));
  option->SetAttribute(L"selected", L"false");
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
}

TEST_F(ControlsFixture, ProgressDrawsItsForegroundUpToTheValue) {
  auto* progress = new CProgressUI;
  progress->SetAttribute(L"foreimage", ColourImage(0xFF00FF00));
  progress->SetAttribute(L"isstretchfore", L"false");  // no such setting: only stored
  root_->Add(progress);
  Attach(RECT{0, 0, 410, 12});
  OffscreenCanvas canvas(410, 12);

  struct Case {
    const wchar_t* min;
    const wchar_t* max;
    const wchar_t* value;
    int filled;  // columns painted green from the left
  } cases[] = {
      {L"0", L"100", L"50", 205}, {L"0", L"100", L"150", 410}, {L"0", L"100", L"-5", 0},
      {L"0", L"100", L"0", 0},    {L"0", L"100", L"100", 410}, {L"50", L"50", L"60", 410},
      {L"10", L"20", L"15", 205},
  };
  for (const Case& c : cases) {
    progress->SetAttribute(L"min", c.min);
    progress->SetAttribute(L"max", c.max);
    progress->SetAttribute(L"value", c.value);
    canvas.Fill(0xFF000000);
    PaintAll(canvas);
    if (c.filled > 0) {
      EXPECT_EQ(kGreen, canvas.Rgb(c.filled - 1, 6)) << c.value;
    }
    if (c.filled < 410) {
      EXPECT_EQ(kBlack, canvas.Rgb(c.filled, 6)) << c.value;
    }
  }
  EXPECT_STREQ(L"false", progress->GetCustomAttribute(L"isstretchfore"));

  // Vertical bars fill from the bottom.
  progress->SetAttribute(L"hor", L"false");
  progress->SetMinValue(0);
  progress->SetMaxValue(4);
  progress->SetValue(1);
  canvas.Fill(0xFF000000);
  PaintAll(canvas);
  EXPECT_EQ(kBlack, canvas.Rgb(100, 8));
  EXPECT_EQ(kGreen, canvas.Rgb(100, 9));
}

TEST(ProgressArithmetic, FillOffsets) {
  struct Case {
    bool horizontal;
    int width, height, minimum, maximum, value;
    RECT expected;
  } cases[] = {
      {true, 410, 8, 0, 100, 50, {0, 0, 205, 8}},
      {true, 410, 8, 0, 100, 150, {0, 0, 410, 8}},
      {true, 410, 8, 0, 0, 0, {0, 0, 0, 8}},
      {false, 10, 100, 0, 100, 25, {0, 75, 10, 100}},
      {true, 2000, 8, 0, 2000000000, 1000000000, {0, 0, 1000, 8}},  // no overflow
  };
  for (const Case& c : cases) {
    const RECT got = ProgressFillOffset(c.horizontal, c.width, c.height, c.minimum, c.maximum, c.value);
    EXPECT_TRUE(::EqualRect(&got, &c.expected)) << c.value << ": " << got.left << "," << got.top << ","
                                                 << got.right << "," << got.bottom;
  }
}

TEST_F(ControlsFixture, EditShowsTipOrMaskedText) {
  auto* edit = new CEditUI;
  edit->SetAttribute(L"tipvalue", L"请选择安装目录");
  edit->SetAttribute(L"tipvaluecolor", L"#FF00FF00");
  edit->SetAttribute(L"textcolor", L"#FFFF0000");
  edit->SetAttribute(L"bkcolor", L"#FF000000");
  root_->Add(edit);
  OffscreenCanvas canvas(200, 30);
  manager_.SetPaintDC(canvas.dc());
  Attach(RECT{0, 0, 200, 30});

  auto colours = [&]() {
    std::vector<DWORD> found;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 200; ++x) {
        const DWORD c = canvas.Rgb(x, y);
        if (c != kBlack && std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
      }
    }
    return found;
  };
  EXPECT_STREQ(L"请选择安装目录", edit->GetShownText().GetData());
  PaintAll(canvas);
  std::vector<DWORD> drawn = colours();
  EXPECT_NE(drawn.end(), std::find(drawn.begin(), drawn.end(), kGreen));
  EXPECT_EQ(drawn.end(), std::find(drawn.begin(), drawn.end(), kRed));

  edit->SetText(L"D:\\Melodrix");
  canvas.Fill(0xFF000000);
  PaintAll(canvas);
  drawn = colours();
  EXPECT_NE(drawn.end(), std::find(drawn.begin(), drawn.end(), kRed));
  EXPECT_EQ(drawn.end(), std::find(drawn.begin(), drawn.end(), kGreen));

  edit->SetText(L"abc");
  edit->SetAttribute(L"password", L"true");
  EXPECT_STREQ(L"***", edit->GetShownText().GetData());
  edit->SetPasswordChar(L'●');
  EXPECT_STREQ(L"●●●", edit->GetShownText().GetData());

  edit->SetAttribute(L"maxchar", L"260");
  edit->SetAttribute(L"readonly", L"true");
  edit->SetAttribute(L"numberonly", L"true");
  edit->SetAttribute(L"autoselall", L"true");
  edit->SetAttribute(L"nativebkcolor", L"#FF202020");
  EXPECT_EQ(260, edit->GetMaxChar());
  EXPECT_TRUE(edit->IsReadOnly());
  EXPECT_TRUE(edit->IsNumberOnly());
  EXPECT_TRUE(edit->IsAutoSelectAll());
  EXPECT_EQ(0xFF202020u, edit->GetNativeBkColor());
  edit->SetAttribute(L"numberonly", L"false");
  EXPECT_FALSE(edit->IsNumberOnly());
  EXPECT_EQ(static_cast<UINT>(UIFLAG_TABSTOP | UIFLAG_SETCURSOR), edit->GetBehaviourFlags());
  edit->SetEnabled(false);
  EXPECT_EQ(0u, edit->GetBehaviourFlags());
}

// Whether any pixel of the canvas has this colour.
bool Shows(const OffscreenCanvas& canvas, int width, int height, DWORD rgb) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (canvas.Rgb(x, y) == rgb) return true;
    }
  }
  return false;
}

TEST_F(ControlsFixture, ButtonAndOptionTextColoursFollowTheState) {
  auto* button = new CButtonUI;
  button->SetFixedHeight(30);
  button->SetText(L"安装");
  button->SetAttribute(L"textcolor", L"#FFFF0000");
  button->SetAttribute(L"hottextcolor", L"#FF00FF00");
  button->SetAttribute(L"pushedtextcolor", L"#FF0000FF");
  auto* option = new COptionUI;
  option->SetFixedHeight(30);
  option->SetText(L"同意");
  option->SetAttribute(L"textcolor", L"#FFFF0000");
  option->SetAttribute(L"hottextcolor", L"#FF00FF00");
  option->SetAttribute(L"selectedtextcolor", L"#FFFFFFFF");
  root_->Add(button);
  root_->Add(option);
  OffscreenCanvas canvas(100, 60);
  manager_.SetPaintDC(canvas.dc());
  Attach(RECT{0, 0, 100, 60});

  struct Step {
    CControlUI* control;
    int event;  // 0: none
    DWORD expected;
  } steps[] = {
      {button, 0, kRed},
      {button, UIEVENT_MOUSEENTER, kGreen},
      {button, UIEVENT_BUTTONDOWN, kBlue},
      {option, UIEVENT_MOUSEENTER, kGreen},
      {option, UIEVENT_BUTTONDOWN, kGreen},  // options have no pushed text colour
      {option, UIEVENT_BUTTONUP, kWhite},    // selected: its own colour, hot or not
  };
  for (const Step& step : steps) {
    if (step.event != 0) {
      const RECT& r = step.control->GetPos();
      Send(step.control, step.event, r.left + 2, r.top + 2);
    }
    canvas.Fill(0xFF000000);
    const RECT& r = step.control->GetPos();
    step.control->Paint(canvas.dc(), r, nullptr);
    EXPECT_TRUE(Shows(canvas, 100, 60, step.expected)) << std::hex << step.expected;
  }
}

TEST_F(ControlsFixture, EditStateImages) {
  auto* edit = new CEditUI;
  edit->SetNormalImage(ColourImage(0xFFFF0000));
  edit->SetHotImage(ColourImage(0xFF00FF00));
  root_->Add(edit);
  Attach(RECT{0, 0, 20, 10});
  OffscreenCanvas canvas(20, 10);
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
  Send(edit, UIEVENT_MOUSEENTER, 5, 5);
  PaintAll(canvas);
  EXPECT_EQ(kGreen, canvas.Rgb(5, 5));
  edit->SetEnabled(false);  // no disabled image: the normal one
  PaintAll(canvas);
  EXPECT_EQ(kRed, canvas.Rgb(5, 5));
}
