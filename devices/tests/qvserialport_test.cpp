#include "devices/qvserialport.h"

#include <gtest/gtest.h>

#include "foundation/kregistry.h"
#include "model/qvsettings.h"

namespace {

class QvSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
  }
  void TearDown() override { QvSettings::SetRoot(nullptr); }
  KRegistry registry;
};

TEST_F(QvSerialPortTest, NewEntriesGetDefaultsAndDeletedOnesKeepTheirRows) {
  EXPECT_EQ(QvSerialPort::Count(), 0);
  EXPECT_EQ(QvSerialPort::GetNth(0), nullptr);
  ASSERT_NE(KRegistry::AddLine(&registry, KString(u"\\Strings\\SerialPorts\\DefaultName:String=Port série")),
            nullptr);
  KRGroup* first = QvSerialPort::NewEntry();
  KRGroup* second = QvSerialPort::NewEntry();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(KRegistry::GetString(first, KString(u"Name")), KString(u"Port série"));
  EXPECT_EQ(KRegistry::GetString(second, KString(u"SerialPort")), KString(u"0,19200,8,N,1.0"));
  first->SetDeleted(true);
  EXPECT_EQ(QvSerialPort::Count(), 2);
  EXPECT_EQ(QvSerialPort::GetNth(0), first);
  EXPECT_EQ(QvSerialPort::GetNth(1), second);
  EXPECT_EQ(QvSerialPort::GetNth(2), nullptr);
  EXPECT_EQ(QvSerialPort::GetNth(-1), nullptr);
  // A value beside the entries is not an entry, and a new entry never reuses a taken name.
  ASSERT_NE(KRegistry::AddLine(&registry, KString(u"\\SerialPorts\\Port3:Int=1")), nullptr);
  KRGroup* third = QvSerialPort::NewEntry();
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->Name(), KString(u"Port4"));
  EXPECT_EQ(QvSerialPort::Count(), 3);
}

TEST(QvSerialPortNoTreeTest, WithoutASettingsTreeThereAreNoEntries) {
  QvSettings::SetRoot(nullptr);
  EXPECT_EQ(QvSerialPort::NewEntry(), nullptr);
  EXPECT_EQ(QvSerialPort::Count(), 0);
}

}  // namespace
