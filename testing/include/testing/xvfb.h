#pragma once
// XvfbTest: a GoogleTest fixture that skips when Xvfb is not installed and otherwise starts
// one server (1920 x 1080 x 24) for the whole process, with DISPLAY pointing at it: a
// display backend, once connected, stays with the server it found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "testing/xvfb_server.h"

namespace testing_support {

// One Xvfb for the whole process, with DISPLAY set to it; tests skip without Xvfb.
class XvfbTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!XvfbServer::installed()) return;
    if (server_ == nullptr) server_ = std::make_unique<XvfbServer>();
    if (server_->ok()) setenv("DISPLAY", server_->display().c_str(), 1);
  }
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server_ && server_->ok()) << "Xvfb did not start";
  }
  static XvfbServer& server() { return *server_; }

 private:
  static inline std::unique_ptr<XvfbServer> server_;
};

}  // namespace testing_support
