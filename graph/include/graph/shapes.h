#pragma once
// Outlined and filled shapes beyond bars and filled ellipses: circles, arcs, ellipses, pie
// slices, rectangles, 3-D bars, polygons and flood fill. Coordinates are viewport-relative;
// angles are degrees counter-clockwise from the positive x axis. The program's thread, as all
// of the layer (graph.h).
#include <cstdint>

#include "graph/graph_types.h"

struct PointType {
  int16_t X = 0, Y = 0;
};

// Outlines go in CurrentColor and the line thickness, always solid and in copy mode, as
// the classic routines draw them. Radii outside 0..32767 set grError and draw nothing. A
// circle's vertical radius is its radius scaled by XAspect / YAspect, so it stays round
// on the mode's pixels. Each sets ArcCoords to the centre and the first and last pixel of
// the arc.
void Circle(int16_t x, int16_t y, int32_t radius);
void Arc(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t radius);
void Ellipse(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t xRadius,
             int32_t yRadius);
// Filled in the fill style, then outlined with the arc and the two radii.
void PieSlice(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t radius);
void Sector(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t xRadius,
            int32_t yRadius);
void GetArcCoords(ArcCoordsType& arcCoords);
void GetAspectRatio(uint16_t& xAspect, uint16_t& yAspect);
void SetAspectRatio(uint16_t xAspect, uint16_t yAspect);  // grError for a zero

// Lines in the current line style, thickness and write mode.
void Rectangle(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void Bar3D(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t depth, bool top);
// numPoints - 1 lines from point to point; fewer than 2 points set grError.
void DrawPoly(int32_t numPoints, const PointType* points);
void DrawPoly(int32_t numPoints, const int* xy);  // x and y interleaved
// Filled by the even-odd rule, then outlined as a closed polygon; fewer than 3 points set
// grError.
void FillPoly(int32_t numPoints, const PointType* points);
void FillPoly(int32_t numPoints, const int* xy);
// Fills the 4-connected region around (x, y) bounded by pixels of colour border and the
// viewport, in the fill style. Nothing happens when (x, y) is outside the viewport or
// already has the border colour.
void FloodFill(int16_t x, int16_t y, uint16_t border);
// FloodFill for a border number beyond the mode's colours that the driver's scan lines give
// for pixels of their own (the window driver's true colours): the number is not checked.
void FloodFillToDriverColor(int16_t x, int16_t y, uint16_t border);

// Relative moves and lines from the current position.
void MoveRel(int16_t dx, int16_t dy);
void LineRel(int16_t dx, int16_t dy);
// Clears the whole drawing area to the background colour; the current position goes to
// (0, 0) and the viewport stays.
void ClearDevice();
