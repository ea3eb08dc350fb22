// The generic ellipse: a quadrant walk in extended precision, mirrored four ways, with the
// interior filled row by row through a row routine.
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "fill_rows.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "layer_internal.h"

namespace {

// long double is the x87 extended type here; the walk's rounding depends on it.
constexpr long double DegToRad = 0.017453292519943295L;
constexpr long double Pi = 3.14159265358979323846264338327950288L;
constexpr long double Sqrt3 = 1.7320508075688772L;

void NoRow(int16_t, int16_t, int16_t) {}

// Rounds to nearest, ties to even (the default rounding mode), and keeps the low 16 bits.
int16_t Round16(long double v) {
  return static_cast<int16_t>(static_cast<int32_t>(std::nearbyint(v)));
}

float ToFloatRadians(long double degrees) {
  return static_cast<float>(degrees * DegToRad);
}

long double CosOf(float radians) {
  return std::cos(static_cast<long double>(radians));
}
// sin(t + pi), the angle rounded to float like every other.
long double SinPlusPiOf(float radians) {
  return std::sin(static_cast<long double>(static_cast<float>(radians + Pi)));
}

bool Fits16(int32_t v) {
  return v >= INT16_MIN && v <= INT16_MAX;
}
int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}

// Points whose coordinates leave the 16-bit range would wrap onto the screen; skip them.
void Plot(int32_t x, int32_t y) {
  if (Fits16(x) && Fits16(y)) {
    Graph.Slots.PutPixel(static_cast<int16_t>(x), static_cast<int16_t>(y), Graph.CurrentColor);
  }
}

}  // namespace

void InternalEllipse(int16_t x, int16_t y, uint16_t xr, uint16_t yr, uint16_t start, uint16_t end,
                     RowProc row) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (Graph.LineSettings.Thickness == ThickWidth) {
    {
      const SavedField savedThickness(Graph.LineSettings.Thickness);
      Graph.LineSettings.Thickness = NormWidth;
      uint16_t xr1 = xr == UINT16_MAX ? xr : static_cast<uint16_t>(xr + 1);
      uint16_t yr1 = yr == UINT16_MAX ? yr : static_cast<uint16_t>(yr + 1);
      InternalEllipse(x, y, xr, yr, start, end, NoRow);
      InternalEllipse(x, y, xr1, yr1, start, end, NoRow);
    }
    if (xr == 0 || yr == 0) return;
    --xr;
    --yr;
  }
  if (xr == 0) xr = 1;
  if (yr == 0) yr = 1;
  if (xr <= 1 && yr <= 1) {
    Graph.Slots.PutPixel(x, y, Graph.CurrentColor);
    Graph.ArcCoords = {x, y, x, y, x, y};
    return;
  }

  start %= 361;
  end %= 361;
  bool backwards = false;
  if (start > end) {
    std::swap(start, end);
    backwards = true;
  }

  // The sum of squares would overflow 32 bits only for radii above 32767.
  int64_t squares = int64_t{xr} * xr + int64_t{yr} * yr;
  long double points = std::nearbyint(std::sqrt(static_cast<long double>(squares)) * Sqrt3);
  const float step = static_cast<float>(90.0L / points);

  Graph.ArcCoords.X = x;
  Graph.ArcCoords.Y = y;
  float s = ToFloatRadians(start);
  Graph.ArcCoords.XStart = static_cast<int16_t>(x + Round16(CosOf(s) * xr));
  Graph.ArcCoords.YStart = static_cast<int16_t>(y + Round16(SinPlusPiOf(s) * yr));
  float e = ToFloatRadians(end);
  Graph.ArcCoords.XEnd = static_cast<int16_t>(x + Round16(CosOf(e) * xr));
  Graph.ArcCoords.YEnd = static_cast<int16_t>(y + Round16(SinPlusPiOf(e) * yr));

  // The mirror angles are formed and compared in extended precision: rounded to float
  // first, an angle just outside a bound could land on it.
  auto inRange = [&](long double angle) {
    bool inside = angle >= start && angle <= end;
    return inside != backwards;
  };

  float a = 0.0f;
  int16_t ox = static_cast<int16_t>(xr), oy = 0;
  while (a <= 91.0f) {
    const int32_t px = ox, py = oy;
    float t = static_cast<float>((static_cast<long double>(a) + step) * DegToRad);
    ox = Round16(CosOf(t) * xr);
    oy = Round16(SinPlusPiOf(t) * yr);

    const int32_t right = x + px, left = x - px, upper = y + py, lower = y - py;
    int32_t upperRight = INT16_MAX, upperLeft = INT16_MIN;
    int32_t lowerRight = INT16_MAX, lowerLeft = INT16_MIN;
    if (inRange(a)) {
      Plot(right, upper);
      upperRight = right;
    }
    if (inRange(180.0L - a)) {
      Plot(left, upper);
      upperLeft = left;
    }
    if (inRange(180.0L + a)) {
      Plot(left, lower);
      lowerLeft = left;
    }
    if (inRange(360.0L - a)) {
      Plot(right, lower);
      lowerRight = right;
    }
    if (py != oy && right - left >= 1) {
      const SavedField savedColor(Graph.CurrentColor);
      Graph.CurrentColor = Graph.FillSettings.Color;
      if (Fits16(upper)) row(Clamp16(upperLeft + 1), Clamp16(upperRight - 1), Clamp16(upper));
      if (Fits16(lower)) row(Clamp16(lowerLeft + 1), Clamp16(lowerRight - 1), Clamp16(lower));
    }
    a = a + step;
  }
}

void FillEllipse(int16_t x, int16_t y, uint16_t xRadius, uint16_t yRadius) {
  StartFillRows();
  Graph.Slots.InternalEllipse(x, y, xRadius, yRadius, 0, 360, AddFillRow);
  DrawFillRows();
}
