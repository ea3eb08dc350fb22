#pragma once
// The pages of a palette window: per page one plane of colour numbers, 32 bits a pixel so
// that a plane holds true colours (TrueColorFlag | RGB, graphwin/true_color.h) beside them. Drawing
// goes to the active page; the window shows the visual one through the palette, so a palette change
// recolours what is shown. The game's windows have no pages: their bitmap holds RGB values.
#include <cstddef>
#include <cstdint>
#include <vector>

// Pages of every palette window. A classic VGA had one page at 640 x 480, but programs
// written for it flip between two (as they did on the EGA), and a second page costs only
// memory here; one count serves every size alike.
constexpr int PalettePages = 2;

struct PagePlanes {
  int width = 0, height = 0;
  int active = 0, visual = 0;
  std::vector<std::vector<uint32_t>> planes;  // one per page, row by row, black when made

  bool inUse() const { return !planes.empty(); }
  bool activeShown() const { return active == visual; }
  uint32_t* row(int page, int y) { return planes[size_t(page)].data() + size_t(y) * size_t(width); }
  uint32_t* activeRow(int y) { return row(active, y); }
};

// Made with a palette window and dropped with it; under graphLock.
extern PagePlanes pagePlanes;

// Makes count black pages of width x height, page 0 active and visual; 0 pages are none.
// Expects graphLock to be held.
void MakePagesLocked(int width, int height, int count);
// What the write modes XORPut, OrPut and AndPut make of two values a page keeps: colour
// numbers combine as numbers, and where a true colour takes part the RGB values combine
// into a true colour.
uint32_t CombinePageValues(uint32_t present, uint32_t source, uint16_t mode);
// Frees the pages. Expects graphLock to be held.
void DropPagesLocked();
// Puts the whole visual page on the enabled surfaces through the current palette and shows
// it with one present. Expects graphLock to be held.
void ShowVisualPageLocked();

// The SetActivePage and SetVisualPage slots of the palette windows: grError for a page the
// window lacks. A visual page is shown whole under one hold of graphLock, so no reader
// sees half of it. The program's thread.
void DriverSetActivePage(uint16_t page);
void DriverSetVisualPage(uint16_t page);
