#pragma once
// The C front's tests of stroke fonts: each starts with no font loaded, since a loaded font
// stays with its registry entry for the process.
#include "c_front_fixture.h"
#include "classic_titles.h"
#include "graph/text.h"

class StrokeFontTest : public CFrontTest {
 protected:
  void SetUp() override {
    CFrontTest::SetUp();
    for (int i = 1; i <= NumFonts; ++i) {
      Fonts[i].Data.clear();
      Fonts[i].Size = 0;
    }
  }
};
