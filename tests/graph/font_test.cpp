// Text style, the font registry and the font-file loader.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "font_file.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "test_driver.h"
#include "testing/test_font.h"

using namespace testing_support;

namespace {

// A started layer whose DriverPath is a fresh directory.
std::string StartWithFontDir() {
  StartLayer();
  std::string dir = testing_support::TempDir();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, dir);
  EXPECT_EQ(GraphResult(), grOk);
  return dir;
}

}  // namespace

TEST(SetTextStyle, BuiltInFontSizesDirectionsAndScales) {
  StartWithFontDir();
  SetTextStyle(DefaultFont, HorizDir, 2);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.TextSettings.CharSize, 2);
  EXPECT_EQ(Graph.TextSettings.XScale, 0.65f);
  EXPECT_EQ(Graph.TextSettings.YScale, 0.65f);

  SetTextStyle(DefaultFont, HorizDir, 12);
  EXPECT_EQ(Graph.TextSettings.CharSize, 10);
  EXPECT_EQ(Graph.TextSettings.XScale, 0.65f);  // sizes above 10 keep the scale
  SetTextStyle(DefaultFont, 5, 0);
  EXPECT_EQ(Graph.TextSettings.Direction, HorizDir);
  EXPECT_EQ(Graph.TextSettings.CharSize, 1);
  SetTextStyle(DefaultFont, VertDir, 9);
  EXPECT_EQ(Graph.TextSettings.Direction, VertDir);
  EXPECT_EQ(Graph.TextSettings.XScale, 3.0f);
  EXPECT_EQ(GraphResult(), grOk);
}

TEST(SetTextStyle, FontNumberAboveTheRegistryChangesNothing) {
  StartWithFontDir();
  SetTextStyle(DefaultFont, VertDir, 3);
  SetTextStyle(11, HorizDir, 1);
  EXPECT_EQ(GraphResult(), grInvalidFontNum);
  EXPECT_EQ(Graph.TextSettings.Direction, VertDir);
  EXPECT_EQ(Graph.TextSettings.CharSize, 3);
  EXPECT_EQ(Graph.TextSettings.XScale, 0.75f);
}

TEST(SetTextStyle, MissingFontFileFallsBackToTheBuiltInFont) {
  std::string dir = StartWithFontDir();
  SetTextStyle(DefaultFont, HorizDir, 2);
  SetTextStyle(SansSerifFont, HorizDir, 12);
  EXPECT_EQ(GraphResult(), grFontNotFound);
  EXPECT_EQ(Graph.TextSettings.Font, DefaultFont);
  EXPECT_EQ(Graph.TextSettings.CharSize, 12);
  EXPECT_EQ(Graph.TextSettings.XScale, 0.65f);

  // A directory of the font's name is no font file either.
  std::filesystem::create_directory(dir + "TRIP.CHR");
  SetTextStyle(TriplexFont, HorizDir, 4);
  EXPECT_EQ(GraphResult(), grFontNotFound);
  EXPECT_TRUE(Fonts[TriplexFont].Data.empty());
#ifndef _WIN32
  // Nor is a pipe, which would never end.
  ASSERT_EQ(mkfifo((dir + "GOTH.CHR").c_str(), 0600), 0);
  SetTextStyle(GothicFont, HorizDir, 4);
  EXPECT_EQ(GraphResult(), grFontNotFound);
#endif
  std::filesystem::remove_all(dir);
}

TEST(SetTextStyle, LoadsAFontFileOnce) {
  std::string dir = StartWithFontDir();
  std::vector<uint8_t> file = testing_support::BuildFont();
  testing_support::WriteFile(dir + "TRIP.CHR", file);
  SetTextStyle(TriplexFont, HorizDir, 4);
  ASSERT_EQ(GraphResult(), grOk);
  const FontEntry& f = Fonts[TriplexFont];
  EXPECT_EQ(Graph.TextSettings.Font, TriplexFont);
  EXPECT_EQ(f.Size, static_cast<int32_t>(file.size() + 1));
  EXPECT_EQ(f.Header[0], '+');
  EXPECT_EQ(f.Info[0], 0xA0);
  EXPECT_EQ(f.Info[11], 0xAB);
  EXPECT_EQ(f.Widths['A'], 4);
  EXPECT_EQ(f.Widths['C'], 6);
  EXPECT_EQ(f.Widths['D'], 0);
  EXPECT_EQ(f.Offsets['B'], 6);
  ASSERT_GE(f.Data.size(), 19u);
  EXPECT_EQ(f.Data[6], 0x80);  // B's strokes
  EXPECT_EQ(f.Data[8], 0x82);
  EXPECT_EQ(f.Data[18], 0);  // zeros behind the data

  std::filesystem::remove(dir + "TRIP.CHR");
  SetTextStyle(TriplexFont, VertDir, 1);  // already loaded: no file needed
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.TextSettings.Font, TriplexFont);
  std::filesystem::remove_all(dir);
}

TEST(SetTextStyle, FontsAreFoundBeforeInitGraphInTheWorkingDirectory) {
  StartLayer();
  std::string dir = testing_support::TempDir();
  auto kept = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  testing_support::WriteFile("LITT.CHR", testing_support::BuildFont());
  SetTextStyle(SmallFont, HorizDir, 4);  // DriverPath is still "."
  EXPECT_EQ(GraphResult(), grOk);
  std::filesystem::current_path(kept);
  std::filesystem::remove_all(dir);
}

TEST(SetTextStyle, MalformedFontFilesAreRefusedAndLoadNothing) {
  using Mutate = void (*)(std::vector<uint8_t>&);
  struct Case {
    const char* what;
    Mutate mutate;
  } cases[] = {
      {"signature", [](auto& f) { f[2] = 0x09; }},
      {"stroke mark", [](auto& f) { f[testing_support::StrokeHeaderAt] = '-'; }},
      {"no 0x1A", [](auto& f) { f[20] = 0; }},
      {"info past the header", [](auto& f) { f[20] = 0, f[120] = 0x1A; }},
      {"short header", [](auto& f) { f.resize(100); }},
      {"no stroke header", [](auto& f) { f.resize(140); }},
      {"truncated tables", [](auto& f) { f.resize(testing_support::TablesAt + 4); }},
      {"no stroke data", [](auto& f) { f.resize(testing_support::TablesAt + 9); }},
      {"count past 256", [](auto& f) { f[testing_support::StrokeHeaderAt + 4] = 254; }},
      {"negative count", [](auto& f) { f[testing_support::StrokeHeaderAt + 2] = 0x80; }},
      {"offset past data", [](auto& f) { f[testing_support::TablesAt + 2] = 18; }},
      {"negative offset", [](auto& f) { f[testing_support::TablesAt + 5] = 0xFF; }},
      {"empty file", [](auto& f) { f.clear(); }},
  };
  for (const Case& c : cases) {
    std::string dir = StartWithFontDir();
    std::vector<uint8_t> file = testing_support::BuildFont();
    c.mutate(file);
    testing_support::WriteFile(dir + "GOTH.CHR", file);
    SetTextStyle(GothicFont, HorizDir, 4);
    EXPECT_EQ(GraphResult(), grInvalidFont) << c.what;
    EXPECT_EQ(Graph.TextSettings.Font, DefaultFont) << c.what;
    EXPECT_TRUE(Fonts[GothicFont].Data.empty()) << c.what;
    EXPECT_EQ(Fonts[GothicFont].Size, 0) << c.what;
    std::filesystem::remove_all(dir);
  }
}

TEST(InstallUserFont, SixteenEntriesAtMost) {
  StartLayer();
  EXPECT_EQ(InstallUserFont("LONGNAMEFONT"), 11);
  EXPECT_STREQ(Fonts[11].Name, "LONGNAME");
  for (int n = 12; n <= 16; ++n) EXPECT_EQ(InstallUserFont("X"), n);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(InstallUserFont("ONEMORE"), 0);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(NumFonts, 16);
}

// Many mutated files: each is refused without a trace or loads consistent tables; run
// under the address sanitizer this also proves no read or write leaves a buffer.
TEST(FontLoader, SurvivesMutatedFiles) {
  std::mt19937 random(20261208);
  const std::vector<uint8_t> valid = testing_support::BuildFont({' ', 40, 12, -4});
  int loaded = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> file = valid;
    int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      switch (random() % 4) {
        case 0:
          file[random() % file.size()] = static_cast<uint8_t>(random());
          break;
        case 1:
          file.resize(random() % (file.size() + 1));
          break;
        case 2:
          file.push_back(static_cast<uint8_t>(random()));
          break;
        default: {
          // Aim at the fields that steer the loader.
          size_t fields[] = {20, 129, 130, 132, testing_support::TablesAt + 2 * (random() % 40)};
          size_t at = fields[random() % 5];
          if (at < file.size()) file[at] = static_cast<uint8_t>(random());
        }
      }
      if (file.empty()) break;
    }
    FontEntry entry;
    int16_t result = LoadFontFromBytes(file, entry);
    if (result != grOk) {
      ASSERT_EQ(result, grInvalidFont);
      ASSERT_TRUE(entry.Data.empty());
      ASSERT_EQ(entry.Size, 0);
      continue;
    }
    ++loaded;
    ASSERT_EQ(entry.Size, static_cast<int32_t>(file.size() + 1));
    ASSERT_EQ(entry.Data.size(), file.size() + 1);
    int count = static_cast<int16_t>(entry.Header[1] | (entry.Header[2] << 8));
    int first = entry.Header[4];
    ASSERT_LE(first + count, 256);
    for (int c = first; c < first + count; ++c) {
      ASSERT_GE(entry.Offsets[c], 0);
      ASSERT_LT(static_cast<size_t>(entry.Offsets[c]), entry.Data.size());
    }
  }
  EXPECT_GT(loaded, 0);  // the mutations leave some files valid
}
