#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "native/native.h"
#include "native/shell/commandclient.h"
#include "native/shell/commandserver.h"
#include "native/shell/ddeapi.h"
#include "native/shell/semaphoreapi.h"
#include "native/shell/socketaddress.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"

namespace native::test {

namespace {

constexpr const char* kService = "Kestrove Pellacorvine";
constexpr int kClientTimeoutMs = 5000;
constexpr UINT kClientDone = WM_APP + 61;

// A program's side of the service, as the application object keeps it: one pending command at a time.
struct Program {
  DWORD instance = 0;
  HSZ service = nullptr;
  HSZ topic = nullptr;
  std::u16string pending;
  bool endServiceOnExecute = false;
};

Program* program = nullptr;

HDDEDATA programCallback(UINT type, UINT, HCONV, HSZ first, HSZ second, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  if (type == XTYP_CONNECT) {
    bool accepted =
        DdeCmpStringHandles(first, program->topic) == 0 && DdeCmpStringHandles(second, program->service) == 0;
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(accepted ? 1 : 0));
  }
  if (type != XTYP_EXECUTE || DdeCmpStringHandles(first, program->topic) != 0) {
    return nullptr;
  }
  if (program->endServiceOnExecute) {
    DdeUninitialize(program->instance);
    program->instance = 0;
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  if (!program->pending.empty()) {
    return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
  }
  std::vector<BYTE> bytes(DdeGetData(data, nullptr, 0, 0));
  DdeGetData(data, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
  program->pending.assign(reinterpret_cast<const char16_t*>(bytes.data()));
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

class CommandService : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime_.valid());
    program = &program_;
    ASSERT_EQ(DdeInitialize(&program_.instance, programCallback, 0x3F5000, 0), DMLERR_NO_ERROR);
    program_.service = DdeCreateStringHandle(program_.instance, u"Kestrove Pellacorvine", CP_WINUNICODE);
    program_.topic = DdeCreateStringHandle(program_.instance, u"System", CP_WINUNICODE);
  }
  void TearDown() override {
    if (program_.instance != 0) {
      DdeUninitialize(program_.instance);
    }
    program = nullptr;
  }

  bool startService() {
    return DdeNameService(program_.instance, program_.service, nullptr, DNS_REGISTER) != nullptr;
  }

  // Runs `send` on a client thread while this thread waits in GetMessage, as the program's loop does; the
  // service's socket wakes it. The client's time limit bounds the wait.
  CommandClient::Result whileLooping(std::function<CommandClient::Result()> send) {
    CommandClient::Result result;
    DWORD loopThread = GetCurrentThreadId();
    std::thread client([&] {
      result = send();
      PostThreadMessage(loopThread, kClientDone, 0, 0);
    });
    MSG message{};
    while (GetMessage(&message, nullptr, 0, 0) > 0 && message.message != kClientDone) {
      DispatchMessage(&message);
    }
    client.join();
    return result;
  }

  CommandClient::Result sendCommand(const std::string& command, const std::string& topic = "System") {
    return whileLooping([=] { return CommandClient::send(kService, topic, command, kClientTimeoutMs); });
  }

  std::string socketPath() const { return runtime_.programFolder() + "/Kestrove Pellacorvine.sock"; }

  RuntimeFolder runtime_;
  TestDriver driver_;
  Program program_;
};

std::optional<CommandAnswer> answered(const CommandClient::Result& result) {
  return result.answer;
}

// A client connected to the socket that has sent `bytes` and not closed its side.
int connectAndSend(const std::string& path, const std::string& bytes) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const SocketAddress address(path);
  if (connect(fd, address.get(), address.size()) != 0 ||
      send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) {
    close(fd);
    return -1;
  }
  return fd;
}

// Runs the loop's passes until the service has answered the client (bounded).
void pumpUntilAnswered(TestDriver& driver, int fd) {
  for (int pass = 0; pass < 100; ++pass) {
    driver.pumpUntilIdle();
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 0) == 1) {
      return;
    }
  }
}

// What the service sent a client until it closed: the answer line, then "<closed>" or "<reset>"; what came
// before the end when the service is not done within the time.
std::string receivedUntilClosed(int fd) {
  std::string received;
  char bytes[64];
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, kClientTimeoutMs) != 1) {
      return received;
    }
    ssize_t count = recv(fd, bytes, sizeof bytes, 0);
    if (count <= 0) {
      return received + (count == 0 ? "<closed>" : errno == ECONNRESET ? "<reset>" : "<error>");
    }
    received.append(bytes, static_cast<std::size_t>(count));
  }
}

}  // namespace

TEST_F(CommandService, CommandIsTakenThenASecondIsBusyUntilTheFirstIsServed) {
  ASSERT_TRUE(startService());
  EXPECT_EQ(answered(sendCommand("OpenEvent,/home/r\xc3\xa4ume/a,b.qve")), CommandAnswer::Ack);
  EXPECT_EQ(program_.pending, u"OpenEvent,/home/r\u00e4ume/a,b.qve");
  EXPECT_EQ(answered(sendCommand("OpenEvent,/other.qve")), CommandAnswer::Busy);
  EXPECT_EQ(program_.pending, u"OpenEvent,/home/r\u00e4ume/a,b.qve");
  program_.pending.clear();  // the idle step served it
  EXPECT_EQ(answered(sendCommand("OpenEvent,/other.qve")), CommandAnswer::Ack);
  EXPECT_EQ(program_.pending, u"OpenEvent,/other.qve");
}

TEST_F(CommandService, WrongTopicIsRefused) {
  ASSERT_TRUE(startService());
  for (const char* topic : {"Other", ""}) {
    SCOPED_TRACE(topic);
    EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve", topic)), CommandAnswer::Nak);
  }
  EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve", "system")), CommandAnswer::Ack);  // names ignore case
  EXPECT_EQ(program_.pending, u"OpenEvent,/a.qve");
}

TEST_F(CommandService, OverLongCommandsAreRefusedWithoutHarm) {
  ASSERT_TRUE(startService());
  std::string longest(CommandWire::kMaxCommand, 'x');
  CommandClient::Result tooLong = CommandClient::send(kService, "System", longest + "x", kClientTimeoutMs);
  EXPECT_FALSE(tooLong.answer.has_value());
  EXPECT_EQ(tooLong.failure, CommandClient::Failure::TooLong);
  std::string path = socketPath();
  for (std::size_t size : {std::size_t{512}, std::size_t{600}, std::size_t{100000}}) {
    SCOPED_TRACE(size);
    std::string request = std::string("System") + '\0' + std::string(size, 'y');
    EXPECT_EQ(
        answered(whileLooping([&] { return CommandClient::sendBytes(path, request, kClientTimeoutMs); })),
        CommandAnswer::Nak);
    EXPECT_TRUE(program_.pending.empty());
  }
  EXPECT_EQ(answered(sendCommand(longest)), CommandAnswer::Ack);
  EXPECT_EQ(program_.pending, std::u16string(CommandWire::kMaxCommand, u'x'));
}

TEST_F(CommandService, SilentClientsDoNotLockTheServiceUp) {
  ASSERT_TRUE(startService());
  std::vector<int> silent;
  for (std::size_t i = 0; i < CommandServer::kMaxPendingConnections + 2; ++i) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const SocketAddress address(socketPath());
    ASSERT_EQ(connect(fd, address.get(), address.size()), 0);
    silent.push_back(fd);
  }
  EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve")), CommandAnswer::Ack);
  for (int fd : silent) {
    close(fd);
  }
  driver_.pumpUntilIdle();
  EXPECT_EQ(answered(sendCommand("OpenEvent,/b.qve")), CommandAnswer::Busy);
}

TEST_F(CommandService, EveryWholeRequestOfManyClientsAtOnceIsAnswered) {
  ASSERT_TRUE(startService());
  const std::string request = *CommandWire::request("System", "OpenEvent,/a.qve");
  std::vector<int> clients;
  for (int i = 0; i < 64; ++i) {
    clients.push_back(connectAndSend(socketPath(), request));
    ASSERT_GE(clients.back(), 0) << i;
  }
  pumpUntilAnswered(driver_, clients.back());
  std::vector<std::string> answers;
  for (int fd : clients) {
    answers.push_back(receivedUntilClosed(fd));
    close(fd);
  }
  std::vector<std::string> expected(64, "BUSY\n<closed>");
  expected[0] = "ACK\n<closed>";
  EXPECT_EQ(answers, expected);
}

TEST_F(CommandService, RequestsSentAfterTheirAcceptAreAnsweredWhenMoreClientsConnect) {
  ASSERT_TRUE(startService());
  const std::string request = *CommandWire::request("System", "OpenEvent,/a.qve");
  std::vector<int> clients;
  for (std::size_t i = 0; i < CommandServer::kMaxPendingConnections; ++i) {
    clients.push_back(connectAndSend(socketPath(), ""));
    ASSERT_GE(clients.back(), 0) << i;
  }
  driver_.pumpUntilIdle();  // all accepted, none has sent anything yet
  for (int fd : clients) {
    ASSERT_EQ(send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
  }
  // Two more connect before the loop has read the requests: accepting them pushes nobody out.
  const int late[] = {connectAndSend(socketPath(), ""), connectAndSend(socketPath(), "")};
  pumpUntilAnswered(driver_, clients.back());
  std::vector<std::string> answers;
  for (int fd : clients) {
    answers.push_back(receivedUntilClosed(fd));
    close(fd);
  }
  for (int fd : late) {
    close(fd);
  }
  std::vector<std::string> expected(clients.size(), "BUSY\n<closed>");
  expected[0] = "ACK\n<closed>";
  EXPECT_EQ(answers, expected);
}

TEST_F(CommandService, BytesAfterARequestAreDiscardedAndTheClientGetsItsAnswer) {
  ASSERT_TRUE(startService());
  const std::string request = *CommandWire::request("System", "OpenEvent,/a.qve") + std::string(4000, 'z');
  const int fd = connectAndSend(socketPath(), request);
  ASSERT_GE(fd, 0);
  pumpUntilAnswered(driver_, fd);
  EXPECT_EQ(receivedUntilClosed(fd), "ACK\n<closed>");
  close(fd);
  EXPECT_EQ(program_.pending, u"OpenEvent,/a.qve");
}

TEST_F(CommandService, ARuntimeFolderOpenToOthersIsMadePrivate) {
  std::filesystem::create_directories(runtime_.programFolder());
  std::filesystem::permissions(runtime_.programFolder(), std::filesystem::perms::all);
  ASSERT_TRUE(startService());
  EXPECT_EQ(std::filesystem::status(runtime_.programFolder()).permissions(),
            std::filesystem::perms::owner_all);
  EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve")), CommandAnswer::Ack);
}

TEST_F(CommandService, StaleSocketIsReplacedButALiveServiceIsNot) {
  // A socket file whose program is gone.
  std::filesystem::create_directories(runtime_.programFolder());
  int stale = socket(AF_UNIX, SOCK_STREAM, 0);
  const SocketAddress address(socketPath());
  ASSERT_EQ(bind(stale, address.get(), address.size()), 0);
  close(stale);
  ASSERT_TRUE(std::filesystem::exists(socketPath()));

  ASSERT_TRUE(startService());
  EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve")), CommandAnswer::Ack);

  DWORD second = 0;
  ASSERT_EQ(DdeInitialize(&second, programCallback, 0, 0), DMLERR_NO_ERROR);
  HSZ name = DdeCreateStringHandle(second, u"Kestrove Pellacorvine", CP_WINUNICODE);
  EXPECT_EQ(DdeNameService(second, name, nullptr, DNS_REGISTER), nullptr);
  EXPECT_TRUE(DdeUninitialize(second));
  EXPECT_TRUE(std::filesystem::exists(socketPath()));  // the first service's socket stays
}

TEST_F(CommandService, InARuntimeFolderPastASocketAddressOneProgramCountsItselfAndServes) {
  const std::string deep = std::filesystem::path(runtime_.programFolder()).parent_path().string() + "/" +
                           std::string(100, 'd') + "/" + std::string(80, 'e');
  std::filesystem::create_directories(deep);
  ::setenv("XDG_RUNTIME_DIR", deep.c_str(), 1);  // the fixture's runtime folder puts the old value back
  ASSERT_EQ(OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kService), nullptr);  // no copy runs
  const HANDLE count = CreateSemaphoreA(nullptr, 1, 1000, kService);
  ASSERT_NE(count, nullptr);
  ASSERT_TRUE(startService());
  EXPECT_EQ(answered(sendCommand("OpenEvent,/a.qve")), CommandAnswer::Ack);
  EXPECT_EQ(program_.pending, u"OpenEvent,/a.qve");

  // A second copy sees the first one and does not take its service over.
  const HANDLE seen = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kService);
  EXPECT_NE(seen, nullptr);
  DWORD second = 0;
  ASSERT_EQ(DdeInitialize(&second, programCallback, 0, 0), DMLERR_NO_ERROR);
  EXPECT_EQ(DdeNameService(second, DdeCreateStringHandle(second, u"Kestrove Pellacorvine", CP_WINUNICODE),
                           nullptr, DNS_REGISTER),
            nullptr);
  EXPECT_TRUE(DdeUninitialize(second));
  EXPECT_EQ(answered(sendCommand("OpenEvent,/b.qve")), CommandAnswer::Busy);
  EXPECT_TRUE(CloseHandle(seen));
  EXPECT_TRUE(CloseHandle(count));
}

TEST_F(CommandService, EndingTheServiceRemovesItsSocket) {
  ASSERT_TRUE(startService());
  EXPECT_TRUE(std::filesystem::exists(socketPath()));
  EXPECT_NE(DdeNameService(program_.instance, program_.service, nullptr, DNS_UNREGISTER), nullptr);
  EXPECT_FALSE(std::filesystem::exists(socketPath()));
  CommandClient::Result result =
      CommandClient::send(kService, "System", "OpenEvent,/a.qve", kClientTimeoutMs);
  EXPECT_EQ(result.failure, CommandClient::Failure::NoService);
  ASSERT_TRUE(startService());
  EXPECT_TRUE(DdeUninitialize(program_.instance));
  program_.instance = 0;
  EXPECT_FALSE(std::filesystem::exists(socketPath()));
}

TEST_F(CommandService, ServiceEndedByItsOwnCallbackLeavesTheClientWithoutAnswer) {
  ASSERT_TRUE(startService());
  program_.endServiceOnExecute = true;
  CommandClient::Result result = sendCommand("OpenEvent,/a.qve");
  EXPECT_FALSE(result.answer.has_value());
  EXPECT_EQ(program_.instance, 0u);
  EXPECT_FALSE(std::filesystem::exists(socketPath()));
}

TEST_F(CommandService, StringHandlesAreSharedAndCompareIgnoringCase) {
  HSZ upper = DdeCreateStringHandle(program_.instance, u"SYSTEM", CP_WINUNICODE);
  EXPECT_EQ(upper, program_.topic);
  EXPECT_EQ(DdeCmpStringHandles(upper, program_.topic), 0);
  EXPECT_EQ(DdeCmpStringHandles(program_.service, program_.topic), -1);  // "K" before "S"
  EXPECT_EQ(DdeCmpStringHandles(program_.topic, program_.service), 1);
  EXPECT_EQ(DdeCmpStringHandles(nullptr, program_.topic), -1);
  EXPECT_EQ(DdeCmpStringHandles(nullptr, nullptr), 0);
  EXPECT_TRUE(DdeFreeStringHandle(program_.instance, upper));
  EXPECT_EQ(DdeCmpStringHandles(program_.topic, program_.topic), 0);  // one user left
  EXPECT_TRUE(DdeFreeStringHandle(program_.instance, program_.topic));
  EXPECT_FALSE(DdeFreeStringHandle(program_.instance, program_.topic));
  EXPECT_EQ(DdeCreateStringHandle(program_.instance, nullptr, CP_WINUNICODE), nullptr);
  EXPECT_EQ(DdeCreateStringHandle(0xFFFFu, u"x", CP_WINUNICODE), nullptr);
  EXPECT_EQ(DdeInitialize(nullptr, programCallback, 0, 0), DMLERR_INVALIDPARAMETER);
  EXPECT_FALSE(DdeUninitialize(0xFFFFu));
}

TEST(CommandServiceData, UnknownDataGivesNothing) {
  BYTE bytes[4] = {};
  EXPECT_EQ(DdeGetData(nullptr, bytes, 4, 0), 0u);
  EXPECT_EQ(DdeGetData(reinterpret_cast<HDDEDATA>(DDE_FACK), bytes, 4, 0), 0u);
}

}  // namespace native::test
