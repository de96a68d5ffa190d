#include <gtest/gtest.h>

#include <vector>

#include "SkinUI/layout/HorizontalLayoutUI.h"
#include "SkinUI/layout/TabLayoutUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "SkinUI/manager/UIPaintManager.h"

using namespace SkinUI;

namespace {

// Keeps the "tabselect" notifications.
struct Recorder : INotifyUI {
  std::vector<NotifyMsg> messages;
  void Notify(NotifyMsg& msg) override {
    if (msg.sType == L"tabselect") messages.push_back(msg);
  }
};

// Builds children from attribute lists; the container owns them.
std::vector<CControlUI*> AddChildren(CContainerUI* parent, std::initializer_list<const wchar_t*> lists) {
  std::vector<CControlUI*> children;
  for (const wchar_t* list : lists) {
    CControlUI* child = new CControlUI;
    child->SetAttributeList(list);
    parent->Add(child);
    children.push_back(child);
  }
  return children;
}

::testing::AssertionResult HasRect(CControlUI* control, RECT expected) {
  const RECT& actual = control->GetPos();
  if (::EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.left << "," << actual.top << "," << actual.right << ","
                                       << actual.bottom << ") instead of (" << expected.left << "," << expected.top
                                       << "," << expected.right << "," << expected.bottom << ")";
}

}  // namespace

TEST(VerticalLayout, FixedAndStretchyHeights) {
  struct Case {
    const char* label;
    const wchar_t* layout;
    std::initializer_list<const wchar_t*> children;
    RECT box;
    std::vector<RECT> expected;
  } cases[] = {
      {"fixed then stretchy", L"", {L"height=\"45\"", L""}, {0, 0, 600, 400}, {{0, 0, 600, 45}, {0, 45, 600, 400}}},
      {"child padding", L"childpadding=\"10\"", {L"height=\"45\"", L""}, {0, 0, 600, 400},
       {{0, 0, 600, 45}, {0, 55, 600, 400}}},
      {"three shares", L"", {L"", L"", L""}, {0, 0, 50, 100}, {{0, 0, 50, 33}, {0, 33, 50, 66}, {0, 66, 50, 100}}},
      {"negative share", L"", {L"height=\"80\"", L"minheight=\"5\"", L"height=\"80\""}, {0, 0, 50, 100},
       {{0, 0, 50, 80}, {0, 80, 50, 85}, {0, 85, 50, 165}}},
      {"inset and padding", L"inset=\"5,6,7,8\"", {L"padding=\"1,2,3,4\" height=\"10\"", L"padding=\"2,0,0,0\""},
       {10, 10, 110, 110}, {{16, 18, 100, 28}, {17, 32, 103, 102}}},
      {"max and min", L"", {L"maxheight=\"20\"", L"minheight=\"30\" height=\"10\"", L"width=\"30\""},
       {0, 0, 100, 100}, {{0, 0, 100, 20}, {0, 20, 100, 50}, {0, 50, 30, 100}}},
      {"centre", L"childalign=\"center\"", {L"width=\"40\" height=\"10\""}, {0, 0, 101, 50}, {{30, 0, 70, 10}}},
      {"right", L"childalign=\"right\"", {L"width=\"40\" height=\"10\" padding=\"0,0,5,0\""}, {0, 0, 100, 50},
       {{55, 0, 95, 10}}},
  };
  for (const Case& c : cases) {
    CVerticalLayoutUI layout;
    layout.SetAttributeList(c.layout);
    std::vector<CControlUI*> children = AddChildren(&layout, c.children);
    layout.Place(c.box);
    for (size_t i = 0; i < children.size(); ++i) EXPECT_TRUE(HasRect(children[i], c.expected[i])) << c.label << " #" << i;
  }
}

TEST(HorizontalLayout, FillersCentreAFixedChild) {
  CHorizontalLayoutUI layout;
  std::vector<CControlUI*> children = AddChildren(&layout, {L"", L"width=\"370\"", L""});
  layout.Place(RECT{1, 0, 599, 50});
  EXPECT_TRUE(HasRect(children[0], {1, 0, 115, 50}));
  EXPECT_TRUE(HasRect(children[1], {115, 0, 485, 50}));
  EXPECT_TRUE(HasRect(children[2], {485, 0, 599, 50}));
}

TEST(HorizontalLayout, VerticalPlacementAndPadding) {
  struct Case {
    const char* label;
    const wchar_t* layout;
    const wchar_t* child;
    RECT expected;
  } cases[] = {
      {"top padding", L"", L"padding=\"0,5,0,0\" height=\"40\" width=\"10\"", {0, 5, 10, 45}},
      {"vcenter", L"childvalign=\"vcenter\"", L"height=\"20\" width=\"10\"", {0, 15, 10, 35}},
      {"bottom", L"childvalign=\"bottom\"", L"height=\"20\" width=\"10\" padding=\"0,0,0,3\"", {0, 27, 10, 47}},
      {"unknown align keeps top", L"childvalign=\"middle\"", L"height=\"20\" width=\"10\"", {0, 0, 10, 20}},
      {"no height fills", L"inset=\"0,4,0,6\"", L"width=\"10\"", {0, 4, 10, 44}},
  };
  for (const Case& c : cases) {
    CHorizontalLayoutUI layout;
    layout.SetAttributeList(c.layout);
    CControlUI* child = AddChildren(&layout, {c.child})[0];
    layout.Place(RECT{0, 0, 100, 50});
    EXPECT_TRUE(HasRect(child, c.expected)) << c.label;
  }

  CHorizontalLayoutUI padded;
  padded.SetChildPadding(-5);
  EXPECT_EQ(0, padded.GetChildPadding());
  padded.SetAttribute(L"childpadding", L"6");
  std::vector<CControlUI*> children = AddChildren(&padded, {L"width=\"20\"", L"", L""});
  padded.Place(RECT{0, 0, 100, 10});
  EXPECT_TRUE(HasRect(children[0], {0, 0, 20, 10}));
  EXPECT_TRUE(HasRect(children[1], {26, 0, 60, 10}));
  EXPECT_TRUE(HasRect(children[2], {66, 0, 100, 10}));
}

TEST(Layouts, NestedAndFloating) {
  CUIPaintManager manager;
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  CHorizontalLayoutUI* title = new CHorizontalLayoutUI;
  title->SetAttributeList(L"height=\"35\" inset=\"10,0,10,0\"");
  root->Add(title);
  std::vector<CControlUI*> buttons = AddChildren(title, {L"", L"width=\"20\" height=\"20\"", L"width=\"20\" height=\"20\""});
  CVerticalLayoutUI* body = new CVerticalLayoutUI;
  root->Add(body);
  CControlUI* badge = new CControlUI;
  badge->SetAttributeList(L"float=\"0.5,0,0.5,0\" pos=\"-10,4,-10,14\" width=\"20\"");
  body->Add(badge);
  manager.AttachRoot(root);

  root->Place(RECT{0, 0, 600, 400});
  EXPECT_TRUE(HasRect(title, {0, 0, 600, 35}));
  EXPECT_TRUE(HasRect(buttons[0], {10, 0, 550, 35}));
  EXPECT_TRUE(HasRect(buttons[1], {550, 0, 570, 20}));
  EXPECT_TRUE(HasRect(buttons[2], {570, 0, 590, 20}));
  EXPECT_TRUE(HasRect(body, {0, 35, 600, 400}));
  EXPECT_TRUE(HasRect(badge, {290, 39, 310, 49}));  // centred at 300

  root->Place(RECT{0, 0, 400, 300});
  EXPECT_TRUE(HasRect(badge, {190, 39, 210, 49}));  // still centred after the resize
  EXPECT_EQ(20, badge->GetFixedWidth());

  // Hit testing: topmost child first, the container where no child is.
  root->Place(RECT{0, 0, 600, 400});
  EXPECT_EQ(buttons[2], manager.FindControl(POINT{575, 5}));
  EXPECT_EQ(title, manager.FindControl(POINT{575, 25}));  // below the 20-pixel button
  root->Place(RECT{0, 0, 400, 300});
  EXPECT_EQ(badge, manager.FindControl(POINT{200, 45}));
  EXPECT_EQ(body, manager.FindControl(POINT{50, 200}));
  body->SetMouseChildEnabled(false);
  EXPECT_EQ(body, manager.FindControl(POINT{200, 45}));
  badge->SetVisible(false);
  body->SetMouseChildEnabled(true);
  EXPECT_EQ(body, manager.FindControl(POINT{200, 45}));
}

TEST(TabLayout, PagesAndSelection) {
  CUIPaintManager manager;
  Recorder recorder;
  manager.AddNotifier(&recorder);
  CTabLayoutUI* tabs = new CTabLayoutUI;
  tabs->SetAttribute(L"inset", L"2,2,2,2");
  std::vector<CControlUI*> pages = AddChildren(tabs, {L"name=\"quick\"", L"name=\"custom\"", L"name=\"progress\" padding=\"1,1,1,1\" maxheight=\"50\""});
  manager.AttachRoot(tabs);
  EXPECT_EQ(0, tabs->GetCurSel());
  EXPECT_TRUE(pages[0]->IsVisible());
  EXPECT_FALSE(pages[1]->IsVisible());
  EXPECT_FALSE(pages[2]->IsVisible());

  tabs->Place(RECT{0, 0, 600, 400});
  EXPECT_TRUE(HasRect(pages[0], {2, 2, 598, 398}));

  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_TRUE(pages[2]->IsVisible());
  EXPECT_FALSE(pages[0]->IsVisible());
  ASSERT_EQ(1u, recorder.messages.size());
  EXPECT_STREQ(L"tabselect", recorder.messages.back().sType.GetData());
  EXPECT_EQ(2u, recorder.messages.back().wParam);
  EXPECT_EQ(0, recorder.messages.back().lParam);
  tabs->Place(RECT{0, 0, 600, 400});
  EXPECT_TRUE(HasRect(pages[2], {3, 3, 597, 53}));

  EXPECT_TRUE(tabs->SelectItem(2));  // the current page again: no notification
  EXPECT_EQ(1u, recorder.messages.size());
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_FALSE(tabs->SelectItem(-1));

  tabs->SetDelayedDestroy(false);
  EXPECT_TRUE(tabs->Remove(pages[2]));  // removing the selected page selects page 0
  EXPECT_EQ(0, tabs->GetCurSel());
  EXPECT_TRUE(pages[0]->IsVisible());

  CControlUI* inserted = new CControlUI;
  EXPECT_TRUE(tabs->AddAt(inserted, 0));  // before the selection: it moves up
  EXPECT_EQ(1, tabs->GetCurSel());
  EXPECT_EQ(pages[0], tabs->GetItemAt(tabs->GetCurSel()));
  tabs->RemoveAll();
  EXPECT_EQ(-1, tabs->GetCurSel());
  EXPECT_EQ(0, tabs->GetCount());
}

TEST(Container, ChildManagement) {
  CUIPaintManager manager;
  CVerticalLayoutUI* root = new CVerticalLayoutUI;
  manager.AttachRoot(root);
  std::vector<CControlUI*> children = AddChildren(root, {L"name=\"a\"", L"name=\"b\"", L"name=\"c\""});
  EXPECT_FALSE(root->Add(nullptr));
  CControlUI stray;
  EXPECT_FALSE(root->AddAt(&stray, 5));
  EXPECT_EQ(children[1], manager.FindControl(L"b"));
  EXPECT_EQ(root, children[1]->GetParent());
  EXPECT_TRUE(root->SetItemIndex(children[0], 2));
  EXPECT_EQ(children[0], root->GetItemAt(2));
  EXPECT_FALSE(root->SetItemIndex(children[0], 7));
  EXPECT_EQ(children[0], root->GetItemAt(2));
  EXPECT_TRUE(root->MoveItems(children[1], 2, 1));
  EXPECT_EQ(children[1], root->GetItemAt(1));
  EXPECT_EQ(children[2], root->GetItemAt(2));
  EXPECT_FALSE(root->MoveItems(children[1], 3, 0));
  EXPECT_EQ(nullptr, root->GetItemAt(3));
  EXPECT_EQ(-1, root->GetItemIndex(root));

  // Removal with delayed destroy: deleted when the manager cleans up.
  int destroyed = 0;
  children[1]->OnDestroy += [&](CControlUI*) { return ++destroyed > 0; };
  EXPECT_TRUE(root->Remove(children[1]));
  EXPECT_EQ(0, destroyed);
  manager.DrainNotifyQueue();
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(nullptr, manager.FindControl(L"b"));
  EXPECT_TRUE(root->Remove(children[2], true));  // kept: the caller owns it now
  delete children[2];
  EXPECT_FALSE(root->RemoveAt(4));
  EXPECT_NE(nullptr, root->AsInterface(L"IContainer"));
  EXPECT_NE(nullptr, root->AsInterface(L"VerticalLayout"));
  EXPECT_EQ(nullptr, root->AsInterface(L"verticallayout"));
}
