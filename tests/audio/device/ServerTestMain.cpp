#include <QApplication>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "PrivateSoundServer.h"

namespace tolvik::testing {
PrivateSoundServer* sound_server = nullptr;  // null where none could start
std::string sound_server_problem;
}  // namespace tolvik::testing

// Every test runs in a process of its own with a sound server of its own
// (CTest runs them so), started before Qt first looks for one: Qt never
// connects to a server that appears later, and after a restart of its
// server it keeps stale devices in its list.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const bool only_listing = testing::GTEST_FLAG(list_tests);
  std::unique_ptr<tolvik::testing::PrivateSoundServer> server;
  if (!only_listing) {
    server = std::make_unique<tolvik::testing::PrivateSoundServer>();
    if (server->Start()) {
      tolvik::testing::sound_server = server.get();
    } else {
      tolvik::testing::sound_server_problem = server->Problem();
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
