#pragma once
// Helpers shared by the photo-finish interface tests: a settings tree handed to the model, a temporary
// folder, a log file, files written byte for byte, and free loopback ports.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/kstring.h"
#include "model/qvsettings.h"
#include "model/ytime.h"

namespace pftest {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrove-pf-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return path + "/" + name; }

  std::string path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Narrow(const KString& text) {
  return text.ToUtf8();
}

// A loopback port nobody listens on at the moment of asking.
inline int32_t FreeLoopbackPort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  close(probe);
  return ntohs(address.sin_port);
}

// A settings tree for the model and a program log in a temporary folder during one test.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    registry = std::make_unique<KRegistry>();
    QvSettings::SetRoot(registry.get());
    YTime::Setup();
    log = std::make_unique<KLog>(folder.File("program.log"));
    KLog::SetProgramLog(log.get());
  }
  void TearDown() override {
    KLog::SetProgramLog(nullptr);
    log.reset();
    QvSettings::SetRoot(nullptr);
    registry.reset();
    KRegistry::UnregisterTypes();
    YTime::Setup();
  }
  void AddSetting(const std::u16string& line) {
    ASSERT_NE(KRegistry::AddLine(registry.get(), KString(line.c_str())), nullptr);
  }
  std::string LogText() const { return ReadBytes(folder.File("program.log")); }

  TempFolder folder;
  std::unique_ptr<KRegistry> registry;
  std::unique_ptr<KLog> log;
};

}  // namespace pftest
