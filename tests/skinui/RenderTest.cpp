#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"
#include "tests/skinui/OffscreenCanvas.h"
#include "tests/skinui/TestPaths.h"

using namespace SkinUI;
using SkinUITest::OffscreenCanvas;

namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kGrey = 0x808080, kBlack = 0, kBlue = 0x0000FF;

bool Near(DWORD a, DWORD b, int tolerance = 2) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

// A 2 x 2 opaque image: red, green / blue, grey.
struct Checker {
  UniqueBitmap bitmap;
  Checker() {
    BYTE* bits = nullptr;
    bitmap.reset(CUIRender::CreateARGB32Bitmap(nullptr, 2, 2, &bits));
    const DWORD pixels[4] = {0xFF000000 | kRed, 0xFF000000 | kGreen, 0xFF000000 | kBlue, 0xFF000000 | kGrey};
    std::memcpy(bits, pixels, sizeof(pixels));
  }
  static DWORD At(int x, int y) {
    const DWORD colors[2][2] = {{kRed, kGreen}, {kBlue, kGrey}};
    return colors[y % 2][x % 2];
  }
};

class SkinFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CUIPaintManager::ResetResourceSettings();
    CUIPaintManager::SetResourcePath(SkinUITest::FixtureDir().c_str());
  }
  void TearDown() override { CUIPaintManager::ResetResourceSettings(); }
};

}  // namespace

TEST(RenderPixels, PremultipliesAndKeysOnThePremultipliedValue) {
  const BYTE halfRed[4] = {255, 0, 0, 128};
  BYTE out[4];
  EXPECT_TRUE(CUIRender::PremultiplyPixels(halfRed, 1, 0, out));
  EXPECT_EQ(0, out[0]);
  EXPECT_EQ(0, out[1]);
  EXPECT_EQ(128, out[2]);  // red 255 at alpha 128
  EXPECT_EQ(128, out[3]);

  const BYTE opaqueRed[4] = {255, 0, 0, 255};
  struct Case {
    const BYTE* pixel;
    DWORD mask;
    DWORD expected;
    bool hasAlpha;
  } cases[] = {
      {opaqueRed, 0x00FF0000, 0xFFFF0000, false},  // "#FF0000" leaves opaque red alone
      {opaqueRed, 0xFFFF0000, 0x00000000, true},
      {halfRed, 0x80800000, 0x00000000, true},     // the premultiplied value matches
      {halfRed, 0x80FF0000, 0x80800000, true},     // the original value does not
  };
  for (const Case& c : cases) {
    DWORD value = 0;
    EXPECT_EQ(c.hasAlpha, CUIRender::PremultiplyPixels(c.pixel, 1, c.mask, reinterpret_cast<BYTE*>(&value)));
    EXPECT_EQ(c.expected, value) << std::hex << c.mask;
  }
}

TEST_F(SkinFolderTest, LoadsSkinImagesAndColours) {
  auto image = CUIRender::LoadImage(L"res\\mainWnd\\bg1.png");
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(4, image->width);
  EXPECT_EQ(4, image->height);
  EXPECT_TRUE(image->hasAlpha);
  const DWORD* pixels = reinterpret_cast<const DWORD*>(image->pixels);
  EXPECT_EQ(0xFFFF0000u, pixels[0]);
  EXPECT_EQ(0x80800000u, pixels[1]);
  EXPECT_EQ(0x00000000u, pixels[2]);
  EXPECT_EQ(0xFF0000FFu, pixels[3]);

  // By its own path when it is not under the resource path.
  CUIPaintManager::SetResourcePath(SkinUITest::ScratchDir().c_str());
  EXPECT_NE(nullptr, CUIRender::LoadImage((SkinUITest::FixtureDir() + L"res\\mainWnd\\bg1.png").c_str()));
  EXPECT_EQ(nullptr, CUIRender::LoadImage(L"res\\mainWnd\\bg1.png"));
  EXPECT_EQ(nullptr, CUIRender::LoadImage(L"mainWnd.xml"));  // not an image

  auto colour = CUIRender::LoadImage(L"#FF00FF00", L"*COLOR*");
  ASSERT_NE(nullptr, colour);
  EXPECT_EQ(1, colour->width);
  EXPECT_EQ(0xFF00FF00u, *reinterpret_cast<const DWORD*>(colour->pixels));
  EXPECT_FALSE(colour->hasAlpha);
}

TEST_F(SkinFolderTest, ImagesComeFromTheSkinArchive) {
  const auto bytes = SkinUITest::ReadBytes(SkinUITest::FixtureArchivePath());
  CUIPaintManager::SetResourcePath(SkinUITest::ScratchDir().c_str());
  CUIPaintManager::Set7zFormat(true);
  CUIPaintManager::SetArchiveFromMemory(bytes.data(), static_cast<unsigned>(bytes.size()));
  auto image = CUIRender::LoadImage(L"res\\mainWnd\\progress.png");
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(10, image->width);
}

TEST_F(SkinFolderTest, NineGridKeepsCornersOfAProgressBar) {
  CUIPaintManager manager;
  OffscreenCanvas canvas(420, 20);
  DrawInfo info;
  info.SetAttribute(L"file='res\\mainWnd\\progress.png' corner='2,2,2,2'");
  const RECT bar = {5, 5, 415, 13};
  ASSERT_TRUE(CUIRender::DrawImageString(canvas.dc(), &manager, bar, RECT{0, 0, 420, 20}, info));
  EXPECT_EQ(kGreen, canvas.Rgb(5, 8));
  EXPECT_EQ(kGreen, canvas.Rgb(6, 8));
  EXPECT_EQ(kGrey, canvas.Rgb(7, 8));
  EXPECT_EQ(kGrey, canvas.Rgb(210, 6));
  EXPECT_EQ(kGrey, canvas.Rgb(412, 12));
  EXPECT_EQ(kGreen, canvas.Rgb(413, 8));
  EXPECT_EQ(kGreen, canvas.Rgb(414, 12));
  EXPECT_EQ(kBlack, canvas.Rgb(415, 8));
  EXPECT_EQ(kBlack, canvas.Rgb(4, 8));
  EXPECT_EQ(kBlack, canvas.Rgb(100, 13));
}

TEST(RenderImage, TilesTheCentreInXAndY) {
  Checker checker;
  const RECT source = {0, 0, 2, 2}, none = {0, 0, 0, 0};
  struct Case {
    bool tiledX, tiledY;
    int width, height;
  } cases[] = {{true, true, 5, 5}, {true, false, 5, 4}, {false, true, 4, 5}};
  for (const Case& c : cases) {
    OffscreenCanvas canvas(8, 8);
    const RECT dest = {0, 0, c.width, c.height};
    CUIRender::DrawImage(canvas.dc(), checker.bitmap.get(), dest, dest, source, none, false, 255, false, c.tiledX,
                         c.tiledY);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int sx = c.tiledX ? x % 2 : x / 2;
        const int sy = c.tiledY ? y % 2 : y / 2;
        ASSERT_EQ(Checker::At(sx, sy), canvas.Rgb(x, y)) << c.tiledX << c.tiledY << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(kBlack, canvas.Rgb(c.width, 0));
    EXPECT_EQ(kBlack, canvas.Rgb(0, c.height));
  }
}

TEST(RenderImage, FadesWithTheSystemBlendAndTheSoftwareBlend) {
  Checker checker;
  const RECT dest = {0, 0, 2, 2}, none = {0, 0, 0, 0};
  for (bool system : {true, false}) {
    CUIRender::UseSystemAlphaBlend(system);
    OffscreenCanvas canvas(4, 4, 0xFFFFFFFF);
    CUIRender::DrawImage(canvas.dc(), checker.bitmap.get(), dest, dest, dest, none, false, 128);
    EXPECT_TRUE(Near(0xFF7F7F, canvas.Rgb(0, 0))) << system << " " << std::hex << canvas.Rgb(0, 0);  // red over white
    EXPECT_TRUE(Near(0x7F7FFF, canvas.Rgb(0, 1))) << system << " " << std::hex << canvas.Rgb(0, 1);
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(2, 2));
  }
  CUIRender::UseSystemAlphaBlend(true);
}

TEST_F(SkinFolderTest, DestOffsetsAndTranslucentPixels) {
  CUIPaintManager manager;
  OffscreenCanvas canvas(20, 20);
  DrawInfo info;
  info.SetAttribute(L"file='res\\mainWnd\\bg1.png' dest='2,3,6,7'");
  const RECT item = {10, 10, 20, 20};
  ASSERT_TRUE(CUIRender::DrawImageString(canvas.dc(), &manager, item, RECT{0, 0, 20, 20}, info));
  EXPECT_EQ(kRed, canvas.Rgb(12, 13));
  EXPECT_TRUE(Near(0x800000, canvas.Rgb(13, 13)));  // half red over black
  EXPECT_EQ(kBlack, canvas.Rgb(14, 13));            // transparent
  EXPECT_EQ(kBlue, canvas.Rgb(15, 16));
  EXPECT_EQ(kBlack, canvas.Rgb(11, 13));
  EXPECT_EQ(kBlack, canvas.Rgb(12, 12));
  EXPECT_EQ(kBlack, canvas.Rgb(16, 13));
  EXPECT_EQ(manager.GetImage(L"res\\mainWnd\\bg1.png"), info.image);  // cached by name
}

TEST_F(SkinFolderTest, AMissingImageDrawsNothingAndIsNotRetried) {
  CUIPaintManager::SetResourcePath(SkinUITest::ScratchDir().c_str());
  CUIPaintManager manager;
  OffscreenCanvas canvas(8, 8);
  DrawInfo info;
  info.SetAttribute(L"file='late.png' fade='255'");
  const RECT item = {0, 0, 8, 8};
  EXPECT_FALSE(CUIRender::DrawImageString(canvas.dc(), &manager, item, item, info));
  EXPECT_TRUE(info.attempted);
  // The file appears later; this DrawInfo stays blank.
  ASSERT_TRUE(SkinUITest::WriteBytes(SkinUITest::ScratchDir() + L"late.png",
                                     SkinUITest::ReadBytes(SkinUITest::FixtureDir() + L"res\\mainWnd\\bg1.png")));
  EXPECT_FALSE(CUIRender::DrawImageString(canvas.dc(), &manager, item, item, info));
  EXPECT_EQ(kBlack, canvas.Rgb(0, 0));
  EXPECT_EQ(nullptr, manager.GetImage(L"late.png"));
}

TEST(RenderAttributes, ParsesImageStrings) {
  DrawInfo plain;
  plain.SetAttribute(L"res\\main Wnd\\bg 1.png");
  ParseImageAttribute(plain);
  EXPECT_STREQ(L"res\\main Wnd\\bg 1.png", plain.imageName.GetData());

  DrawInfo full;
  full.SetAttribute(L"file='a.png' source='1,2,3,4' corner='5,6,7,8' mask='#FF00FF' fade='300' hole='true' "
                    L"xtiled='True' ytiled='true' restype='PNG'");
  ParseImageAttribute(full);
  EXPECT_STREQ(L"a.png", full.imageName.GetData());
  EXPECT_EQ(3, full.source.right);
  EXPECT_EQ(8, full.corner.bottom);
  EXPECT_EQ(0xFF00FFu, full.mask);
  EXPECT_EQ(255, full.fade);
  EXPECT_TRUE(full.hole);
  EXPECT_FALSE(full.tiledX);  // only the exact text "true"
  EXPECT_TRUE(full.tiledY);
  EXPECT_TRUE(full.resourceType.IsEmpty());  // restype counts only with res or color

  DrawInfo colour;
  colour.SetAttribute(L"color='#80FF0000'");
  ParseImageAttribute(colour);
  EXPECT_STREQ(L"*COLOR*", colour.resourceType.GetData());

  DrawInfo stops;
  stops.SetAttribute(L"file='a.png',dest='1,1,2,2'");  // only a blank leads to the next pair
  ParseImageAttribute(stops);
  EXPECT_STREQ(L"a.png", stops.imageName.GetData());
  EXPECT_EQ(0, stops.dest.right);
  DrawInfo missingQuote;
  missingQuote.SetAttribute(L"file=a.png");
  ParseImageAttribute(missingQuote);
  EXPECT_STREQ(L"file=a.png", missingQuote.imageName.GetData());
}

TEST(RenderColor, FillsSolidTranslucentOrNothing) {
  OffscreenCanvas canvas(4, 4, 0xFFFFFFFF);
  CUIRender::DrawColor(canvas.dc(), RECT{0, 0, 4, 4}, 0x00000000);
  EXPECT_EQ(0xFFFFFFu, canvas.Rgb(0, 0));
  CUIRender::DrawColor(canvas.dc(), RECT{0, 0, 2, 2}, 0xFF0000FF);
  EXPECT_EQ(kBlue, canvas.Rgb(1, 1));
  EXPECT_EQ(0xFFFFFFu, canvas.Rgb(2, 2));
  canvas.Fill(0xFF000000);
  CUIRender::DrawColor(canvas.dc(), RECT{0, 0, 4, 4}, 0x80FF0000);
  EXPECT_TRUE(Near(0x800000, canvas.Rgb(3, 3))) << std::hex << canvas.Rgb(3, 3);
}

TEST(RenderColor, GradientsRunFromFirstToSecond) {
  OffscreenCanvas canvas(4, 64);
  CUIRender::DrawGradient(canvas.dc(), RECT{0, 0, 4, 64}, 0xFF000000, 0xFFFFFFFF, true, 16);
  EXPECT_LT(canvas.Rgb(0, 0) & 0xFF, 0x20u);
  EXPECT_GT(canvas.Rgb(0, 63) & 0xFF, 0xE0u);
  EXPECT_LT(canvas.Rgb(0, 20) & 0xFF, canvas.Rgb(0, 40) & 0xFF);
  canvas.Fill(0xFF000000);
  CUIRender::DrawGradient(canvas.dc(), RECT{0, 0, 4, 64}, 0x00FF0000, 0x00FF0000, true, 16);
  EXPECT_EQ(kBlack, canvas.Rgb(0, 32));  // alpha 0 draws nothing
}

TEST(RenderColor, AdjustsHueSaturationAndLightness) {
  EXPECT_EQ(0x80123456u, CUIRender::AdjustColor(0x80123456, 180, 100, 100));
  EXPECT_EQ(0xFF00FF00u, CUIRender::AdjustColor(0xFFFF0000, 300, 100, 100));  // +120 degrees: red to green
  EXPECT_EQ(0x7F000000u, CUIRender::AdjustColor(0x7FFF0000, 180, 100, 0));
  EXPECT_EQ(0xFF808080u, CUIRender::AdjustColor(0xFFFF0000, 180, 0, 100));    // no saturation: grey
}

TEST(RenderShapes, OutlinesStayInsideTheRectangle) {
  OffscreenCanvas canvas(10, 10);
  CUIRender::DrawRect(canvas.dc(), RECT{2, 2, 8, 8}, 1, 0xFFFF0000);
  EXPECT_EQ(kRed, canvas.Rgb(2, 2));
  EXPECT_EQ(kRed, canvas.Rgb(7, 7));
  EXPECT_EQ(kBlack, canvas.Rgb(8, 8));
  EXPECT_EQ(kBlack, canvas.Rgb(4, 4));  // not filled
  {
    CRenderClip clip(canvas.dc(), RECT{0, 0, 5, 10});
    CUIRender::DrawLine(canvas.dc(), RECT{0, 0, 10, 0}, 1, 0xFF00FF00);
  }
  EXPECT_EQ(kGreen, canvas.Rgb(4, 0));
  EXPECT_EQ(kBlack, canvas.Rgb(6, 0));  // clipped
  CUIRender::DrawLine(canvas.dc(), RECT{0, 9, 10, 9}, 1, 0xFF00FF00);
  EXPECT_EQ(kGreen, canvas.Rgb(6, 9));  // the clip ended with its scope
}

TEST(RenderText, DrawsAndMeasuresWithLanguageTokens) {
  CUIPaintManager manager;
  OffscreenCanvas canvas(200, 40);
  manager.SetPaintDC(canvas.dc());
  CUIPaintManager::SetLanguageString(12, L"Install now");
  const SIZE direct = CUIRender::GetTextSize(canvas.dc(), &manager, L"Install now", -1, 0);
  const SIZE token = CUIRender::GetTextSize(canvas.dc(), &manager, L"%{12}", -1, 0);
  EXPECT_GT(direct.cx, 20);
  EXPECT_EQ(direct.cx, token.cx);
  const SIZE ampersand = CUIRender::GetTextSize(canvas.dc(), &manager, L"A&B", -1, 0);
  EXPECT_GT(ampersand.cx, CUIRender::GetTextSize(canvas.dc(), &manager, L"AB", -1, 0).cx);

  RECT rect = {0, 0, 200, 40};
  CUIRender::DrawText(canvas.dc(), &manager, rect, L"%{12}", 0xFFFFFFFF, -1, DT_STYLE_SINGLELINE);
  int lit = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) lit += canvas.Rgb(x, y) != kBlack;
  }
  EXPECT_GT(lit, 20);
  for (int x = 0; x < 200; ++x) EXPECT_EQ(kBlack, canvas.Rgb(x, 39));  // transparent background
}

TEST(RenderColor, ImagesKeptForHslAreAdjustedWhenAdded) {
  CUIPaintManager manager;
  CUIPaintManager::SetHSL(true, 300, 100, 100);
  const ImageInfo* kept = manager.AddImage(L"#FFFF0000", L"*COLOR*", 0, true);
  const ImageInfo* plain = manager.AddImage(L"#FFFF0001", L"*COLOR*", 0, false);
  CUIPaintManager::SetHSL(false, 180, 100, 100);
  ASSERT_NE(nullptr, kept);
  ASSERT_NE(nullptr, plain);
  EXPECT_EQ(0xFF00FF00u, *reinterpret_cast<const DWORD*>(kept->pixels));
  EXPECT_EQ(0xFFFF0001u, *reinterpret_cast<const DWORD*>(plain->pixels));
  // Re-applied from the untouched copy.
  CUIRender::AdjustImage(false, const_cast<ImageInfo*>(kept), 180, 100, 100);
  EXPECT_EQ(0xFFFF0000u, *reinterpret_cast<const DWORD*>(kept->pixels));
}
