#include <gtest/gtest.h>

#include <vector>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "tests/skinui/OffscreenCanvas.h"

using namespace SkinUI;
using SkinUITest::OffscreenCanvas;

namespace {

struct Recorder : INotifyUI {
  std::vector<CUIString> types;
  void Notify(NotifyMsg& msg) override { types.push_back(msg.sType); }
};

// A control that takes the keyboard focus with Tab.
class CTabStopUI : public CControlUI {
 public:
  UINT GetControlFlags() const override { return UIFLAG_TABSTOP; }
};

}  // namespace

TEST(ControlAttributes, GeometryAndState) {
  CControlUI control;
  control.SetAttribute(L"pos", L"0,0,46,18");
  EXPECT_EQ(46, control.GetFixedWidth());
  EXPECT_EQ(18, control.GetFixedHeight());
  EXPECT_EQ(0, control.GetFixedXY().cx);
  control.SetAttribute(L"width", L"50");
  EXPECT_EQ(50, control.GetFixedWidth());
  control.SetAttribute(L"pos", L"10,20,30");  // missing numbers become 0
  EXPECT_EQ(10, control.GetFixedXY().cx);
  EXPECT_EQ(20, control.GetFixedXY().cy);
  EXPECT_EQ(18, control.GetFixedHeight());  // 0 - 20 is negative and ignored

  control.SetAttribute(L"padding", L"1,2,3,4");
  EXPECT_EQ(4, control.GetPadding().bottom);

  control.SetAttribute(L"minwidth", L"40");
  control.SetAttribute(L"maxwidth", L"30");
  EXPECT_EQ(40, control.GetMaxWidth());  // never below the minimum

  struct BorderCase {
    const wchar_t* value;
    RECT expected;
  } borders[] = {{L"1", {1, 1, 1, 1}}, {L"1,2,3,4", {1, 2, 3, 4}}, {L"2,0", {2, 0, 0, 0}}};
  for (const BorderCase& c : borders) {
    control.SetAttribute(L"bordersize", c.value);
    const RECT size = control.GetBorderSize();
    EXPECT_TRUE(::EqualRect(&size, &c.expected)) << c.value;
  }

  struct BoolCase {
    const wchar_t* value;
    bool expected;
  } bools[] = {{L"true", true}, {L"True", false}, {L"TRUE", false}, {L"1", false}, {L"false", false}};
  for (const BoolCase& c : bools) {
    control.SetAttribute(L"visible", L"true");
    control.SetAttribute(L"visible", c.value);
    EXPECT_EQ(c.expected, control.IsVisible()) << c.value;
    control.SetAttribute(L"enabled", c.value);
    EXPECT_EQ(c.expected, control.IsEnabled()) << c.value;
  }

  control.SetAttribute(L"float", L"0.5,0,0.25,1");
  EXPECT_TRUE(control.IsFloat());
  EXPECT_DOUBLE_EQ(0.5, control.GetFloatPercent().left);
  EXPECT_DOUBLE_EQ(0.25, control.GetFloatPercent().right);
  EXPECT_DOUBLE_EQ(1.0, control.GetFloatPercent().bottom);
  control.SetAttribute(L"float", L"false");
  EXPECT_FALSE(control.IsFloat());

  control.SetAttribute(L"bkcolor", L"  #80FF0000");
  EXPECT_EQ(0x80FF0000u, control.GetBkColor());
  control.SetAttribute(L"bordercolor", L"#FF00FF00");
  EXPECT_EQ(0xFF00FF00u, control.GetBorderColor());
  control.SetAttribute(L"tooltip", L"第一行<n>第二行");
  EXPECT_STREQ(L"第一行\r\n第二行", control.GetToolTip().GetData());
  control.SetAttribute(L"shortcut", L"Sx");
  EXPECT_EQ(L'S', control.GetShortcut());
  control.SetAttribute(L"tag", L"42");
  EXPECT_EQ(42u, control.GetTag());
}

TEST(ControlAttributes, CustomAttributesAndLists) {
  CControlUI control;
  control.SetAttribute(L"showshadow", L"true");
  control.SetAttribute(L"showshadow", L"false");  // the first value stays
  control.SetAttribute(L"empty", L"");
  EXPECT_STREQ(L"true", control.GetCustomAttribute(L"showshadow"));
  EXPECT_EQ(nullptr, control.GetCustomAttribute(L"empty"));

  control.SetAttributeList(L"name=\"okbtn\" text=\"确定\" width=\"80\"");
  EXPECT_STREQ(L"okbtn", control.GetName().GetData());
  EXPECT_STREQ(L"确定", control.GetText().GetData());
  EXPECT_EQ(80, control.GetFixedWidth());

  CControlUI other;
  other.SetAttributeList(L"name=\"a\"  text=\"b\"");  // two blanks stop after the first pair
  EXPECT_STREQ(L"a", other.GetName().GetData());
  EXPECT_TRUE(other.GetText().IsEmpty());
  other.SetAttributeList(L"text='single'");
  EXPECT_TRUE(other.GetText().IsEmpty());
}

TEST(ControlInvalidation, SameTextInvalidatesOnce) {
  CUIPaintManager manager;
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CControlUI* child = new CControlUI;
  root->Add(child);
  manager.AttachRoot(root);
  root->Place(RECT{0, 0, 100, 100});
  manager.ClearInvalidRect();
  child->SetText(L"下一步");
  EXPECT_FALSE(::IsRectEmpty(&manager.GetInvalidRect()));
  manager.ClearInvalidRect();
  child->SetText(L"下一步");
  EXPECT_TRUE(::IsRectEmpty(&manager.GetInvalidRect()));
}

TEST(ControlFocus, HidingTheFocusedControlClearsTheFocus) {
  CUIPaintManager manager;
  Recorder recorder;
  manager.AddNotifier(&recorder);
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CVerticalLayoutUI* page = new CVerticalLayoutUI;
  CControlUI* first = new CTabStopUI;
  CControlUI* second = new CTabStopUI;
  root->Add(page);
  page->Add(first);
  page->Add(second);
  manager.AttachRoot(root);

  first->SetFocus();
  EXPECT_EQ(first, manager.GetFocus());
  EXPECT_TRUE(first->IsFocused());
  first->SetVisible(false);
  EXPECT_EQ(nullptr, manager.GetFocus());
  EXPECT_FALSE(first->IsFocused());
  EXPECT_STREQ(L"killfocus", recorder.types.back().GetData());

  // Hidden by its parent.
  second->SetFocus();
  EXPECT_EQ(second, manager.GetFocus());
  page->SetVisible(false);
  EXPECT_EQ(nullptr, manager.GetFocus());
  EXPECT_FALSE(second->IsVisible());

  // A hidden control cannot take the focus.
  second->SetFocus();
  EXPECT_EQ(nullptr, manager.GetFocus());
}

TEST(ControlFocus, TabMovesAcrossTabStopsAndWraps) {
  CUIPaintManager manager;
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CControlUI* a = new CTabStopUI;
  CControlUI* plain = new CControlUI;
  CControlUI* b = new CTabStopUI;
  root->Add(a);
  root->Add(plain);
  root->Add(b);
  manager.AttachRoot(root);
  manager.SetLayoutNeeded(false);
  manager.MoveFocusToNextTab();
  EXPECT_EQ(a, manager.GetFocus());
  manager.MoveFocusToNextTab();
  EXPECT_EQ(b, manager.GetFocus());
  manager.MoveFocusToNextTab();
  EXPECT_EQ(a, manager.GetFocus());
  manager.MoveFocusToNextTab(false);
  EXPECT_EQ(b, manager.GetFocus());
}

TEST(ControlEvents, CallbacksAndNotifications) {
  CUIPaintManager manager;
  Recorder recorder;
  manager.AddNotifier(&recorder);
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CControlUI* child = new CControlUI;
  int initialised = 0, destroyed = 0;
  child->OnInit += [&](CControlUI*) { return ++initialised > 0; };
  child->OnDestroy += [&](CControlUI*) { return ++destroyed > 0; };
  bool letThrough = false;
  child->OnEvent += [&](UIEvent*) { return letThrough; };
  root->Add(child);
  manager.AttachRoot(root);
  EXPECT_EQ(1, initialised);

  UIEvent timer;
  timer.Type = UIEVENT_TIMER;
  timer.wParam = 7;
  child->DispatchEvent(timer);  // the event callback says no
  EXPECT_TRUE(recorder.types.empty());
  letThrough = true;
  child->DispatchEvent(timer);
  ASSERT_EQ(1u, recorder.types.size());
  EXPECT_STREQ(L"timer", recorder.types[0].GetData());

  UIEvent menu;
  menu.Type = UIEVENT_CONTEXTMENU;
  child->SetContextMenuUsed(true);
  child->DispatchEvent(menu);
  EXPECT_STREQ(L"menu", recorder.types.back().GetData());

  child->SetName(L"filler");
  EXPECT_EQ(child, manager.FindControl(L"filler"));
  child->SetName(L"spacer");
  EXPECT_EQ(nullptr, manager.FindControl(L"filler"));
  EXPECT_EQ(child, manager.FindControl(L"spacer"));
  root->SetDelayedDestroy(false);
  root->Remove(child);
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(nullptr, manager.FindControl(L"spacer"));
}

TEST(ControlPaint, BackgroundAndBorder) {
  CUIPaintManager manager;
  OffscreenCanvas canvas(40, 40);
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CControlUI* box = new CControlUI;
  root->Add(box);
  manager.AttachRoot(root);
  box->SetAttribute(L"height", L"20");
  box->SetAttribute(L"bordersize", L"1");
  root->Place(RECT{0, 0, 40, 40});
  const RECT all = {0, 0, 40, 40};

  // No border colour: nothing.
  root->Paint(canvas.dc(), all, nullptr);
  EXPECT_EQ(0u, canvas.Rgb(0, 0));

  box->SetAttribute(L"bordercolor", L"#FFFF0000");
  root->Paint(canvas.dc(), all, nullptr);
  EXPECT_EQ(0xFF0000u, canvas.Rgb(0, 0));
  EXPECT_EQ(0xFF0000u, canvas.Rgb(39, 19));
  EXPECT_EQ(0u, canvas.Rgb(5, 5));
  EXPECT_EQ(0u, canvas.Rgb(5, 20));

  canvas.Fill(0xFF000000);
  box->SetAttribute(L"bordersize", L"0");
  box->SetAttribute(L"bkcolor", L"#00000000");
  root->Paint(canvas.dc(), all, nullptr);
  EXPECT_EQ(0u, canvas.Rgb(5, 5));

  // A translucent colour fills the whole item even when only a part is dirty.
  box->SetAttribute(L"bkcolor", L"#80FFFFFF");
  box->PaintBackColor(canvas.dc());
  EXPECT_NEAR(0x80, static_cast<int>(canvas.Rgb(39, 19) & 0xFF), 2);
  EXPECT_EQ(0u, canvas.Rgb(39, 20));

  // An opaque one only the dirty part.
  canvas.Fill(0xFF000000);
  box->SetAttribute(L"bkcolor", L"#FF0000FF");
  const RECT dirty = {0, 0, 10, 10};
  root->Paint(canvas.dc(), dirty, nullptr);
  EXPECT_EQ(0x0000FFu, canvas.Rgb(9, 9));
  EXPECT_EQ(0u, canvas.Rgb(10, 10));

  // Gradient of two colours.
  box->SetAttribute(L"bkcolor2", L"#FFFF0000");
  root->Paint(canvas.dc(), all, nullptr);
  EXPECT_GT(canvas.Rgb(20, 0) & 0xFF, 0xC0u);
  EXPECT_GT((canvas.Rgb(20, 19) >> 16) & 0xFF, 0xC0u);
}

TEST(ControlPaint, StopControlEndsPainting) {
  CUIPaintManager manager;
  OffscreenCanvas canvas(20, 20);
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CControlUI* first = new CControlUI;
  CControlUI* second = new CControlUI;
  first->SetBkColor(0xFFFF0000);
  second->SetBkColor(0xFF00FF00);
  root->Add(first);
  root->Add(second);
  manager.AttachRoot(root);
  root->Place(RECT{0, 0, 20, 20});
  EXPECT_FALSE(root->Paint(canvas.dc(), RECT{0, 0, 20, 20}, second));
  EXPECT_EQ(0xFF0000u, canvas.Rgb(0, 0));
  EXPECT_EQ(0u, canvas.Rgb(0, 15));
}
