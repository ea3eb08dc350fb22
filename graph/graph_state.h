#pragma once
// The layer's process-wide state. Drivers read the drawing state from here; only the
// layer writes it (drivers may set ResultCode).
#include <cstdint>
#include <string>

#include "graph/mode_record.h"

// Result codes.
constexpr int16_t grOk = 0;
constexpr int16_t grNoInitGraph = -1;
constexpr int16_t grNotDetected = -2;
constexpr int16_t grFileNotFound = -3;
constexpr int16_t grInvalidDriver = -4;
constexpr int16_t grNoLoadMem = -5;
constexpr int16_t grNoScanMem = -6;
constexpr int16_t grNoFloodMem = -7;
constexpr int16_t grFontNotFound = -8;
constexpr int16_t grNoFontMem = -9;
constexpr int16_t grInvalidMode = -10;
constexpr int16_t grError = -11;
constexpr int16_t grIOerror = -12;
constexpr int16_t grInvalidFont = -13;
constexpr int16_t grInvalidFontNum = -14;
constexpr int16_t grInvalidDeviceNum = -15;
constexpr int16_t grInvalidVersion = -18;

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

struct GraphState {
  int16_t ResultCode = grOk;
  bool IsGraphMode = false;
  std::string DriverPath = ".";
  std::string DriverName;
  int16_t CurrentDriver = 0;
  int16_t CurrentDepthDriver = 0;
  int16_t CurrentMode = 0;
  int16_t MaxX = 0, MaxY = 0;
  int32_t MaxColor = 0;
  int32_t PaletteSize = 0;
  uint16_t XAspect = 0, YAspect = 0;
  bool DirectColor = false;
  bool FirstStart = true;

  // Drawing state (GraphDefaults).
  uint16_t CurrentColor = 15;
  uint16_t BkColor = 0;
  uint16_t WriteMode = NormalPut;
  FillSettingsType FillSettings;
  uint8_t UserFillPattern[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  LineSettingsType LineSettings;
  ViewPortState ViewPort;
  int16_t CurrentX = 0, CurrentY = 0;
  TextSettingsType TextSettings;
  ArcCoordsType ArcCoords;

  ModeSlots Slots;  // the operations in force: the mode's, or generic / stop routines
};

extern GraphState Graph;

// Puts the line settings and the write mode back as they were when it was made, on every
// way out of the routine that made it.
class SavedLineState {
 public:
  SavedLineState() : line_(Graph.LineSettings), writeMode_(Graph.WriteMode) {}
  ~SavedLineState() {
    Graph.LineSettings = line_;
    Graph.WriteMode = writeMode_;
  }
  SavedLineState(const SavedLineState&) = delete;
  SavedLineState& operator=(const SavedLineState&) = delete;

 private:
  LineSettingsType line_;
  uint16_t writeMode_;
};

// Driver-side hooks of the layer, filled by the window driver at start-up.
using DriverHook = void (*)();
extern DriverHook OnceOnlyStartHook;  // run by the first InitGraph
extern DriverHook CompanionHook;      // filled with the start hook, never called by the layer
extern DriverHook CloseGraphHook;     // the driver's CloseGraph
