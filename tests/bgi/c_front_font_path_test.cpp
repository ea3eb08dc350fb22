// Where the C front finds a stroke font: a file in initgraph's driver folder, written as a
// DOS program writes it, then in the current folder, then the one built in.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "font_lookup.h"
#include "stroke_font_fixture.h"
#include "testing/test_font.h"

namespace {

namespace fs = std::filesystem;

// The test font: 'A' has text height top - descent at size 4.
std::vector<uint8_t> TestFont(int8_t top) {
  return testing_support::BuildFont({.top = top, .descent = -3});
}

// The folder as a DOS program would name it: backslashes, and a drive letter.
std::string DosName(const std::string& folder) {
#ifdef _WIN32
  std::string name = fs::path(folder).make_preferred().string();
  return name;
#else
  std::string name = "C:" + folder;
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
#endif
}

class FontPathTest : public StrokeFontTest {
 protected:
  void SetUp() override {
    StrokeFontTest::SetUp();
    folder_ = testing_support::TempDir();
  }
  void TearDown() override {
    StrokeFontTest::TearDown();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // settextstyle at size 4, then the height it gives "A".
  static int HeightOf(int font) {
    EXPECT_EQ(choose_font(font, HORIZ_DIR, 4), grOk) << font;
    EXPECT_EQ(font_in_use(), font);
    return textheight("A");
  }
  std::string folder_;
};

TEST_F(FontPathTest, AFileInTheDriverFolderWinsOverTheBuiltInFont) {
  testing_support::WriteFile(folder_ + "TRIP.CHR", TestFont(10));
  ASSERT_EQ(start_graphics_in(folder_.c_str()), grOk);
  EXPECT_EQ(HeightOf(TRIPLEX_FONT), 13);
  EXPECT_GT(HeightOf(GOTHIC_FONT), 13);  // no file: built in
}

TEST_F(FontPathTest, ADosPathWithDriveLetterAndBackslashesFindsTheFile) {
  testing_support::WriteFile(folder_ + "SANS.CHR", TestFont(20));
  const std::string dos = DosName(folder_.substr(0, folder_.size() - 1));  // no final slash
  ASSERT_EQ(start_graphics_in(dos.c_str()), grOk);
  EXPECT_EQ(HeightOf(SANS_SERIF_FONT), 23);
}

TEST_F(FontPathTest, TheCurrentFolderComesAfterTheDriverFolderAndBeforeTheBuiltInFont) {
  const std::string current = testing_support::TempDir();
  testing_support::WriteFile(folder_ + "TRIP.CHR", TestFont(10));
  testing_support::WriteFile(current + "TRIP.CHR", TestFont(20));
  testing_support::WriteFile(current + "GOTH.CHR", TestFont(20));
  const fs::path saved = fs::current_path();
  fs::current_path(current);
  ASSERT_EQ(start_graphics_in(folder_.c_str()), grOk);
  const int trip = HeightOf(TRIPLEX_FONT), goth = HeightOf(GOTHIC_FONT), bold = HeightOf(BOLD_FONT);
  fs::current_path(saved);
  fs::remove_all(current);
  EXPECT_EQ(trip, 13);
  EXPECT_EQ(goth, 23);
  EXPECT_NE(bold, 13);
  EXPECT_NE(bold, 23);
}

TEST_F(FontPathTest, DriverPathsThatLeadNowhereAreNoError) {
  for (const char* path : {"C:\\TC\\BGI", "", "C:", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(path ? path : "NULL");
    ASSERT_EQ(start_graphics_in(path), grOk);
    EXPECT_GT(HeightOf(SCRIPT_FONT), 8);
    end_graphics();
  }
}

TEST_F(FontPathTest, ACorruptFileGivesInvalidFontAndTextGoesOnInFontZero) {
  std::vector<uint8_t> cut = TestFont(10);
  cut.resize(150);  // tables cut off
  const std::vector<std::vector<uint8_t>> broken = {{'J', 'U', 'N', 'K'}, cut, {}};
  ASSERT_EQ(start_graphics_in(folder_.c_str()), grOk);
  for (const auto& bytes : broken) {
    SCOPED_TRACE(bytes.size());
    testing_support::WriteFile(folder_ + "TRIP.CHR", bytes);
    EXPECT_EQ(choose_font(TRIPLEX_FONT, HORIZ_DIR, 2), grInvalidFont);
    EXPECT_EQ(font_in_use(), DEFAULT_FONT);
    EXPECT_EQ(textheight("A"), 16);  // the built-in font at size 2
    EXPECT_EQ(draw_title(LEFT_TEXT, TOP_TEXT, 10, 10, "A"), grOk);
  }
  fs::remove(folder_ + "TRIP.CHR");  // once it is gone, the built-in font serves
  EXPECT_GT(HeightOf(TRIPLEX_FONT), 13);
}

TEST_F(FontPathTest, AFontNumberOutOfRangeChangesNothing) {
  ASSERT_EQ(start_graphics_in(""), grOk);
  ASSERT_EQ(choose_font(EUROPEAN_FONT, VERT_DIR, 3), grOk);
  const int height = textheight("A");
  // Other tests in this process may have registered fonts of their own.
  for (int number : {NumFonts + 1, -1, 1000, 70000}) {
    EXPECT_EQ(choose_font(number, HORIZ_DIR, 5), grInvalidFontNum) << number;
    EXPECT_EQ(font_in_use(), EUROPEAN_FONT);
    EXPECT_EQ(textheight("A"), height);
  }
}

TEST_F(FontPathTest, AUserFontWithoutAFileIsNotFound) {
  ASSERT_EQ(start_graphics_in(folder_.c_str()), grOk);
  const int number = installuserfont("NOSUCH");
  ASSERT_GT(number, BOLD_FONT);
  EXPECT_EQ(choose_font(number, HORIZ_DIR, 4), grFontNotFound);
  EXPECT_EQ(font_in_use(), DEFAULT_FONT);
}

#ifndef _WIN32
TEST(FontFolder, DosNamesBecomeThisSystemsFolders) {
  EXPECT_EQ(bgi::FontFolder("C:\\TC\\BGI"), "/TC/BGI/");
  EXPECT_EQ(bgi::FontFolder("d:fonts\\"), "fonts/");
  EXPECT_EQ(bgi::FontFolder("C:"), "");
  EXPECT_EQ(bgi::FontFolder(""), "");
  EXPECT_EQ(bgi::FontFolder("fonts"), "fonts/");
  EXPECT_EQ(bgi::FontFolder("1:x"), "1:x/");  // no drive letter
}
#endif

}  // namespace
