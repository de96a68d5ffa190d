// Layouts to control trees: resources at the root, factory by tag, includes,
// covers and default attribute lists.
#include <gtest/gtest.h>

#include <string>

#include "SkinUI/builder/DialogBuilder.h"
#include "SkinUI/builder/WindowAttributes.h"
#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/layout/ContainerUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

CContainerUI* AsContainer(CControlUI* control) {
  return control != nullptr ? static_cast<CContainerUI*>(control->AsInterface(L"Container")) : nullptr;
}

// Owns what a build returns.
struct Built {
  CControlUI* root = nullptr;
  ~Built() {
    if (root != nullptr) root->Delete();
  }
};

TEST(DialogBuilderTest, MainLayoutRegistersSevenFontsAndReturnsTheLayout) {
  CUIPaintManager manager;
  const wchar_t* xml =
      L"<Window size=\"600,400\">"
      L"<Font id=\"0\" name=\"Tahoma\" size=\"13\" default=\"true\"/>"
      L"<Font id=\"1\" name=\"Tahoma\" size=\"14\" bold=\"TRUE\"/>"
      L"<Font id=\"2\" name=\"Arial\" size=\"15\"/>"
      L"<Font id=\"3\" name=\"Arial\" size=\"16\" underline=\"true\"/>"
      L"<Font id=\"4\" name=\"Arial\" size=\"17\" italic=\"true\"/>"
      L"<Font id=\"5\" name=\"Arial\" size=\"18\"/>"
      L"<Font id=\"6\" name=\"Arial\" size=\"19\"/>"
      L"<Font name=\"NoId\" size=\"20\"/>"
      L"<VerticalLayout name=\"main\"><Font id=\"9\" name=\"Arial\"/><Control name=\"inner\"/></VerticalLayout>"
      L"</Window>";
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(xml, nullptr, nullptr, &manager);
  ASSERT_NE(built.root, nullptr);
  EXPECT_STREQ(built.root->GetClass(), L"VerticalLayout");
  EXPECT_EQ(built.root->GetName(), L"main");
  ASSERT_NE(AsContainer(built.root), nullptr);
  EXPECT_EQ(AsContainer(built.root)->GetCount(), 1) << "the nested Font element creates nothing";
  for (int id = 0; id <= 6; ++id) {
    const FontInfo* info = manager.GetFontInfo(id);
    ASSERT_NE(info, nullptr) << id;
    EXPECT_EQ(info->size, 13 + id);
  }
  EXPECT_TRUE(manager.GetFontInfo(1)->bold) << "booleans ignore case";
  EXPECT_TRUE(manager.GetFontInfo(3)->underline);
  EXPECT_EQ(manager.GetFontInfo(9), nullptr) << "fonts below the root's children have no effect";
  EXPECT_EQ(manager.GetDefaultFontInfo()->faceName, L"Tahoma");
  EXPECT_EQ(manager.GetDefaultFontInfo()->size, 13);
  EXPECT_EQ(built.root->GetOwnerManager(), nullptr) << "nothing stays bound until the root is attached";
}

TEST(DialogBuilderTest, TagDefaultsComeBeforeTheElementsOwnAttributes) {
  CUIPaintManager manager;
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(
      L"<Window><Default name=\"Control\" value=\"bkcolor=&quot;#FF112233&quot; width=&quot;40&quot;\"/>"
      L"<HorizontalLayout><Control name=\"own\" bkcolor=\"#FF445566\"/><control name=\"lower\"/></HorizontalLayout>"
      L"</Window>",
      nullptr, nullptr, &manager);
  ASSERT_NE(built.root, nullptr);
  CContainerUI* box = AsContainer(built.root);
  ASSERT_EQ(box->GetCount(), 2);
  EXPECT_EQ(box->GetItemAt(0)->GetBkColor(), 0xFF445566u) << "the element's own colour wins";
  EXPECT_EQ(box->GetItemAt(0)->GetFixedWidth(), 40) << "the default list still applies";
  EXPECT_STREQ(box->GetItemAt(1)->GetClass(), L"Control") << "lower-case tags create the class";
  EXPECT_EQ(box->GetItemAt(1)->GetFixedWidth(), 0) << "defaults go by the tag exactly as written";
}

TEST(DialogBuilderTest, ButtonDefaultsYieldToTheButtonsOwnTextColor) {
  CUIPaintManager manager;
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(
      L"<Window><Default name=\"Button\" value=\"textcolor=&quot;#FF010101&quot; height=&quot;30&quot;\"/>"
      L"<VerticalLayout><Button name=\"own\" textcolor=\"#FF0000FF\"/><button name=\"plain\"/></VerticalLayout>"
      L"</Window>",
      nullptr, nullptr, &manager);
  ASSERT_NE(built.root, nullptr);
  CContainerUI* box = AsContainer(built.root);
  ASSERT_EQ(box->GetCount(), 2);
  auto* own = static_cast<CButtonUI*>(box->GetItemAt(0));
  auto* plain = static_cast<CButtonUI*>(box->GetItemAt(1));
  ASSERT_STREQ(own->GetClass(), L"Button");
  EXPECT_EQ(own->GetTextColor(), 0xFF0000FFu);
  EXPECT_EQ(own->GetFixedHeight(), 30);
  ASSERT_STREQ(plain->GetClass(), L"Button");
  EXPECT_EQ(plain->GetFixedHeight(), 0) << "\"button\" is not the tag \"Button\" of the default list";
}

TEST(DialogBuilderTest, FactoryMatchesTagsIgnoringCase) {
  const struct {
    const wchar_t* tag;
    const wchar_t* cls;
  } cases[] = {
      {L"Control", L"Control"},          {L"container", L"Container"},
      {L"VERTICALLAYOUT", L"VerticalLayout"}, {L"VBox", L"VerticalLayout"},
      {L"hbox", L"HorizontalLayout"},    {L"TabLayout", L"TabLayout"},
      {L"label", L"Label"},              {L"Button", L"Button"},
      {L"option", L"Option"},            {L"CHECKBOX", L"CheckBox"},
      {L"Progress", L"Progress"},        {L"edit", L"Edit"},
      {L"SequenceLabel", nullptr},       {L"SequenceButton", nullptr},  // the window's callback makes these
      {L"Controls", nullptr},            {L"Contro", nullptr},
  };
  for (const auto& c : cases) {
    CControlUI* control = CreateBuiltinControl(c.tag);
    if (c.cls == nullptr) {
      EXPECT_EQ(control, nullptr) << std::wstring(c.tag);
    } else {
      ASSERT_NE(control, nullptr) << std::wstring(c.tag);
      EXPECT_STREQ(control->GetClass(), c.cls);
      control->Delete();
    }
  }
}

class MarkerCallback : public IDialogBuilderCallback {
 public:
  int asked = 0;
  CControlUI* CreateControl(const wchar_t* tag) override {
    ++asked;
    if (_wcsicmp(tag, L"Marker") != 0) return nullptr;
    auto* control = new CControlUI;
    control->SetUserData(L"marker");
    return control;
  }
};

TEST(DialogBuilderTest, CallbackCreatesUnknownTagsAndOthersAreSkippedWithTheirSubtree) {
  MarkerCallback callback;
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(
      L"<Window><VerticalLayout><marker/><Unknown><Control name=\"lost\"/></Unknown><Control/></VerticalLayout>"
      L"</Window>",
      nullptr, &callback);
  ASSERT_NE(built.root, nullptr);
  CContainerUI* box = AsContainer(built.root);
  ASSERT_EQ(box->GetCount(), 2);
  EXPECT_EQ(box->GetItemAt(0)->GetUserData(), L"marker");
  EXPECT_NE(box->GetItemAt(1)->GetName(), L"lost");
  EXPECT_EQ(callback.asked, 2) << "only tags without a built-in class reach the callback";
}

TEST(DialogBuilderTest, IncludeWithCountAddsItsControlsInOrder) {
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(
      L"<Window><VerticalLayout><Control name=\"before\"/>"
      L"<Include count=\"3\" source=\"&lt;Window&gt;&lt;Control name=&quot;a&quot;/&gt;"
      L"&lt;Control name=&quot;b&quot;/&gt;&lt;/Window&gt;\"/>"
      L"<Include count=\"0\" source=\"&lt;Window&gt;&lt;Control/&gt;&lt;/Window&gt;\"/>"
      L"<Control name=\"after\"/></VerticalLayout></Window>");
  ASSERT_NE(built.root, nullptr);
  CContainerUI* box = AsContainer(built.root);
  std::wstring names;
  for (int i = 0; i < box->GetCount(); ++i) names += std::wstring(box->GetItemAt(i)->GetName()) + L" ";
  EXPECT_EQ(names, L"before a b a b a b after ");
}

TEST(DialogBuilderTest, CoverIsNotAnItemAndASecondTopLevelControlIsNotReturned) {
  CDialogBuilder builder;
  Built built;
  built.root = builder.Create(
      L"<Window><HorizontalLayout name=\"first\"><Control name=\"item\"/>"
      L"<Control name=\"veil\" cover=\"true\"/><Control name=\"notcover\" cover=\"True\"/></HorizontalLayout>"
      L"<VerticalLayout name=\"second\"/></Window>");
  ASSERT_NE(built.root, nullptr);
  EXPECT_EQ(built.root->GetName(), L"first");
  ASSERT_NE(built.root->GetCover(), nullptr);
  EXPECT_EQ(built.root->GetCover()->GetName(), L"veil");
  CContainerUI* box = AsContainer(built.root);
  ASSERT_EQ(box->GetCount(), 2) << "cover must be exactly \"true\"";
  EXPECT_EQ(box->GetItemAt(1)->GetName(), L"notcover");
}

TEST(DialogBuilderTest, UnreadableLayoutsAndNonContainerParentsGiveNull) {
  const wchar_t* cases[] = {
      L"<Window><VerticalLayout>",                                    // malformed
      L"<Window><Control><Control name=\"child\"/></Control></Window>",  // parent is no container
      L"<Window><VerticalLayout><Control><Control/></Control></VerticalLayout></Window>",
      L"no-such-layout.xml",
  };
  for (const wchar_t* xml : cases) {
    CDialogBuilder builder;
    EXPECT_EQ(builder.Create(xml), nullptr) << std::wstring(xml);
  }
  CDialogBuilder empty;
  EXPECT_EQ(empty.Create(L"<Window/>"), nullptr);
}

TEST(DialogBuilderTest, WindowAttributesGoToTheManagerAndUnknownOnesAreKept) {
  CUIPaintManager manager;
  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } attributes[] = {
      {L"Caption", L"0,0,0,35"},          {L"sizebox", L"4,5,6,7"},       {L"roundcorner", L"2,2"},
      {L"mininfo", L"300,200"},           {L"maxinfo", L"900,700"},       {L"noactivate", L"true"},
      {L"defaultfontcolor", L"#FF102030"}, {L"showshadow", L"true"},      {L"NoActivate", L"true"},
  };
  for (const auto& a : attributes) ApplyWindowAttribute(manager, a.name, a.value);
  EXPECT_EQ(manager.GetCaptionRect().bottom, 35);
  EXPECT_EQ(manager.GetSizeBox().left, 4);
  EXPECT_EQ(manager.GetSizeBox().bottom, 7);
  EXPECT_EQ(manager.GetRoundCorner().cx, 2);
  EXPECT_EQ(manager.GetMinInfo().cy, 200);
  EXPECT_EQ(manager.GetMaxInfo().cx, 900);
  EXPECT_TRUE(manager.IsNoActivate());
  EXPECT_EQ(manager.GetDefaultFontColor(), 0xFF102030u);
  ASSERT_NE(manager.GetWindowCustomAttribute(L"showshadow"), nullptr);
  EXPECT_STREQ(manager.GetWindowCustomAttribute(L"showshadow"), L"true");
  EXPECT_NE(manager.GetWindowCustomAttribute(L"NoActivate"), nullptr)
      << "noactivate matches exactly; other spellings are custom attributes";
}

}  // namespace
}  // namespace SkinUI
