// Image files through the C front: what writeimagefile writes readimagefile draws back pixel
// for pixel, scaled into any rectangle, and bad files are refused without harm.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "c_front_fixture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr COLORREF Black = RGB(0, 0, 0);

class ImageFilesTest : public CFrontTest {
 protected:
  void SetUp() override {
    CFrontTest::SetUp();
    folder =
        fs::temp_directory_path() /
        ("bgigraph_images_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
  }
  void TearDown() override {
    CFrontTest::TearDown();
    fs::remove_all(folder);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }

  // A width x height block of distinct true colours at (x, y).
  static void drawGradient(int x, int y, int width, int height) {
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) putpixel(x + i, y + j, COLOR(i * 7, j * 11, (i + j) * 3));
  }
  static void expectGradient(int x, int y, int width, int height) {
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i)
        ASSERT_EQ(shown(x + i, y + j), RGB(i * 7, j * 11, (i + j) * 3)) << i << "," << j;
  }

  static Bytes load(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void save(const std::string& name, const Bytes& bytes) const {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  fs::path folder;
};

TEST_F(ImageFilesTest, WrittenBmpAndPngReadBackAsTheSamePixels) {
  start640x480();
  drawGradient(10, 20, 30, 17);
  writeimagefile(path("a.bmp").c_str(), 10, 20, 39, 36);
  writeimagefile(path("a.PNG").c_str(), 10, 20, 39, 36);
  ASSERT_EQ(graphresult(), grOk);
  const Bytes bmp = load(path("a.bmp")), png = load(path("a.PNG"));
  EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 2), Bytes({'B', 'M'}));
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 4), Bytes({0x89, 'P', 'N', 'G'}));

  for (const char* name : {"a.bmp", "a.PNG"}) {
    cleardevice();
    readimagefile(path(name).c_str(), 100, 200);  // at its own size
    ASSERT_EQ(graphresult(), grOk) << name;
    expectGradient(100, 200, 30, 17);
    EXPECT_EQ(shown(130, 200), Black) << name;  // nothing beyond it
    EXPECT_EQ(shown(100, 217), Black) << name;
  }
}

TEST_F(ImageFilesTest, ReadingIntoARectangleScalesAndTheViewportClips) {
  start640x480();
  drawGradient(0, 0, 4, 3);
  writeimagefile(path("small.png").c_str(), 0, 0, 3, 2);
  cleardevice();
  readimagefile(path("small.png").c_str(), 10, 10, 17, 15);  // twice the size
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 8; ++i)
      ASSERT_EQ(shown(10 + i, 10 + j), RGB(i / 2 * 7, j / 2 * 11, (i / 2 + j / 2) * 3));
  // Corners in any order.
  readimagefile(path("small.png").c_str(), 37, 35, 30, 30);
  EXPECT_EQ(getpixel(30, 30), unsigned(COLOR(0, 0, 0)));
  EXPECT_EQ(shown(37, 35), RGB(21, 22, 15));

  cleardevice();
  setviewport(100, 100, 104, 104, 1);
  readimagefile(path("small.png").c_str(), -2, -2, 13, 9);  // 4 times, clipped to the viewport
  setviewport(0, 0, getmaxx(), getmaxy(), 1);
  EXPECT_EQ(shown(100, 100), RGB(0, 0, 0));
  EXPECT_EQ(shown(104, 104), RGB(7, 11, 6));
  EXPECT_EQ(shown(105, 104), Black);
  EXPECT_EQ(shown(99, 100), Black);
}

TEST_F(ImageFilesTest, ReadsGifAndJpegToo) {
  start640x480();
  // A GIF of two pixels, red and blue, with its LZW codes (clear, 0, 1, end) written out.
  const Bytes gif = {'G',  'I', 'F',  '8',  '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,  // screen
                     255,  0,   0,    0,    0,   255,                          // two colours
                     0x2C, 0,   0,    0,    0,   2,   0, 1, 0, 0,              // image
                     2,    2,   0x44, 0x0A, 0,   0x3B};
  save(path("two.gif"), gif);
  readimagefile(path("two.gif").c_str(), 5, 5);
  ASSERT_EQ(graphresult(), grOk);
  EXPECT_EQ(shown(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(shown(6, 5), RGB(0, 0, 255));

  // A grey JPEG of 16 x 16; its colour comes back within the codec's loss.
  const std::vector<uint8_t> grey(16 * 16 * 3, 120);
  Bytes jpeg;
  stbi_write_jpg_to_func(
      [](void* out, void* data, int size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (int i = 0; i < size; ++i) static_cast<Bytes*>(out)->push_back(bytes[i]);
      },
      &jpeg, 16, 16, 3, grey.data(), 95);
  save(path("grey.jpg"), jpeg);
  readimagefile(path("grey.jpg").c_str(), 50, 50);
  ASSERT_EQ(graphresult(), grOk);
  const COLORREF middle = shown(58, 58);
  EXPECT_NEAR(GetRValue(middle), 120, 3);
  EXPECT_NEAR(GetBValue(middle), 120, 3);
  EXPECT_EQ(shown(66, 58), Black);
}

TEST_F(ImageFilesTest, BadNamesAndPathsAreErrorsThatDrawAndWriteNothing) {
  start640x480();
  setfillstyle(SOLID_FILL, COLOR(1, 2, 3));
  bar(0, 0, 639, 479);
  readimagefile(path("missing.png").c_str());
  EXPECT_EQ(graphresult(), grError);
  readimagefile(nullptr);
  EXPECT_EQ(graphresult(), grError);
  readimagefile(folder.string().c_str());  // a folder is no image
  EXPECT_EQ(graphresult(), grError);
  save(path("empty.bmp"), {});
  readimagefile(path("empty.bmp").c_str());
  EXPECT_EQ(graphresult(), grError);
  EXPECT_EQ(shown(0, 0), RGB(1, 2, 3));

  writeimagefile(nullptr);
  EXPECT_EQ(graphresult(), grError);
  writeimagefile(path("no/such/folder/a.bmp").c_str());
  EXPECT_EQ(graphresult(), grError);
  writeimagefile(path("outside.bmp").c_str(), 700, 500, 800, 600);  // nothing of it shown
  EXPECT_EQ(graphresult(), grError);
  EXPECT_FALSE(fs::exists(path("outside.bmp")));

  writeimagefile(path("whole.bmp").c_str());  // the defaults: the whole window
  EXPECT_EQ(graphresult(), grOk);
  readimagefile(path("whole.bmp").c_str(), 0, 0, 0, 0);
  EXPECT_EQ(graphresult(), grOk);
}

// Sets the 32-bit little-endian or big-endian field at offset.
void Put32(Bytes& bytes, size_t offset, uint32_t v, bool bigEndian) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + size_t(i)] = uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i));
}

// Run under the address sanitizer by make sanitize: damaged files never read out of bounds.
TEST_F(ImageFilesTest, HugeTruncatedAndDamagedFilesAreRefusedWithoutHarm) {
  start640x480();
  drawGradient(0, 0, 24, 16);
  writeimagefile(path("good.png").c_str(), 0, 0, 23, 15);
  writeimagefile(path("good.bmp").c_str(), 0, 0, 23, 15);
  const Bytes png = load(path("good.png")), bmp = load(path("good.bmp"));
  ASSERT_GT(png.size(), 33u);
  ASSERT_GT(bmp.size(), 54u);

  // Declared sizes above 16384 are refused before anything is decoded.
  setfillstyle(SOLID_FILL, COLOR(1, 2, 3));
  bar(0, 0, 639, 479);
  for (const uint32_t side : {16385u, 100000u, 0x7FFFFFFFu}) {
    Bytes widePng = png, tallBmp = bmp;
    Put32(widePng, 16, side, true);   // IHDR width (its checksum no longer fits either)
    Put32(tallBmp, 22, side, false);  // BITMAPINFOHEADER height
    save(path("huge.png"), widePng);
    save(path("huge.bmp"), tallBmp);
    readimagefile(path("huge.png").c_str());
    EXPECT_EQ(graphresult(), grError) << side;
    readimagefile(path("huge.bmp").c_str());
    EXPECT_EQ(graphresult(), grError) << side;
  }
  EXPECT_EQ(shown(0, 0), RGB(1, 2, 3));

  std::mt19937 random(22);
  int files = 0;
  for (const Bytes* good : {&png, &bmp}) {
    for (size_t length = 0; length < good->size(); length += 1 + good->size() / 60, ++files) {
      save(path("cut"), Bytes(good->begin(), good->begin() + std::ptrdiff_t(length)));
      readimagefile(path("cut").c_str());
      const int result = graphresult();
      ASSERT_TRUE(result == grOk || result == grError) << length;
      if (length < 16) {
        EXPECT_EQ(result, grError) << length;  // not even a header
      }
    }
    for (int i = 0; i < 120; ++i, ++files) {
      Bytes damaged = *good;
      for (int flips = 0; flips < 1 + i % 4; ++flips)
        damaged[random() % damaged.size()] ^= uint8_t(1 + random() % 255);
      save(path("damaged"), damaged);
      readimagefile(path("damaged").c_str(), 0, 0, 47, 31);
      const int result = graphresult();
      ASSERT_TRUE(result == grOk || result == grError) << i;
    }
  }
  EXPECT_GE(files, 300);
}

}  // namespace
