#include "graphwin/text_output.h"

// Filled in below as the text routine grows; for now text output draws nothing.
void DriverOutTextXY(int16_t, int16_t, std::string_view) {}
