#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "headless/headless_environment.h"
#include "testing/portable.h"

using platform::headless::ParseKeyScript;
using platform::headless::SavePictureIfAsked;
using platform::headless::ScriptStep;
using platform::terminal::KeyMessage;

namespace {

KeyMessage Down(UINT vk, int character = -1) {
  return {WM_KEYDOWN, vk, character};
}
KeyMessage Up(UINT vk) {
  return {WM_KEYUP, vk, -1};
}

}  // namespace

TEST(KeyScript, NamesCharactersAndPausesBecomeTheTerminalsMessages) {
  std::string error;
  const std::vector<ScriptStep> steps = ParseKeyScript("  a Up\tEnter wait:300 Esc F1 ; ", error);
  EXPECT_EQ(error, "");
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps[0].messages, (std::vector{Down('A', 'a'), Up('A')}));
  EXPECT_EQ(steps[1].messages, (std::vector{Down(VK_UP), Up(VK_UP)}));
  EXPECT_EQ(steps[2].messages, (std::vector{Down(VK_RETURN, '\r'), Up(VK_RETURN)}));
  EXPECT_TRUE(steps[3].messages.empty());
  EXPECT_EQ(steps[3].pauseMs, 300);
  // A lone Esc is the Escape key, not the start of a sequence that never ends.
  EXPECT_EQ(steps[4].messages, (std::vector{Down(VK_ESCAPE, 27), Up(VK_ESCAPE)}));
  EXPECT_EQ(steps[5].messages, (std::vector{Down(VK_F1), Up(VK_F1)}));
  EXPECT_EQ(steps[6].messages.size(), 2u);
  EXPECT_EQ(steps[6].messages[0].character, ';');
}

TEST(KeyScript, MouseTokensMoveAndClickAtTheirPoint) {
  using platform::headless::ScriptMouse;
  std::string error;
  const std::vector<ScriptStep> steps = ParseKeyScript(
      "move:5,6 click:10,20 rclick:0,479 mclick:1,2 dclick:3,4 Center down:7,8 "
      "up:9,10",
      error);
  EXPECT_EQ(error, "");
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[6].mouse,
            (std::vector{ScriptMouse{WM_MOUSEMOVE, 7, 8}, ScriptMouse{WM_LBUTTONDOWN, 7, 8}}));
  EXPECT_EQ(steps[7].mouse,
            (std::vector{ScriptMouse{WM_MOUSEMOVE, 9, 10}, ScriptMouse{WM_LBUTTONUP, 9, 10}}));
  EXPECT_EQ(steps[0].mouse, (std::vector{ScriptMouse{WM_MOUSEMOVE, 5, 6}}));
  EXPECT_TRUE(steps[0].messages.empty());
  EXPECT_EQ(steps[1].mouse,
            (std::vector{ScriptMouse{WM_MOUSEMOVE, 10, 20}, ScriptMouse{WM_LBUTTONDOWN, 10, 20},
                         ScriptMouse{WM_LBUTTONUP, 10, 20}}));
  EXPECT_EQ(steps[2].mouse,
            (std::vector{ScriptMouse{WM_MOUSEMOVE, 0, 479}, ScriptMouse{WM_RBUTTONDOWN, 0, 479},
                         ScriptMouse{WM_RBUTTONUP, 0, 479}}));
  EXPECT_EQ(steps[3].mouse[1], (ScriptMouse{WM_MBUTTONDOWN, 1, 2}));
  // A double click as Windows reports it: down, up, double click, up.
  std::vector<UINT> doubleClick;
  for (const ScriptMouse& m : steps[4].mouse) doubleClick.push_back(m.message);
  EXPECT_EQ(doubleClick, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                            WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
  EXPECT_EQ(steps[5].messages, (std::vector{Down(VK_CLEAR), Up(VK_CLEAR)}));
}

TEST(KeyScript, AnUnknownTokenRejectsTheWholeScriptAndSaysWhich) {
  for (const char* bad : {"a Upp b", "wait:", "wait:x", "wait:99999999", "ab", "click:1",
                          "click:1,", "click:-1,2", "click:1,2,3", "tap:1,2", "move:123456,1"}) {
    std::string error;
    EXPECT_TRUE(ParseKeyScript(bad, error).empty()) << bad;
    EXPECT_NE(error.find("GRAPHWIN_HEADLESS_KEYS"), std::string::npos) << bad;
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
  }
}

TEST(PictureSave, WritesTheWindowsPictureAsPpmOnlyWhenAsked) {
  PixelSurface picture(3, 2);
  picture.setPixel(0, 0, RGB(255, 0, 0));
  picture.setPixel(2, 1, RGB(1, 2, 3));
  const std::string path = testing::TempDir() + "headless_picture.ppm";
  std::remove(path.c_str());

  testing_support::UnsetEnvironment("GRAPHWIN_HEADLESS_SAVE");
  SavePictureIfAsked(picture);
  EXPECT_FALSE(std::ifstream(path).good());

  testing_support::SetEnvironment("GRAPHWIN_HEADLESS_SAVE", path.c_str());
  SavePictureIfAsked(picture);
  testing_support::UnsetEnvironment("GRAPHWIN_HEADLESS_SAVE");
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::string header = "P6\n3 2\n255\n";
  ASSERT_EQ(bytes.size(), header.size() + 3 * 2 * 3);
  EXPECT_EQ(bytes.substr(0, header.size()), header);
  const std::string pixels = bytes.substr(header.size());
  EXPECT_EQ(pixels.substr(0, 3), std::string("\xff\0\0", 3));
  EXPECT_EQ(pixels.substr(15, 3), std::string("\1\2\3", 3));
}
