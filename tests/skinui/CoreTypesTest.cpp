#include <gtest/gtest.h>

#include "SkinUI/core/UIEvent.h"
#include "SkinUI/core/UIPtrArray.h"
#include "SkinUI/core/UIString.h"
#include "SkinUI/core/UIStringMap.h"

using namespace SkinUI;

TEST(UIString, KeepsLongTextsAndCutsFormattingAt63) {
  std::wstring long_text(200, L'x');
  CUIString text(long_text.c_str());
  EXPECT_EQ(200, text.GetLength());
  text = L"短";  // back to inline storage
  EXPECT_STREQ(L"短", text.GetData());

  CUIString formatted;
  formatted.Format(L"%s-%d", long_text.c_str(), 7);
  EXPECT_EQ(63, formatted.GetLength());
  formatted.Format(L"%d,%d", 3, 4);
  EXPECT_STREQ(L"3,4", formatted.GetData());
}

TEST(UIString, EditingOperations) {
  CUIString text(L"res\\mainWnd\\bg1.png");
  EXPECT_EQ(2, text.Replace(L"\\", L"/"));
  EXPECT_STREQ(L"res/mainWnd/bg1.png", text.GetData());
  EXPECT_EQ(0, text.CompareNoCase(L"RES/MAINWND/BG1.PNG"));
  EXPECT_NE(0, text.Compare(L"RES/MAINWND/BG1.PNG"));
  EXPECT_STREQ(L"bg1.png", text.Mid(text.ReverseFind(L'/') + 1).GetData());
  EXPECT_STREQ(L"res", text.Left(3).GetData());
  EXPECT_STREQ(L"png", text.Right(3).GetData());
  EXPECT_EQ(-1, text.Find(L"zip"));
  text.Assign(text.GetData() + 4);  // assigning a part of itself
  EXPECT_STREQ(L"mainWnd/bg1.png", text.GetData());
  CUIString sum = CUIString(L"a") + L"b";
  sum += L'c';
  EXPECT_TRUE(sum == L"abc");
}

TEST(UIPtrArray, StartsAtElevenAndDoubles) {
  CUIPtrArray array;
  EXPECT_EQ(0, array.GetCapacity());
  int values[30];
  for (int i = 0; i < 11; ++i) array.Add(&values[i]);
  EXPECT_EQ(11, array.GetCapacity());
  array.Add(&values[11]);
  EXPECT_EQ(22, array.GetCapacity());
  for (int i = 12; i < 23; ++i) array.Add(&values[i]);
  EXPECT_EQ(44, array.GetCapacity());

  EXPECT_TRUE(array.InsertAt(0, &values[29]));
  EXPECT_EQ(&values[29], array[0]);
  EXPECT_EQ(&values[0], array[1]);
  EXPECT_TRUE(array.Remove(0));
  EXPECT_EQ(&values[0], array[0]);
  EXPECT_FALSE(array.InsertAt(array.GetSize() + 1, &values[0]));
  EXPECT_FALSE(array.Remove(array.GetSize()));
  EXPECT_EQ(nullptr, array.GetAt(-1));
  EXPECT_EQ(5, array.Find(&values[5]));
}

TEST(UIStringMap, FindsInsertsReplacesAndRemoves) {
  CUIStringMap map;
  int a = 1, b = 2, c = 3;
  EXPECT_TRUE(map.Insert(L"closebtn", &a));
  EXPECT_FALSE(map.Insert(L"closebtn", &b));  // the first value stays
  EXPECT_EQ(&a, map.Find(L"closebtn"));
  EXPECT_EQ(&a, map.Set(L"closebtn", &c));
  EXPECT_EQ(&c, map.Find(L"closebtn"));
  EXPECT_EQ(nullptr, map.Find(L"CloseBtn"));  // keys are exact

  // Many keys share the 83 buckets; every one stays reachable after lookups reorder chains.
  std::vector<std::wstring> keys;
  for (int i = 0; i < 300; ++i) keys.push_back(L"k" + std::to_wstring(i));
  for (auto& key : keys) map.Insert(key.c_str(), &b);
  for (int round = 0; round < 2; ++round) {
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) ASSERT_EQ(&b, map.Find(it->c_str())) << *it;
  }
  EXPECT_EQ(301, map.GetSize());
  EXPECT_TRUE(map.Remove(L"k7"));
  EXPECT_FALSE(map.Remove(L"k7"));
  EXPECT_FALSE(map.Contains(L"k7"));
  EXPECT_EQ(300, map.GetSize());
  int seen = 0;
  for (int i = 0; i < map.GetSize(); ++i) seen += map.GetAt(i) != nullptr;
  EXPECT_EQ(300, seen);
}

TEST(UIEvent, MouseRangeIsStrictlyBetweenMarkers) {
  EXPECT_FALSE(IsMouseEvent(UIEVENT__MOUSEBEGIN));
  EXPECT_TRUE(IsMouseEvent(UIEVENT_MOUSEMOVE));
  EXPECT_TRUE(IsMouseEvent(UIEVENT_SCROLLWHEEL));
  EXPECT_FALSE(IsMouseEvent(UIEVENT__MOUSEEND));
  EXPECT_EQ(17, UIEVENT_CONTEXTMENU);
  EXPECT_EQ(24, UIEVENT_TIMER);
}
