// The GUI tests run against their own Xvfb server, started before the first
// test and stopped after the last, whatever DISPLAY the caller had.
#include <gtest/gtest.h>

#include <FL/x.H>

#include <cstdlib>

#include "x_session.h"

namespace {

class XServerEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.start(error)) << error;
    setenv("DISPLAY", server_.display().c_str(), 1);
  }

  void TearDown() override {
    // Let go of the server before it goes away, so nothing talks to a dead
    // connection at exit.
    if (fl_display != nullptr)
      fl_close_display();
    server_.stop();
  }

 private:
  tamrix::test::XvfbServer server_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new XServerEnvironment);  // owned by gtest
  return RUN_ALL_TESTS();
}
