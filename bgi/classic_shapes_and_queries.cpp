// The C names of the layer's outlines, pie shapes, polygons, flood fill, relative moves and
// setting queries. The build takes this file in only where the layer declares these routines
// (see CMakeLists.txt here); the library then offers the whole classic interface.
#include <span>
#include <string>

#include "arguments.h"
#include "font_length.h"
#include "graph/settings.h"
#include "graph/shapes.h"

using bgi::Coordinate;
using bgi::Word;

namespace {

// Texts handed to C stay valid until the next call of the same routine.
char* Kept(std::string& store, std::string text) {
  store = std::move(text);
  return store.data();
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
  return Kept(kept, GetDriverName());
}

char* getmodename(int mode_number) {
  static std::string kept;
  return Kept(kept, GetModeName(Coordinate(mode_number)));
}

char* grapherrormsg(int errorcode) {
  static std::string kept;
  return Kept(kept, GraphErrorMsg(Coordinate(errorcode)));
}

int registerbgifont(const void* font) {
  if (!font) return RegisterBGIfont({});  // refused as no font
  const auto* bytes = static_cast<const uint8_t*>(font);
  return RegisterBGIfont(std::span(bytes, bgi::FontFileLength(bytes)));
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

// Radii and angles go to the layer as they are: it refuses a radius it cannot draw.
void circle(int x, int y, int radius) {
  Circle(Coordinate(x), Coordinate(y), radius);
}

void arc(int x, int y, int stangle, int endangle, int radius) {
  Arc(Coordinate(x), Coordinate(y), stangle, endangle, radius);
}

void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  Ellipse(Coordinate(x), Coordinate(y), stangle, endangle, xradius, yradius);
}

void getarccoords(struct arccoordstype* arccoords) {
  if (!arccoords) return;
  ArcCoordsType a;
  GetArcCoords(a);
  *arccoords = {a.X, a.Y, a.XStart, a.YStart, a.XEnd, a.YEnd};
}

void drawpoly(int numpoints, const int* polypoints) {
  DrawPoly(numpoints, polypoints);
}

void getfillpattern(char* pattern) {
  if (!pattern) return;
  uint8_t rows[8] = {};
  GetFillPattern(rows);
  for (int i = 0; i < 8; ++i) pattern[i] = char(rows[i]);
}

void bar3d(int left, int top, int right, int bottom, int depth, int topflag) {
  Bar3D(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom), Coordinate(depth),
        topflag != 0);
}

void pieslice(int x, int y, int stangle, int endangle, int radius) {
  PieSlice(Coordinate(x), Coordinate(y), stangle, endangle, radius);
}

void sector(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  Sector(Coordinate(x), Coordinate(y), stangle, endangle, xradius, yradius);
}

void fillpoly(int numpoints, const int* polypoints) {
  FillPoly(numpoints, polypoints);
}

void setusercharsize(int multx, int divx, int multy, int divy) {
  SetUserCharSize(multx, divx, multy, divy);
}

void gettextsettings(struct textsettingstype* texttypeinfo) {
  if (!texttypeinfo) return;
  TextSettingsType t;
  GetTextSettings(t);
  *texttypeinfo = {t.Font, t.Direction, t.CharSize, t.Horiz, t.Vert};
}

}  // extern "C"
