#include "files/textitems.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

std::vector<std::string> Texts(std::string_view bytes) {
  std::vector<std::string> out;
  ItemList items = SplitItems(bytes);
  for (size_t i = 0; i < items.size(); ++i) out.emplace_back(items[i].text);
  return out;
}

TEST(FilesTokenizer, SplitsAtCommasAndEveryKindOfLineEnd) {
  EXPECT_EQ(Texts("a,b\r\nc\rd\ne"), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(Texts("  a b  ,\t c \r\n"), (std::vector<std::string>{"a b", "c"}));
  EXPECT_EQ(Texts(" \r\n\r\nx"), (std::vector<std::string>{"", "", "x"}));
  EXPECT_EQ(Texts("a,\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitItems("").empty());
}
TEST(FilesTokenizer, QuotedItemsKeepEverythingAndAreMarked) {
  ItemList items = SplitItems("\"a, b\"\r\n  \" lead\"  \r\n\"x\"\"y\"junk,z\r\n\"two\nlines\"\r\n<Objects>");
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0], (TextItem{"a, b", true}));
  EXPECT_EQ(items[1], (TextItem{" lead", true}));
  EXPECT_EQ(items[2], (TextItem{"x\"y", true}));  // doubled quote, rest of the item ignored
  EXPECT_EQ(items[3], (TextItem{"z", false}));
  EXPECT_EQ(items[4], (TextItem{"two\nlines", true}));
  EXPECT_EQ(items[5], (TextItem{"<Objects>", false}));
  // An unterminated quote runs to the end of the text.
  EXPECT_EQ(SplitItems("x\r\n\"open, to the end\r").back().text, "open, to the end\r");
}

TEST(FilesTokenizer, OneItemWithLineFeedsIsSplitAtThem) {
  ItemList items = SplitItems("\"a\n \"\"b\"\" \nc\"");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, "a");
  EXPECT_EQ(items[1].text, " \"b\" ");  // pieces unchanged
  EXPECT_FALSE(items[1].quoted);
}

TEST(FilesTokenizer, WrittenItemsReadBackUnchanged) {
  for (std::string t : {"plain", "", "a,b", " lead", "trail ", "\"q", "in\"side", "two\r\nlines", "<objects>",
                        "</MOLVANE>", "mOLVANE", "tab\t", "\xff\xfe"}) {
    ItemList items = SplitItems(WriteTextItem(t) + "\r\nnext\r\n");
    ASSERT_EQ(items.size(), 2u) << "[" << t << "]";
    EXPECT_EQ(items[0].text, t);
    EXPECT_EQ(items[0].quoted, IsSectionTagText(t) || t != items[0].text || WriteTextItem(t) != t);
  }
}

TEST(FilesEscaping, BlankCommaAndCarriageReturn) {
  std::string text = " a,b\r";
  std::string escaped = EscapeItemText(text);
  EXPECT_EQ(escaped,
            "\xff"
            "a`b~");
  EXPECT_EQ(UnescapeItemText(escaped), text);
  EXPECT_EQ(EscapeItemText(escaped), escaped);
  EXPECT_EQ(EscapeItemText(""), "");
  EXPECT_EQ(UnescapeItemText(""), "");
  EXPECT_EQ(UnescapeItemText("a`b~c\n"), "a,b\rc\n");
}

TEST(FilesValues, FlagsAndNumbers) {
  bool f = false;
  for (const char* t : {"True", "tRUE", "-1", "1e3", " 7 "}) {
    f = false;
    EXPECT_TRUE(ReadFlag({t, false}, f) && f) << t;
  }
  for (const char* t : {"False", "fALSE", "0", "-0.0"}) {
    f = true;
    EXPECT_TRUE(ReadFlag({t, false}, f) && !f) << t;
  }
  f = true;
  EXPECT_FALSE(ReadFlag({"yes", false}, f));
  EXPECT_FALSE(ReadFlag({"", false}, f));
  EXPECT_TRUE(f);

  double d = 5;
  EXPECT_TRUE(ReadNumber({" 1 234.5E1xyz", false}, d));  // inner blanks ignored
  EXPECT_EQ(d, 12345.0);
  int16_t i = 3;
  EXPECT_FALSE(ReadNumber({"32768", false}, i));
  EXPECT_FALSE(ReadStrictNumber({"12x", false}, i));
  EXPECT_EQ(i, 3);
}

TEST(FilesPaths, FolderAndFileParts) {
  EXPECT_EQ(GetFolderPart("/a/b.molv"), "/a/");
  EXPECT_EQ(GetFileNamePart("/a/b.molv"), "b.molv");
  EXPECT_EQ(GetFolderPart("/a/"), "/a/");
  EXPECT_EQ(GetFileNamePart("/a/"), "");
  EXPECT_EQ(GetFolderPart("b.molv"), "");
  EXPECT_EQ(GetFileNamePart("b.molv"), "b.molv");
}

TEST(FilesPaths, RelativePathsBecomeAbsolute) {
  EXPECT_EQ(ResolveRelativePath("/a/b", "../c.molv"), "/a/c.molv");
  EXPECT_EQ(ResolveRelativePath("/a/", "x.molv"), "/a/x.molv");
  EXPECT_EQ(ResolveRelativePath("/a/b/", "/a/b/x.molv"), "/a/b/x.molv");
  EXPECT_EQ(ResolveRelativePath("/a/b/", "./sub/x.molv"), "/a/b/sub/x.molv");
  EXPECT_EQ(ResolveRelativePath("/a/b/", "../../x.molv"), "/x.molv");
  EXPECT_EQ(ResolveRelativePath("/a/", "../../x.molv"), std::nullopt);
  EXPECT_EQ(ResolveRelativePath("/a/", ".."), std::nullopt);
  EXPECT_EQ(ResolveRelativePath("/a/", ""), std::nullopt);
  EXPECT_EQ(ResolveRelativePath("relative/", "x"), std::nullopt);
  EXPECT_EQ(MakeAbsolutePath("sub/x.molv", "/home/u"), "/home/u/sub/x.molv");
}

TEST(PathHelpers, RelativeToTheSituationFolder) {
  EXPECT_EQ(RelativeSituationPath("/a/b/", "/a/b/x.molv"), "x.molv");
  EXPECT_EQ(RelativeSituationPath("/a/b/", "/a/b/c/d/x.molv"), "c/d/x.molv");
  EXPECT_EQ(RelativeSituationPath("/a/b/", "/a/c/x.molv"), "../c/x.molv");
  EXPECT_EQ(RelativeSituationPath("/a/bc/", "/a/bd/x.molv"), "../bd/x.molv");
  EXPECT_EQ(RelativeSituationPath("/a/b/c/", "/x.molv"), "../../../x.molv");
  EXPECT_EQ(RelativeSituationPath("", "/a/x.molv"), "/a/x.molv");
}

}  // namespace

}  // namespace molvane
