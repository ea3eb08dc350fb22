// Text in stroked fonts loaded from files that the tests build.
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "testing/portable.h"
#include "text_test_support.h"

namespace {

// Ascent 8, descent 2: text height 10 at size 4 (scale 1.0).
const std::vector<StrokedGlyph> Glyphs = {
    // I: a bar of 6 up from the baseline; what follows the end mark is never drawn.
    {'I', 3, {{'m', 0, 0}, {'d', 0, 6}, {'e', 0, 0}, {'d', 6, 6}}},
    // L: down the stem and along the baseline, an ignored stroke between.
    {'L', 6, {{'m', 0, 6}, {'d', 0, 0}, {'i', 20, 20}, {'d', 4, 0}, {'e', 0, 0}}},
    // N: starts drawing from wherever the pen was left.
    {'N', 5, {{'d', 1, 3}, {'e', 0, 0}}},
    // Z: negative coordinates, below the baseline and left of the origin.
    {'Z', 4, {{'m', -2, -2}, {'d', 2, -2}, {'e', 0, 0}}},
};

// Finds a registered font by name.
uint16_t FontNamed(const std::string& name) {
  for (int i = 1; i <= NumFonts; ++i) {
    if (name == Fonts[i].Name) return uint16_t(i);
  }
  return 0;
}

// Writes the bytes as NAME.CHR into a folder of its own, registers NAME and selects it;
// returns its font number. The loaded data stays with the entry, so the folder goes.
uint16_t LoadFont(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path folder = testing_support::MakeTempFolder("text_stroked_test_");
  std::ofstream(folder / (name + ".CHR"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  uint16_t font = FontNamed(name);
  if (font == 0) font = InstallUserFont(name);
  EXPECT_GT(font, 0);
  const std::string saved = Graph.DriverPath;
  Graph.DriverPath = folder.string() + "/";
  SetTextStyle(font, HorizDir, 4);
  Graph.DriverPath = saved;
  std::filesystem::remove_all(folder);
  return font;
}

class StrokedTextTest : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    if (HasFatalFailure()) return;
    // Loaded fonts stay with their entry; one entry serves every test.
    font_ = FontNamed("TESTFNT");
    if (font_ == 0) font_ = LoadFont("TESTFNT", BuildFontFile(Glyphs, 8, -2));
    ASSERT_EQ(GraphResult(), grOk);
    selectFont(HorizDir, 4);
  }
  void selectFont(uint16_t direction, uint16_t size) {
    SetTextStyle(font_, direction, size);
    ASSERT_EQ(Graph.TextSettings.Font, font_);
  }
  uint16_t font_ = 0;
};

// The driver draws a whole text under one hold of graphLock: a reader on another thread
// sees every text whole, in one colour, or not at all, never some of its lines only.
TEST_F(StrokedTextTest, AReaderOnAnotherThreadSeesAWholeTextOrNone) {
  SetTextStyle(font_, HorizDir, 40);  // big strokes: a text takes a while to draw
  const HWND window = graphWindow;
  std::atomic<bool> drawn{false};
  int looks = 0, torn = 0;
  std::thread reader([&] {
    while (!drawn) {
      const PixelSurface shot = headless::Snapshot(window);
      ++looks;
      COLORREF lit = 0;  // the colour of the first lit pixel
      bool mixed = false;
      for (int y = 0; y < 300; ++y) {  // the text lies well inside
        for (int x = 0; x < 400; ++x) {
          const COLORREF v = shot.pixel(x, y);
          if (v != 0 && lit == 0) lit = v;
          mixed |= v != 0 && v != lit;
        }
      }
      torn += mixed;
    }
  });
  for (int i = 0; i < 1500; ++i) {
    SetColor(uint16_t(1 + i % 15));
    OutTextXY(50, 50, "LILN");
    std::this_thread::yield();  // lets the reader in between texts
  }
  drawn = true;
  reader.join();
  EXPECT_EQ(torn, 0) << "in " << looks << " looks";
  EXPECT_FALSE(ChangedPixels(0, 0, 399, 299, 0).empty());
}

TEST_F(StrokedTextTest, HorizontalStrokesMoveDrawEndAndAdvanceByWidths) {
  // TopText puts the baseline H = 10 below the start point: y = 60.
  OutTextXY(50, 50, "ILN");
  EXPECT_EQ(AllChangedPixels(0), SegmentPixels({
                                     {{50, 60}, {50, 54}},  // I
                                     {{53, 54}, {53, 60}},  // L stem
                                     {{53, 60}, {57, 60}},  // L base
                                     {{57, 60}, {60, 57}},  // N, from the pen L left
                                 }));
  FillBoth(0);
  OutTextXY(100, 100, "Z");
  EXPECT_EQ(AllChangedPixels(0), SegmentPixels({{{98, 112}, {102, 112}}}));
}

TEST_F(StrokedTextTest, VerticalTextIsTurnedAnticlockwiseAndRunsUpwards) {
  selectFont(VertDir, 4);
  // TopText for vertical text moves down by W = 14; then x moves right by H = 10.
  OutTextXY(50, 50, "ILN");
  EXPECT_EQ(AllChangedPixels(0), SegmentPixels({
                                     {{60, 64}, {54, 64}},  // I
                                     {{54, 61}, {60, 61}},  // L stem
                                     {{60, 61}, {60, 57}},  // L base
                                     {{60, 57}, {57, 54}},  // N
                                 }));
}

TEST_F(StrokedTextTest, CoordinatesScaleWithTheCharacterSize) {
  selectFont(HorizDir, 7);  // 2.0
  OutTextXY(50, 50, "IL");
  EXPECT_EQ(AllChangedPixels(0), SegmentPixels({
                                     {{50, 70}, {50, 58}},
                                     {{56, 58}, {56, 70}},
                                     {{56, 70}, {64, 70}},
                                 }));
  // 0.55: H = 5; points are kept as fractions and truncated only for each line.
  FillBoth(0);
  selectFont(HorizDir, 1);
  OutTextXY(50, 50, "IL");
  EXPECT_EQ(AllChangedPixels(0), SegmentPixels({
                                     {{50, 55}, {50, 51}},
                                     {{51, 51}, {51, 55}},
                                     {{51, 55}, {53, 55}},
                                 }));
}

TEST_F(StrokedTextTest, StrokesAreSolidThinNormalLinesAndTheSettingsComeBack) {
  const COLORREF white = ColorToRGB(15);
  FillBoth(white);
  SetLineStyle(UserBitLn, 0x1234, ThickWidth);
  SetWriteMode(XORPut);
  SetColor(4);
  OutTextXY(50, 50, "I");
  const PixelSet drawn = ChangedPixels(0, 0, 200, 200, white);
  EXPECT_EQ(drawn, SegmentPixels({{{50, 60}, {50, 54}}}));
  for (const auto& [x, y] : drawn) EXPECT_EQ(BitmapAt(x, y), ColorToRGB(4));
  EXPECT_EQ(Graph.LineSettings.LineStyle, UserBitLn);
  EXPECT_EQ(Graph.LineSettings.Pattern, 0x1234);
  EXPECT_EQ(Graph.LineSettings.Thickness, ThickWidth);
  EXPECT_EQ(Graph.WriteMode, XORPut);
}

TEST_F(StrokedTextTest, JustificationUsesTextWidthAndHeight) {
  // "ILN": W = 14, H = 10; "IL": W = 9, halves rounded down.
  struct Case {
    uint16_t direction, horiz, vert;
    const char* text;
    int h, v;
  };
  const Case cases[] = {
      {HorizDir, CenterText, 1, "ILN", 7, 5},         {HorizDir, RightText, TopText, "ILN", 14, 10},
      {HorizDir, CenterText, BottomText, "IL", 4, 0}, {VertDir, CenterText, TopText, "ILN", 5, 14},
      {VertDir, RightText, 1, "IL", 10, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direction << " " << c.horiz << " " << c.vert);
    FillBoth(0);
    selectFont(c.direction, 4);
    SetTextJustify(LeftText, BottomText);  // no offsets at all
    OutTextXY(int16_t(300 - c.h), int16_t(300 + c.v), c.text);
    const PixelSet reference = AllChangedPixels(0);
    ASSERT_FALSE(reference.empty());
    FillBoth(0);
    SetTextJustify(c.horiz, c.vert);
    OutTextXY(300, 300, c.text);
    EXPECT_EQ(AllChangedPixels(0), reference);
  }
}

TEST_F(StrokedTextTest, CharactersTheFontLacksDrawNothingAndTakeNoRoom) {
  OutTextXY(50, 50, "IL");
  const PixelSet reference = AllChangedPixels(0);
  FillBoth(0);
  // 'A', 'a' and 0xFF lie outside the font's codes; 'Q' inside, with no strokes and width
  // 0. Read from offset 0, the trailing 0xFF would draw an I at x = 59.
  OutTextXY(50, 50, "AIaQL\xFF");
  EXPECT_EQ(AllChangedPixels(0), reference);
}

TEST_F(StrokedTextTest, FileWithStrokeOffsetsOutsideItsDataLoadsNothing) {
  std::vector<uint8_t> bytes = BuildFontFile(Glyphs, 8, -2);
  // The offset table starts at 144; 'L' is the fourth code from 'I'.
  const size_t at = 144 + 2 * ('L' - 'I');
  bytes[at] = 0xFF;
  bytes[at + 1] = 0x7F;
  const uint16_t font = LoadFont("BADOFFS", bytes);
  EXPECT_EQ(GraphResult(), grInvalidFont);
  EXPECT_EQ(Graph.TextSettings.Font, DefaultFont);
  EXPECT_TRUE(Fonts[font].Data.empty());
}

TEST_F(StrokedTextTest, DataThatRunsOutOrOffsetsOutsideItDrawOnlyWhatIsThere) {
  // An entry filled by hand, as if a loader had let bad offsets through. The block holds
  // exactly L's move and draw and one stray byte, with no end mark.
  uint16_t font = FontNamed("RAWFNT");
  if (font == 0) font = InstallUserFont("RAWFNT");
  FontEntry& entry = Fonts[font];
  entry.Header[0] = '+';
  entry.Header[1] = 'N' - 'I' + 1;
  entry.Header[4] = 'I';
  entry.Header[8] = 8;
  entry.Header[10] = uint8_t(-2);
  auto [m1, m2] = EncodeStroke({'m', 0, 6});
  auto [d1, d2] = EncodeStroke({'d', 0, 0});
  entry.Data = std::vector<uint8_t>{m1, m2, d1, d2, 0x85};
  entry.Size = 5;
  entry.Offsets['I'] = 30000;
  entry.Offsets['L'] = 0;
  entry.Offsets['M'] = 4;
  entry.Offsets['N'] = -4;
  entry.Widths['I'] = 3;
  entry.Widths['L'] = 6;
  for (uint16_t direction : {HorizDir, VertDir}) {
    FillBoth(0);
    SetTextStyle(font, direction, 4);
    ASSERT_EQ(Graph.TextSettings.Font, font);
    OutTextXY(50, 50, "ILMN");
    // Only L's stem; I draws nothing but keeps its width.
    EXPECT_EQ(AllChangedPixels(0), direction == HorizDir ? SegmentPixels({{{53, 54}, {53, 60}}})
                                                         : SegmentPixels({{{54, 56}, {60, 56}}}));
  }
}

}  // namespace
