#pragma once
// The rows of filled shapes and of clearing, handed to the driver in batches through the
// Runs slot, so that it takes its lock once a batch instead of once a row. Not part of the
// layer's interface.
#include <cstdint>

// Rows x1..x2 of lines y1..y2, viewport-relative, in colour and the current write mode, each
// as HLine draws it: one block to the Runs slot.
void DrawRowsInColor(int16_t x1, int16_t x2, int32_t y1, int32_t y2, uint16_t color);

// A shape's rows in the fill style, each as PatternLine draws it. While the layer's own
// PatternLine is in its slot, AddFillRow gathers them and they go to the Runs slot a batch
// at a time: the fill colour's runs, then the background's. A driver's own PatternLine gets
// them one by one as they come. One shape at a time: the storage is kept for the next.
void StartFillRows();
void AddFillRow(int16_t x1, int16_t x2, int16_t y);  // a RowProc
// Draws what is gathered; before anything is drawn over the rows.
void DrawFillRows();
