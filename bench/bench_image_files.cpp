// Image files through the C front, headless: a 640 x 480 picture of many colours written as
// PNG and BMP with writeimagefile, and the PNG drawn back with readimagefile at its own size
// and scaled to half. Printed as "ratio NAME VALUE", in milliseconds (medians):
//   image_write_png_ms (aim: 30 or less), image_write_bmp_ms, image_read_png_ms (aim: 20 or
//   less), image_read_png_scaled_ms
#include <graphics.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_stats.h"
#include "testing/portable.h"

namespace {

// A picture a photograph-like file would hold: a gradient over the whole window with shapes
// in true colours and numbers on it, so the PNG coder has real work.
void DrawPicture() {
  for (int y = 0; y <= getmaxy(); ++y) {
    for (int x = 0; x <= getmaxx(); ++x)
      putpixel(x, y, COLOR(x * 255 / 639, y * 255 / 479, (x ^ y) & 255));
  }
  for (int i = 0; i < 40; ++i) {
    setfillstyle(i % 12, i % 2 ? COLOR(i * 6, 255 - i * 6, 128) : i % 16);
    fillellipse(30 + i * 15, 60 + (i * 37) % 360, 20, 15);
  }
}

void Report(const char* what, const char* name, Timing t) {
  Print(what, "ms", t);
  std::printf("ratio %s %.3f\n", name, t.median);
}

}  // namespace

int main() {
  testing_support::SetEnvironment("GRAPHWIN_BACKEND", "headless");
  int driver = VGA, mode = VGAHI;
  initgraph(&driver, &mode, "");
  if (graphresult() != grOk) {
    std::puts("  graphics did not start; nothing measured");
    return 1;
  }
  DrawPicture();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string png = (folder / "bgigraph_bench_image.png").string();
  const std::string bmp = (folder / "bgigraph_bench_image.bmp").string();

  const Timing writePng =
      Measure(15, [&] { return MillisecondsOf([&] { writeimagefile(png.c_str()); }); });
  const Timing writeBmp =
      Measure(15, [&] { return MillisecondsOf([&] { writeimagefile(bmp.c_str()); }); });
  const Timing readPng =
      Measure(15, [&] { return MillisecondsOf([&] { readimagefile(png.c_str()); }); });
  const Timing readScaled = Measure(
      15, [&] { return MillisecondsOf([&] { readimagefile(png.c_str(), 0, 0, 319, 239); }); });
  const bool ok = graphresult() == grOk;
  closegraph();
  std::printf("PNG of 640 x 480: %ju bytes\n", std::uintmax_t(std::filesystem::file_size(png)));
  std::filesystem::remove(png);
  std::filesystem::remove(bmp);
  if (!ok) {
    std::puts("  an image routine failed");
    return 1;
  }
  Report("writeimagefile 640 x 480 PNG", "image_write_png_ms", writePng);
  Report("writeimagefile 640 x 480 BMP", "image_write_bmp_ms", writeBmp);
  Report("readimagefile 640 x 480 PNG", "image_read_png_ms", readPng);
  Report("readimagefile 640 x 480 PNG to 320 x 240", "image_read_png_scaled_ms", readScaled);
  return 0;
}
