#pragma once
// The layer's constants (result codes, drivers, write modes, fill and line styles, fonts,
// text placement) and the records its settings are kept and reported in.
#include <cstdint>

#include "graph/result_codes.h"

// Drivers, write modes, fills, lines, text.
constexpr int16_t Detect = 0;
constexpr uint16_t NormalPut = 0, XORPut = 1, OrPut = 2, AndPut = 3, NotPut = 4;
constexpr uint16_t EmptyFill = 0, SolidFill = 1, LineFill = 2, LtSlashFill = 3, SlashFill = 4,
                   BkSlashFill = 5, LtBkSlashFill = 6, HatchFill = 7, XHatchFill = 8,
                   InterleaveFill = 9, WideDotFill = 10, CloseDotFill = 11, UserFill = 12;
constexpr uint16_t SolidLn = 0, DottedLn = 1, CenterLn = 2, DashedLn = 3, UserBitLn = 4;
constexpr uint16_t NormWidth = 1, ThickWidth = 3;
constexpr uint16_t DefaultFont = 0, TriplexFont = 1, SmallFont = 2, SansSerifFont = 3,
                   GothicFont = 4, ScriptFont = 5, SimplexFont = 6, TriplexScrFont = 7,
                   ComplexFont = 8, EuropeanFont = 9, BoldFont = 10;
constexpr uint16_t HorizDir = 0, VertDir = 1;
constexpr uint16_t LeftText = 0, CenterText = 1, RightText = 2;
constexpr uint16_t BottomText = 0, TopText = 2;

struct LineSettingsType {
  uint16_t LineStyle = SolidLn;
  uint16_t Pattern = 0xFFFF;
  uint16_t Thickness = NormWidth;
};
struct FillSettingsType {
  uint16_t Pattern = SolidFill;
  uint16_t Color = 0;
};
struct TextSettingsType {
  uint16_t Font = DefaultFont;
  uint16_t Direction = HorizDir;
  uint16_t CharSize = 1;
  uint16_t Horiz = LeftText;
  uint16_t Vert = TopText;
  float XScale = 1.0f, YScale = 1.0f;  // stroke scale factors
};
struct ArcCoordsType {
  int16_t X = 0, Y = 0, XStart = 0, YStart = 0, XEnd = 0, YEnd = 0;
};
struct ViewPortState {
  int16_t X1 = 0, Y1 = 0;         // origin, absolute
  int16_t Width = 0, Height = 0;  // one less than the pixel counts
  bool ClipPixels = true;
};
