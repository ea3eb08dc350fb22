// Images have no generic routine: without a driver routine they report grError.
#include "graph/graph.h"
#include "graph/layer_internal.h"

int32_t ImageSize(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  return Graph.Slots.ImageSize(x1, y1, x2, y2);
}

void GetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image) {
  Graph.Slots.GetImage(x1, y1, x2, y2, image);
}

void PutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt) {
  Graph.Slots.PutImage(x, y, image, bitBlt);
}

int32_t GenericImageSize(int16_t, int16_t, int16_t, int16_t) {
  Graph.ResultCode = grError;
  return 0;
}

void GenericGetImage(int16_t, int16_t, int16_t, int16_t, void*) {
  Graph.ResultCode = grError;
}

void GenericPutImage(int16_t, int16_t, const void*, uint16_t) {
  Graph.ResultCode = grError;
}
