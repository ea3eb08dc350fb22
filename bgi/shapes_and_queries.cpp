// The C names of the layer's outlines, pie shapes, polygons, flood fill, relative moves and
// setting queries. The build takes this file in only where the layer declares these routines
// (see CMakeLists.txt here); the library then offers the whole classic interface.
#include <string>
#include <vector>

#include "bgi/arguments.h"
#include "bgi/ega_colours.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/text.h"

using bgi::Angle;
using bgi::Coordinate;
using bgi::Word;

namespace {

// Texts handed to C stay valid until the next call of the same routine.
char* Kept(std::string& store, std::string text) {
  store = std::move(text);
  return store.data();
}

// The layer takes up to 65535 points; a negative count or a missing array draws nothing.
std::vector<PointType> Points(int numpoints, const int* polypoints) {
  std::vector<PointType> points;
  if (numpoints <= 0 || numpoints > 0xFFFF || !polypoints) return points;
  points.reserve(size_t(numpoints));
  for (int i = 0; i < numpoints; ++i) {
    points.push_back({Coordinate(polypoints[2 * i]), Coordinate(polypoints[2 * i + 1])});
  }
  return points;
}

}  // namespace

extern "C" {

void restorecrtmode(void) {
  RestoreCrtMode();
}

int getgraphmode(void) {
  return GetGraphMode();
}

int getmaxmode(void) {
  return GetMaxMode();
}

char* getdrivername(void) {
  static std::string kept;
  return Kept(kept, std::string(GetDriverName()));
}

char* getmodename(int mode_number) {
  static std::string kept;
  return Kept(kept, std::string(GetModeName(bgi::Coordinate(mode_number))));
}

char* grapherrormsg(int errorcode) {
  static std::string kept;
  return Kept(kept, std::string(GraphErrorMsg(bgi::Coordinate(errorcode))));
}

int registerbgifont(const void* font) {
  return RegisterBGIfont(font);
}

void getaspectratio(int* xasp, int* yasp) {
  uint16_t x = 0, y = 0;
  GetAspectRatio(x, y);
  if (xasp) *xasp = x;
  if (yasp) *yasp = y;
}

void setaspectratio(int xasp, int yasp) {
  SetAspectRatio(Word(xasp), Word(yasp));
}

void getviewsettings(struct viewporttype* viewport) {
  if (!viewport) return;
  ViewPortType v;
  GetViewSettings(v);
  *viewport = {v.X1, v.Y1, v.X2, v.Y2, v.Clip ? 1 : 0};
}

void cleardevice(void) {
  ClearDevice();
}

int getpalettesize(void) {
  return GetPaletteSize();
}

void getlinesettings(struct linesettingstype* lineinfo) {
  if (!lineinfo) return;
  LineSettingsType l;
  GetLineSettings(l);
  *lineinfo = {l.LineStyle, l.Pattern, l.Thickness};
}

void linerel(int dx, int dy) {
  LineRel(Coordinate(dx), Coordinate(dy));
}

void moverel(int dx, int dy) {
  MoveRel(Coordinate(dx), Coordinate(dy));
}

void rectangle(int left, int top, int right, int bottom) {
  Rectangle(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom));
}

// A negative radius draws nothing; classically it would wrap to a huge one.
void circle(int x, int y, int radius) {
  if (radius < 0) return;
  Circle(Coordinate(x), Coordinate(y), Word(radius));
}

void arc(int x, int y, int stangle, int endangle, int radius) {
  if (radius < 0) return;
  Arc(Coordinate(x), Coordinate(y), Angle(stangle), Angle(endangle), Word(radius));
}

void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  if (xradius < 0 || yradius < 0) return;
  Ellipse(Coordinate(x), Coordinate(y), Angle(stangle), Angle(endangle), Word(xradius),
          Word(yradius));
}

void getarccoords(struct arccoordstype* arccoords) {
  if (!arccoords) return;
  ArcCoordsType a;
  GetArcCoords(a);
  *arccoords = {a.X, a.Y, a.XStart, a.YStart, a.XEnd, a.YEnd};
}

void drawpoly(int numpoints, const int* polypoints) {
  const std::vector<PointType> points = Points(numpoints, polypoints);
  if (!points.empty()) DrawPoly(uint16_t(points.size()), points.data());
}

void getfillsettings(struct fillsettingstype* fillinfo) {
  if (!fillinfo) return;
  FillSettingsType f;
  GetFillSettings(f);
  *fillinfo = {f.Pattern, f.Color};
}

void getfillpattern(char* pattern) {
  if (!pattern) return;
  uint8_t rows[8] = {};
  GetFillPattern(rows);
  for (int i = 0; i < 8; ++i) pattern[i] = char(rows[i]);
}

void bar3d(int left, int top, int right, int bottom, int depth, int topflag) {
  if (depth < 0) return;
  Bar3D(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom), Word(depth),
        topflag != 0);
}

void pieslice(int x, int y, int stangle, int endangle, int radius) {
  if (radius < 0) return;
  PieSlice(Coordinate(x), Coordinate(y), Angle(stangle), Angle(endangle), Word(radius));
}

void sector(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  if (xradius < 0 || yradius < 0) return;
  Sector(Coordinate(x), Coordinate(y), Angle(stangle), Angle(endangle), Word(xradius),
         Word(yradius));
}

void fillpoly(int numpoints, const int* polypoints) {
  const std::vector<PointType> points = Points(numpoints, polypoints);
  if (!points.empty()) FillPoly(uint16_t(points.size()), points.data());
}

void floodfill(int x, int y, int border) {
  FloodFill(Coordinate(x), Coordinate(y), Word(border));
}

void setusercharsize(int multx, int divx, int multy, int divy) {
  SetUserCharSize(Word(multx), Word(divx), Word(multy), Word(divy));
}

void gettextsettings(struct textsettingstype* texttypeinfo) {
  if (!texttypeinfo) return;
  TextSettingsType t;
  GetTextSettings(t);
  *texttypeinfo = {t.Font, t.Direction, t.CharSize, t.Horiz, t.Vert};
}

}  // extern "C"
