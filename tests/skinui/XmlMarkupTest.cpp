#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/markup/XmlMarkup.h"
#include "installer/src/utils/Strings.h"
#include "tests/skinui/TestPaths.h"

using namespace SkinUI;

namespace {

// One line per element: depth, name and attributes, so trees compare as text.
void Dump(CXmlMarkupNode node, int depth, std::wstring* out) {
  for (; node.IsValid(); node = node.GetSibling()) {
    *out += std::wstring(static_cast<size_t>(depth), L' ') + node.GetName();
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
      *out += std::wstring(L" ") + node.GetAttributeName(i) + L"=[" + node.GetAttributeValue(i) + L"]";
    }
    *out += L"\n";
    Dump(node.GetChild(), depth + 1, out);
  }
}

std::wstring DumpTree(CXmlMarkup& markup) {
  std::wstring out;
  Dump(markup.GetRoot(), 0, &out);
  return out;
}

const wchar_t kLayout[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    L"<!-- main window -->\r\n"
    L"<Window size=\"600,400\" caption=\"0,0,0,35\">\r\n"
    L"  <Font id=\"0\" name=\"微软雅黑\" size=\"12\" default=\"true\" />\r\n"
    L"  <VerticalLayout bkimage=\"file='res\\mainWnd\\bg1.png' dest='0,2,16,18'\">\r\n"
    L"    <Label text=\"正在安装\"/>\r\n"
    L"    <Control />\r\n"
    L"  </VerticalLayout>\r\n"
    L"</Window>\r\n";

const wchar_t kLayoutTree[] =
    L"Window size=[600,400] caption=[0,0,0,35]\n"
    L" Font id=[0] name=[微软雅黑] size=[12] default=[true]\n"
    L" VerticalLayout bkimage=[file='res\\mainWnd\\bg1.png' dest='0,2,16,18']\n"
    L"  Label text=[正在安装]\n"
    L"  Control\n";

std::vector<unsigned char> Utf8(const std::wstring& text) {
  const std::string bytes = Utils::WideToMultiByte(text, CP_UTF8);
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

}  // namespace

TEST(XmlMarkup, ParsesALayoutIntoElementsAndAttributes) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.Load(kLayout)) << markup.GetLastErrorMessage();
  EXPECT_EQ(std::wstring(kLayoutTree), DumpTree(markup));

  CXmlMarkupNode root = markup.GetRoot();
  EXPECT_TRUE(root.HasChildren());
  EXPECT_TRUE(root.HasAttributes());
  wchar_t value[4] = {};
  EXPECT_TRUE(root.GetAttributeValue(L"size", value, 4));
  EXPECT_STREQ(L"600", value);  // cut to the buffer
  EXPECT_FALSE(root.GetAttributeValue(L"Size", value, 4));  // names are case-sensitive
  EXPECT_STREQ(L"", root.GetAttributeName(-1));
  EXPECT_STREQ(L"", root.GetAttributeValue(root.GetAttributeCount()));
  CXmlMarkupNode invalid;
  EXPECT_EQ(nullptr, invalid.GetAttributeValue(0));
  EXPECT_FALSE(invalid.GetChild().IsValid());
}

TEST(XmlMarkup, ReportsEachFailure) {
  struct Case {
    const wchar_t* document;
    const wchar_t* message;
  } cases[] = {
      {L"hello", L"Expected start tag"},
      {L"<a>text<b />more</a>", L"Expected start tag"},
      {L"<a x='1' />", L"Expected attribute value"},
      {L"<a></b>", L"Unmatched closing tag"},
      {L"<a></a x>", L"Unmatched closing tag"},
      {L"<a x>", L"Error while parsing attributes"},
      {L"<a x=\"1>", L"Error while parsing attribute string"},
      {L"<a", L"Error parsing element name"},
      {L"<a x=\"1\"", L"Expected start-tag closing"},
      {L"<r><a><b>text", L"Expected end-tag start"},
      {L"<r><a><b />", L"Expected start tag"},
  };
  for (const Case& c : cases) {
    CXmlMarkup markup;
    EXPECT_FALSE(markup.Load(c.document)) << c.document;
    EXPECT_STREQ(c.message, markup.GetLastErrorMessage()) << c.document;
    EXPECT_FALSE(markup.GetRoot().IsValid()) << c.document;
  }
  CXmlMarkup markup;
  EXPECT_FALSE(markup.Load(L"<a></b   and more text here>"));
  EXPECT_STREQ(L"b   and more text here>", markup.GetLastErrorLocation());
}

TEST(XmlMarkup, AcceptsAMissingRootCloseAtTheEnd) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.Load(L"<Window><Font id=\"0\" /><VerticalLayout></VerticalLayout>")) << markup.GetLastErrorMessage();
  EXPECT_EQ(L"Window\n Font id=[0]\n VerticalLayout\n", DumpTree(markup));
  ASSERT_TRUE(markup.Load(L"<Window><Label text=\"x\">"));
  EXPECT_EQ(L"Window\n Label text=[x]\n", DumpTree(markup));
}

TEST(XmlMarkup, EmptyElementRightAfterItsName) {
  // "<Control/>" closes the element; it must not swallow its following siblings.
  CXmlMarkup markup;
  ASSERT_TRUE(markup.Load(L"<r><Control/><Label text=\"a\"/></r>")) << markup.GetLastErrorMessage();
  EXPECT_EQ(L"r\n Control\n Label text=[a]\n", DumpTree(markup));
}

TEST(XmlMarkup, DecodesEntitiesAndKeepsBareAmpersands) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.Load(
      L"<a v=\"1&amp;2\" w=\"R&D dept\" t=\"&lt;&gt;&quot;&apos;\" after=\"ok\">x &amp; y</a>"));
  CXmlMarkupNode root = markup.GetRoot();
  EXPECT_STREQ(L"1&2", root.GetAttributeValue(L"v"));
  EXPECT_STREQ(L"R&D dept", root.GetAttributeValue(L"w"));
  EXPECT_STREQ(L"<>\"'", root.GetAttributeValue(L"t"));
  EXPECT_STREQ(L"ok", root.GetAttributeValue(L"after"));  // mapped across the shrunk values
  EXPECT_STREQ(L"x & y", root.GetValue());
}

TEST(XmlMarkup, FoldsBlanksOnlyWhenAsked) {
  CXmlMarkup markup;
  markup.SetPreserveWhitespace(false);
  ASSERT_TRUE(markup.Load(L"<a v=\"1    2\" />"));
  EXPECT_STREQ(L"1 2", markup.GetRoot().GetAttributeValue(L"v"));
  CXmlMarkup preserving;
  ASSERT_TRUE(preserving.Load(L"<a v=\"1    2\" />"));
  EXPECT_STREQ(L"1    2", preserving.GetRoot().GetAttributeValue(L"v"));
}

TEST(XmlMarkup, ExposesAtMost64Attributes) {
  std::wstring document = L"<a";
  for (int i = 0; i < 65; ++i) document += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
  document += L" />";
  CXmlMarkup markup;
  ASSERT_TRUE(markup.Load(document.c_str()));
  CXmlMarkupNode root = markup.GetRoot();
  EXPECT_EQ(64, root.GetAttributeCount());
  EXPECT_STREQ(L"63", root.GetAttributeValue(L"k63"));
  EXPECT_EQ(nullptr, root.GetAttributeValue(L"k64"));
}

TEST(XmlMarkup, EncodingsGiveTheSameTree) {
  const std::vector<unsigned char> plain = Utf8(kLayout);
  const std::vector<unsigned char> withMark = Utf8(L"\xFEFF" + std::wstring(kLayout));
  std::vector<unsigned char> little;
  std::vector<unsigned char> big;
  for (const wchar_t* p = L"\xFEFF"; *p; ++p) {
    little.push_back(static_cast<unsigned char>(*p & 0xFF));
    little.push_back(static_cast<unsigned char>(*p >> 8));
    big.push_back(static_cast<unsigned char>(*p >> 8));
    big.push_back(static_cast<unsigned char>(*p & 0xFF));
  }
  for (const wchar_t* p = kLayout; *p; ++p) {
    little.push_back(static_cast<unsigned char>(*p & 0xFF));
    little.push_back(static_cast<unsigned char>(*p >> 8));
    big.push_back(static_cast<unsigned char>(*p >> 8));
    big.push_back(static_cast<unsigned char>(*p & 0xFF));
  }
  struct Case {
    const char* label;
    const std::vector<unsigned char>* bytes;
    int encoding;
  } cases[] = {{"utf-8", &plain, XMLFILE_ENCODING_UTF8},
               {"utf-8 with mark", &withMark, XMLFILE_ENCODING_UTF8},
               {"utf-16 le", &little, XMLFILE_ENCODING_UNICODE},
               {"utf-16 be", &big, XMLFILE_ENCODING_UNICODE}};
  for (const Case& c : cases) {
    CXmlMarkup markup;
    ASSERT_TRUE(markup.LoadFromMem(c.bytes->data(), static_cast<unsigned>(c.bytes->size()), c.encoding))
        << c.label << ": " << markup.GetLastErrorMessage();
    EXPECT_EQ(std::wstring(kLayoutTree), DumpTree(markup)) << c.label;
  }
  CXmlMarkup noMark;
  EXPECT_FALSE(noMark.LoadFromMem(little.data() + 2, static_cast<unsigned>(little.size() - 2), XMLFILE_ENCODING_UNICODE));
}

class XmlMarkupFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CUIPaintManager::ResetResourceSettings();
    CUIPaintManager::Set7zFormat(true);
    CUIPaintManager::SetResourcePath(SkinUITest::ScratchDir().c_str());
  }
  void TearDown() override { CUIPaintManager::ResetResourceSettings(); }

  static std::vector<unsigned char> DocumentOfSize(size_t size) {
    const std::string text = "<a>" + std::string(size - 7, ' ') + "</a>";
    return std::vector<unsigned char>(text.begin(), text.end());
  }
};

TEST_F(XmlMarkupFileTest, DiskFilesUpToFourMebibytes) {
  const std::wstring dir = SkinUITest::ScratchDir();
  ASSERT_TRUE(SkinUITest::WriteBytes(dir + L"limit.xml", DocumentOfSize(4194304)));
  ASSERT_TRUE(SkinUITest::WriteBytes(dir + L"over.xml", DocumentOfSize(4194305)));
  ASSERT_TRUE(SkinUITest::WriteBytes(dir + L"empty.xml", {}));

  CXmlMarkup markup;
  EXPECT_TRUE(markup.LoadFromFile(L"limit.xml")) << markup.GetLastErrorMessage();
  EXPECT_STREQ(L"a", markup.GetRoot().GetName());
  struct Case {
    const wchar_t* name;
    const wchar_t* message;
  } cases[] = {{L"over.xml", L"File too large"},
               {L"empty.xml", L"File is empty"},
               {L"missing.xml", L"Error opening file"}};
  for (const Case& c : cases) {
    EXPECT_FALSE(markup.LoadFromFile(c.name)) << c.name;
    EXPECT_STREQ(c.message, markup.GetLastErrorMessage()) << c.name;
    EXPECT_STREQ(L"", markup.GetLastErrorLocation());
    EXPECT_FALSE(markup.GetRoot().IsValid());
  }
}

TEST_F(XmlMarkupFileTest, ArchiveFiles) {
  const std::vector<unsigned char> archive = SkinUITest::ReadBytes(SkinUITest::FixtureArchivePath());
  ASSERT_FALSE(archive.empty());
  CUIPaintManager::SetArchiveFromMemory(archive.data(), static_cast<unsigned>(archive.size()));

  CXmlMarkup markup;
  ASSERT_TRUE(markup.LoadFromFile(L"MainWnd.xml")) << markup.GetLastErrorMessage();
  EXPECT_STREQ(L"Window", markup.GetRoot().GetName());
  EXPECT_STREQ(L"微软雅黑", markup.GetRoot().GetChild().GetAttributeValue(L"name"));
  EXPECT_FALSE(markup.LoadFromFile(L"missing.xml"));
  EXPECT_STREQ(L"Could not find ziped file", markup.GetLastErrorMessage());
  EXPECT_FALSE(markup.LoadFromFile(L"empty.xml"));
  EXPECT_STREQ(L"File is empty", markup.GetLastErrorMessage());
}

TEST_F(XmlMarkupFileTest, UnreadableArchive) {
  CUIPaintManager::SetArchiveFile(L"no-such-skin.7z", true);
  CXmlMarkup markup;
  EXPECT_FALSE(markup.LoadFromFile(L"MainWnd.xml"));
  EXPECT_STREQ(L"Error opening zip file", markup.GetLastErrorMessage());

  // An archive file that is opened for each read.
  CUIPaintManager::SetResourcePath(SkinUITest::ExeDir().c_str());
  CUIPaintManager::SetArchiveFile(L"fixture_skin.7z", false);
  EXPECT_EQ(nullptr, CUIPaintManager::GetArchive());
  EXPECT_TRUE(markup.LoadFromFile(L"message.xml")) << markup.GetLastErrorMessage();
  EXPECT_STREQ(L"x", markup.GetRoot().GetChild().GetAttributeValue(L"name"));
}
