#include <gtest/gtest.h>

#include <map>
#include <string>

#include "SkinUI/window/ShadowAttributes.h"
#include "SkinUI/window/WndShadow.h"

namespace {

TEST(ShadowSettingsTest, NewShadowHoldsTheDefaults) {
  CWndShadow shadow;
  const SkinUI::ShadowSettings& s = shadow.Settings();
  EXPECT_EQ(s.darkness, 150);
  EXPECT_EQ(s.sharpness, 5);
  EXPECT_EQ(s.size, 0);
  EXPECT_EQ(s.xOffset, 5);
  EXPECT_EQ(s.yOffset, 5);
  EXPECT_EQ(s.colour, 0u);
  EXPECT_EQ(shadow.GetStatus(), 0);
}

TEST(ShadowSettingsTest, OutOfRangeValuesAreRefusedAndKeepTheOldValue) {
  CWndShadow shadow;
  EXPECT_FALSE(shadow.ChangeSize(21));
  EXPECT_FALSE(shadow.ChangeSize(-21));
  EXPECT_EQ(shadow.Settings().size, 0);
  EXPECT_TRUE(shadow.ChangeSize(-20));
  EXPECT_EQ(shadow.Settings().size, -20);
  EXPECT_TRUE(shadow.ChangeSize(20));
  EXPECT_EQ(shadow.Settings().size, 20);

  EXPECT_FALSE(shadow.ChangeSharpness(21));
  EXPECT_EQ(shadow.Settings().sharpness, 5);
  EXPECT_TRUE(shadow.ChangeSharpness(20));
  EXPECT_EQ(shadow.Settings().sharpness, 20);

  EXPECT_FALSE(shadow.ChangeDarkness(256));
  EXPECT_EQ(shadow.Settings().darkness, 150);
  EXPECT_TRUE(shadow.ChangeDarkness(255));
  EXPECT_EQ(shadow.Settings().darkness, 255);

  EXPECT_FALSE(shadow.ChangeOffset(-21, 0));
  EXPECT_FALSE(shadow.ChangeOffset(0, 21));
  EXPECT_EQ(shadow.Settings().xOffset, 5);
  EXPECT_EQ(shadow.Settings().yOffset, 5);
  EXPECT_TRUE(shadow.ChangeOffset(-20, 20));
  EXPECT_EQ(shadow.Settings().xOffset, -20);
  EXPECT_EQ(shadow.Settings().yOffset, 20);

  EXPECT_TRUE(shadow.ChangeColour(0xFFEDF0F4));
  EXPECT_EQ(shadow.Settings().colour, 0xFFEDF0F4u);
}

TEST(ShadowSettingsTest, SkinNumbersAndColours) {
  struct Case {
    const wchar_t* text;
    int value;
  } cases[] = {{L"6", 6}, {L"-20", -20}, {L"+7x", 7}, {L"abc", 0}, {L"", 0}, {L"-", 0}, {L"12,3", 12}};
  for (const Case& c : cases) EXPECT_EQ(SkinUI::ParseSkinInteger(c.text), c.value) << std::wstring(c.text).size();

  int list[4] = {9, 9, 9, 9};
  SkinUI::ParseSkinIntegerList(L"1,-2,3,4", list, 4);
  EXPECT_EQ(list[0], 1);
  EXPECT_EQ(list[1], -2);
  EXPECT_EQ(list[2], 3);
  EXPECT_EQ(list[3], 4);
  // A short list stops at its end; the missing numbers are 0.
  int pair[2] = {9, 9};
  SkinUI::ParseSkinIntegerList(L"1", pair, 2);
  EXPECT_EQ(pair[0], 1);
  EXPECT_EQ(pair[1], 0);

  EXPECT_EQ(SkinUI::ParseShadowColour(L"#26003B76"), 0x26003B76u);
  EXPECT_EQ(SkinUI::ParseShadowColour(L"FFEDF0F4"), 0xFFEDF0F4u);
}

TEST(ShadowSettingsTest, SkinAttributesConfigureTheShadowOnlyWhenAskedFor) {
  std::map<std::wstring, std::wstring> attributes = {
      {L"shadowsize", L"6"},       {L"shadowsharpness", L"10"},   {L"shadowdarkness", L"20"},
      {L"shadowposition", L"1,1"}, {L"shadowcolor", L"#26003B76"}};
  auto lookup = [&attributes](const wchar_t* name) -> const wchar_t* {
    auto found = attributes.find(name);
    return found == attributes.end() ? nullptr : found->second.c_str();
  };

  CWndShadow untouched;
  EXPECT_FALSE(SkinUI::ConfigureShadowFromSkin(untouched, nullptr, lookup));
  EXPECT_EQ(untouched.Settings().size, 0);

  attributes[L"showshadow"] = L"TRUE";
  CWndShadow shadow;
  EXPECT_TRUE(SkinUI::ConfigureShadowFromSkin(shadow, nullptr, lookup));
  EXPECT_EQ(shadow.Settings().size, 6);
  EXPECT_EQ(shadow.Settings().sharpness, 10);
  EXPECT_EQ(shadow.Settings().darkness, 20);
  EXPECT_EQ(shadow.Settings().xOffset, 1);
  EXPECT_EQ(shadow.Settings().yOffset, 1);
  EXPECT_EQ(shadow.Settings().colour, 0x26003B76u);

  // Bad values keep the defaults, a negative darkness or sharpness included.
  attributes[L"shadowsize"] = L"30";
  attributes[L"shadowsharpness"] = L"-1";
  attributes[L"shadowdarkness"] = L"-1";
  attributes[L"shadowposition"] = L"-21,1";
  CWndShadow defaults;
  EXPECT_TRUE(SkinUI::ConfigureShadowFromSkin(defaults, nullptr, lookup));
  EXPECT_EQ(defaults.Settings().size, 0);
  EXPECT_EQ(defaults.Settings().sharpness, 5);
  EXPECT_EQ(defaults.Settings().darkness, 150);
  EXPECT_EQ(defaults.Settings().xOffset, 5);
  EXPECT_EQ(defaults.Settings().yOffset, 5);
}

}  // namespace
