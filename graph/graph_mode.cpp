// Start of graphics mode, installation of a mode's operations, the default drawing state
// and the viewport.
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "layer_internal.h"
#include "runtime/exit_chain.h"

namespace {

constexpr size_t MaxPathLength = 255;

}  // namespace

void InitGraph(int16_t& driver, int16_t& mode, std::string_view path) {
  Graph.ArcCoords = {};
  Graph.CurrentMode = 0;
  Graph.CurrentDriver = 0;
  Graph.CurrentDepthDriver = 0;
  Graph.XAspect = Graph.YAspect = 0;
  Graph.MaxX = Graph.MaxY = 0;
  Graph.MaxColor = 0;
  Graph.PaletteSize = 0;
  Graph.DirectColor = false;
  ResetSlots();

  // '/' separates directories here; a backslash is an ordinary file-name character.
  Graph.DriverPath = std::string(path.substr(0, MaxPathLength));
  if (!Graph.DriverPath.empty() && Graph.DriverPath.back() != '/') Graph.DriverPath += '/';

  if (!OnceOnlyStartHook) RunError(216);
  Graph.DriverName = "WIN32GUI";

  if (driver == Detect || mode == HighestModeOfDriver) {
    DetectGraphMode(driver, mode, true);
    if (Graph.ResultCode == grNotDetected) return;
  } else {
    if (!SearchMode(driver, mode)) {
      Graph.ResultCode = grInvalidMode;
      return;
    }
    Graph.ResultCode = grOk;
  }

  Graph.CurrentDriver = driver;
  Graph.CurrentDepthDriver = IsDepthDriver(driver) ? driver : -1;
  if (Graph.FirstStart) {
    OnceOnlyStartHook();
    Graph.FirstStart = false;
  }
  SetGraphMode(mode);
}

void SetGraphMode(int16_t mode) {
  int16_t lookupDriver = Graph.CurrentDriver;
  if (mode == HighestModeOfDriver) {
    mode = HighestMode;
    lookupDriver = Graph.CurrentDepthDriver;
  } else if (mode >= 30001 && mode <= 30015) {
    lookupDriver = Graph.CurrentDepthDriver;
  }
  const ModeRecord* record = SearchMode(lookupDriver, mode);
  if (!record) {
    Graph.ResultCode = grInvalidMode;
    return;
  }

  ResetSlots();
  const ModeSlots& from = record->Slots;
  if (!from.DirectPutPixel || !from.PutPixel || !from.GetPixel || !from.SetRGBPalette ||
      !from.GetRGBPalette) {
    ResetSlots();
    Graph.ResultCode = grInvalidMode;
    return;
  }
  ModeSlots& to = Graph.Slots;
  to.DirectPutPixel = from.DirectPutPixel;
  to.PutPixel = from.PutPixel;
  to.GetPixel = from.GetPixel;
  to.SetRGBPalette = from.SetRGBPalette;
  to.GetRGBPalette = from.GetRGBPalette;
  if (from.SetAllPalette) to.SetAllPalette = from.SetAllPalette;
  if (from.ClearViewPort) to.ClearViewPort = from.ClearViewPort;
  if (from.PutImage) to.PutImage = from.PutImage;
  if (from.GetImage) to.GetImage = from.GetImage;
  if (from.ImageSize) to.ImageSize = from.ImageSize;
  if (from.GetScanLine) to.GetScanLine = from.GetScanLine;
  if (from.Line) to.Line = from.Line;
  if (from.InternalEllipse) to.InternalEllipse = from.InternalEllipse;
  if (from.PatternLine) to.PatternLine = from.PatternLine;
  if (from.HLine) to.HLine = from.HLine;
  if (from.VLine) to.VLine = from.VLine;
  if (from.SetVisualPage) to.SetVisualPage = from.SetVisualPage;
  if (from.SetActivePage) to.SetActivePage = from.SetActivePage;
  if (from.OutTextXY) to.OutTextXY = from.OutTextXY;
  if (from.SetBkColor) to.SetBkColor = from.SetBkColor;
  if (from.GetBkColor) to.GetBkColor = from.GetBkColor;
  if (from.Runs) to.Runs = from.Runs;

  Graph.CurrentMode = record->ModeNumber;
  Graph.CurrentDriver = record->DriverNumber;
  int16_t depth = DepthDriverOf(record->MaxColor);
  Graph.CurrentDepthDriver = depth != 0 ? depth : NoDepthDriver;
  Graph.XAspect = record->XAspect;
  Graph.YAspect = record->YAspect;
  Graph.MaxX = static_cast<int16_t>(record->MaxX);
  Graph.MaxY = static_cast<int16_t>(record->MaxY);
  Graph.MaxColor = record->MaxColor;
  Graph.PaletteSize = record->PaletteSize;
  Graph.DirectColor = record->DirectColor;

  if (!from.InitMode) {
    ResetSlots();
    Graph.ResultCode = grInvalidMode;
    return;
  }
  to.InitMode = from.InitMode;
  Graph.ResultCode = grOk;
  from.InitMode();
  if (Graph.ResultCode != grOk) {
    ResetSlots();  // the driver's own code stays for GraphResult
    return;
  }

  Graph.IsGraphMode = true;
  Graph.Slots.SetActivePage(0);
  Graph.Slots.SetVisualPage(0);
  SetViewPort(0, 0, Graph.MaxX, Graph.MaxY, true);
  GraphDefaults();
}

void SetViewPort(int16_t x1, int16_t y1, int16_t x2, int16_t y2, bool clip) {
  if (x1 < 0 || x1 > x2 || x2 > Graph.MaxX || y1 < 0 || y1 > y2 || y2 > Graph.MaxY) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.CurrentX = Graph.CurrentY = 0;
  Graph.ViewPort.X1 = x1;
  Graph.ViewPort.Y1 = y1;
  Graph.ViewPort.Width = static_cast<int16_t>(x2 - x1);
  Graph.ViewPort.Height = static_cast<int16_t>(y2 - y1);
  Graph.ViewPort.ClipPixels = clip;
}

void GraphDefaults() {
  Graph.LineSettings.LineStyle = SolidLn;
  Graph.LineSettings.Thickness = NormWidth;
  Graph.LineSettings.Pattern = 0xFFFF;
  Graph.FillSettings.Pattern = SolidFill;
  Graph.FillSettings.Color = GetMaxColor();
  for (int r = 0; r < 8; ++r) {
    Graph.UserFillPattern[r] = 0xFF;
    FillPatternTable[UserFill][r] = 0xFF;
  }
  Graph.CurrentColor = 15;
  Graph.ViewPort.ClipPixels = true;
  Graph.ViewPort.X1 = Graph.ViewPort.Y1 = 0;
  Graph.ViewPort.Width = Graph.MaxX;
  Graph.ViewPort.Height = Graph.MaxY;
  Graph.CurrentX = Graph.CurrentY = 0;
  Graph.Slots.SetBkColor(0);
  Graph.WriteMode = NormalPut;
  Graph.TextSettings.Font = DefaultFont;
  Graph.TextSettings.Direction = HorizDir;
  Graph.TextSettings.CharSize = 1;
  Graph.TextSettings.Horiz = LeftText;
  Graph.TextSettings.Vert = TopText;
}

void CloseGraph() {
  if (CloseGraphHook) {
    CloseGraphHook();
  } else if (!Graph.IsGraphMode) {
    Graph.ResultCode = grNoInitGraph;
  } else {
    Graph.IsGraphMode = false;  // a driver without a close routine has nothing to end
  }
}
