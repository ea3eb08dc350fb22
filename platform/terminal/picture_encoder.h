#pragma once
// Turns a pixel picture into terminal output: one character cell shows two pixels, the
// upper one as the foreground of an upper half block and the lower one as its background
// (a cell whose two pixels agree is a blank in the background colour). It remembers what
// the terminal shows, so only cells that changed are sent, and colour escapes only where
// the colour changes.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "surface.h"

namespace platform::terminal {

// A block of cells, first and last included.
struct CellArea {
  int firstColumn = 0, firstRow = 0, lastColumn = -1, lastRow = -1;
};

class PictureEncoder {
 public:
  // The picture takes columns x rows cells from the terminal's top-left corner. Nothing is
  // known about what they show until encode has sent them.
  void reset(int columns, int rows);
  // Other output moved the cursor or changed the colours since the last encode.
  void forgetCursorAndColors();
  // Forgets what the cells show, so the next encode sends every one (the terminal was
  // cleared or redrawn by someone else).
  void forgetCells();

  int columns() const { return columns_; }
  int rows() const { return rows_; }

  // Appends to out what brings the cells of area (clipped to the picture) to the pixels of
  // picture; pixel (x, y) belongs to cell (x, y / 2). Pixels beyond the picture are black.
  void encode(const PixelSurface& picture, CellArea area, std::string& out);

 private:
  static constexpr uint32_t Unknown = 0xFFFFFFFF;  // no COLORREF has the top byte set

  void moveTo(int column, int row, std::string& out);
  void setColors(uint32_t foreground, uint32_t background, std::string& out);
  bool needsNoEscape(uint32_t top, uint32_t bottom) const;
  void putCell(uint32_t top, uint32_t bottom, std::string& out);

  int columns_ = 0, rows_ = 0;
  std::vector<uint32_t> shownTop_, shownBottom_;
  uint32_t foreground_ = Unknown, background_ = Unknown;
  int cursorColumn_ = -1, cursorRow_ = -1;  // -1: unknown
};

}  // namespace platform::terminal
