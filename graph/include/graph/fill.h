#pragma once
// Fill styles and filled shapes. The program's thread, as all of the layer (graph.h).
#include <cstdint>

#include "graph/graph_types.h"
#include "graph/mode_record.h"

extern uint8_t FillPatternTable[13][8];

void SetFillStyle(uint16_t pattern, uint16_t color);
// Sets the eight rows of UserFill and selects it with colour.
void SetFillPattern(const uint8_t (&pattern)[8], uint16_t color);
void Bar(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void FillEllipse(int16_t x, int16_t y, uint16_t xRadius, uint16_t yRadius);
void PatternLine(int16_t x1, int16_t x2, int16_t y);  // the generic row routine
void InternalEllipse(int16_t x, int16_t y, uint16_t xRadius, uint16_t yRadius, uint16_t startAngle,
                     uint16_t endAngle, RowProc row);
// Cohen-Sutherland clipping; false when nothing is left.
bool LineClip(int16_t& x1, int16_t& y1, int16_t& x2, int16_t& y2, int16_t left, int16_t top,
              int16_t right, int16_t bottom);
