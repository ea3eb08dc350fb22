// Opens the graph window with automatic detection and writes text in it: the built-in
// 8 x 8 font in several sizes, colours and both directions, justified text, and a small
// stroked font that this program writes as a font file of its own. Then it keeps the
// window until it is closed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "graph/graph.h"
#include "graph/text.h"
#include "graphwin/driver.h"

namespace {

// One stroke in font units, x to the right and y up from the baseline.
struct Stroke {
  bool draw;  // else a move
  int x, y;
};
struct Letter {
  char code;
  uint8_t width;
  std::vector<Stroke> strokes;
};

constexpr bool D = true, M = false;

// Capital letters of straight strokes, 16 units high.
const std::vector<Letter> Letters = {
    {' ', 8, {}},
    {'E', 13, {{M, 10, 0}, {D, 0, 0}, {D, 0, 16}, {D, 10, 16}, {M, 0, 8}, {D, 7, 8}}},
    {'H', 14, {{M, 0, 0}, {D, 0, 16}, {M, 10, 0}, {D, 10, 16}, {M, 0, 8}, {D, 10, 8}}},
    {'I', 5, {{M, 0, 0}, {D, 0, 16}}},
    {'L', 12, {{M, 0, 16}, {D, 0, 0}, {D, 9, 0}}},
    {'O',
     14,
     {{M, 3, 0},
      {D, 7, 0},
      {D, 10, 3},
      {D, 10, 13},
      {D, 7, 16},
      {D, 3, 16},
      {D, 0, 13},
      {D, 0, 3},
      {D, 3, 0}}},
    {'T', 13, {{M, 0, 16}, {D, 10, 16}, {M, 5, 16}, {D, 5, 0}}},
    {'X', 13, {{M, 0, 0}, {D, 10, 16}, {M, 0, 16}, {D, 10, 0}}},
};

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t((v >> 8) & 0xFF));
}

// The font file: a 128-byte header that starts with the signature and holds 0x1A and 12
// bytes of font information, the 16-byte stroke header, an offset and a width for each
// code from the first to the last, then the strokes, two bytes each: the low 7 bits of
// each byte a signed coordinate, the top bits the operation (both: draw, first: move,
// neither: end of the character).
std::vector<uint8_t> FontFile() {
  const int first = ' ', last = 'X', count = last - first + 1;
  std::vector<uint8_t> strokes = {0, 0};  // codes without a letter share this empty list
  std::vector<int> offsets(count, 0), widths(count, 0);
  for (const Letter& letter : Letters) {
    offsets[letter.code - first] = int(strokes.size());
    widths[letter.code - first] = letter.width;
    for (const Stroke& s : letter.strokes) {
      strokes.push_back(uint8_t((s.x & 0x7F) | 0x80));
      strokes.push_back(uint8_t((s.y & 0x7F) | (s.draw ? 0x80 : 0)));
    }
    strokes.push_back(0);
    strokes.push_back(0);
  }

  std::vector<uint8_t> file = {0x50, 0x4B, 0x08, 0x08};
  const std::string note = "Demo stroke font\r\n";
  file.insert(file.end(), note.begin(), note.end());
  file.push_back(0x1A);
  Put16(file, 128);                                   // header size
  file.insert(file.end(), {'D', 'E', 'M', 'O'});      // name
  Put16(file, int(16 + 3 * count + strokes.size()));  // size of what follows
  file.insert(file.end(), {1, 0, 1, 0});              // versions
  file.resize(128, 0);

  const int ascent = 20, descent = -4;
  file.push_back('+');
  Put16(file, count);
  file.push_back(0);
  file.push_back(uint8_t(first));
  Put16(file, 16 + 3 * count);  // where the strokes start, from the stroke header
  file.push_back(0);
  file.push_back(uint8_t(ascent));
  file.push_back(0);
  file.push_back(uint8_t(descent));
  file.resize(file.size() + 5, 0);

  for (int o : offsets) Put16(file, o);
  for (int w : widths) file.push_back(uint8_t(w));
  file.insert(file.end(), strokes.begin(), strokes.end());
  return file;
}

// Writes DEMO.CHR into a fresh private folder; returns the folder, empty on failure.
std::string WriteFontFile() {
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  if (error) temp = "/tmp";
  // A name nobody has taken, made the folder's own by creating it.
  std::random_device random;
  std::string folder;
  for (int attempt = 0;; ++attempt) {
    folder = (temp / ("text_demo_" + std::to_string(random()))).string();
    if (std::filesystem::create_directory(folder, error)) break;
    if (attempt == 100) return std::string();
  }
  const std::vector<uint8_t> bytes = FontFile();
  std::ofstream out(std::filesystem::path(folder) / "DEMO.CHR", std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    std::filesystem::remove_all(folder, error);
    return std::string();
  }
  return folder;
}

void Cross(int x, int y) {
  SetColor(8);
  Line(int16_t(x - 40), int16_t(y), int16_t(x + 40), int16_t(y));
  Line(int16_t(x), int16_t(y - 40), int16_t(x), int16_t(y + 40));
}

void DrawBuiltInFont() {
  SetTextStyle(DefaultFont, HorizDir, 2);
  SetColor(15);
  OutTextXY(20, 20, "The built-in 8 x 8 font");
  int y = 60;
  for (uint16_t size = 1; size <= 4; ++size) {
    SetTextStyle(DefaultFont, HorizDir, size);
    SetColor(uint16_t(8 + size));
    OutTextXY(20, int16_t(y), "Size " + std::to_string(size) + ": Hello, world!");
    y += 8 * size + 6;
  }
  // The whole code page, 32 characters a line.
  SetTextStyle(DefaultFont, HorizDir, 1);
  SetColor(7);
  for (int line = 0; line < 8; ++line) {
    std::string text;
    for (int c = line * 32; c < line * 32 + 32; ++c) text += char(c);
    OutTextXY(20, int16_t(y + 12 * line), text);
  }
  // Upwards along the right edge.
  SetTextStyle(DefaultFont, VertDir, 2);
  SetColor(14);
  SetTextJustify(LeftText, BottomText);
  OutTextXY(int16_t(GetMaxX() - 30), int16_t(GetMaxY() - 20), "Vertical text runs upwards");
  SetTextJustify(LeftText, TopText);
}

void DrawJustified(int x, int y) {
  Cross(x, y);
  SetTextStyle(DefaultFont, HorizDir, 1);
  const struct {
    uint16_t horiz, vert;
    uint16_t color;
    const char* text;
  } cases[] = {{LeftText, TopText, 10, "left top"},
               {RightText, TopText, 12, "right top"},
               {LeftText, BottomText, 11, "left bottom"},
               {RightText, BottomText, 13, "right bottom"}};
  for (const auto& c : cases) {
    SetTextJustify(c.horiz, c.vert);
    SetColor(c.color);
    OutTextXY(int16_t(x), int16_t(y), c.text);
  }
  SetTextJustify(LeftText, TopText);
}

void DrawStrokedFont(uint16_t font, int x, int y) {
  for (uint16_t size : {4, 7, 10}) {
    SetTextStyle(font, HorizDir, size);
    SetColor(uint16_t(size == 4 ? 15 : size == 7 ? 10 : 12));
    OutTextXY(int16_t(x), int16_t(y), "HELLO TEXT");
    y += TextHeight("H") + 10;
  }
  SetTextStyle(font, VertDir, 7);
  SetColor(11);
  SetTextJustify(LeftText, BottomText);
  OutTextXY(int16_t(x - 60), int16_t(y), "HELLO");
  SetTextJustify(CenterText, 1);
  SetTextStyle(font, HorizDir, 7);
  Cross(x + 250, y + 40);
  SetColor(14);
  OutTextXY(int16_t(x + 250), int16_t(y + 40), "TEXT");
  SetTextJustify(LeftText, TopText);
}

}  // namespace

int main() {
  StartGraphWindowDriver();
  const std::string folder = WriteFontFile();
  if (folder.empty()) {
    std::fprintf(stderr,
                 "Could not write the demo font file in the temporary folder; the stroked text "
                 "is left out (check that TMPDIR names a writable folder).\n");
  }
  // The font is read once, when first selected; the folder goes after that.
  auto removeFolder = [&folder] {
    std::error_code error;
    if (!folder.empty()) std::filesystem::remove_all(folder, error);
  };

  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, folder);
  if (const int16_t result = GraphResult(); result != grOk) {
    removeFolder();
    std::fprintf(stderr, "graphics did not start (%d)\n", result);
    return 1;
  }
  DrawBuiltInFont();
  DrawJustified(GetMaxX() / 2 + 150, 120);

  const uint16_t font = InstallUserFont("DEMO");
  SetTextStyle(font, HorizDir, 4);
  removeFolder();
  if (const int16_t result = GraphResult(); result != grOk) {
    std::fprintf(stderr, "the demo font did not load (%d)\n", result);
  } else {
    DrawStrokedFont(font, GetMaxX() / 2 - 100, GetMaxY() / 2);
  }
  std::printf("Drawn in %d x %d; close the window to end.\n", GetMaxX() + 1, GetMaxY() + 1);
  std::fflush(stdout);

  while (MessageThreadExitCode() == STILL_ACTIVE) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}
