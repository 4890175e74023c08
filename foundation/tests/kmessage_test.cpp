#include "foundation/kmessage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A root that records what reaches it and answers with a fixed value.
class RecordingRoot : public KMessageObject {
 public:
  explicit RecordingRoot(int32_t answer) : KMessageObject(nullptr, 0), answer(answer) {}
  int32_t Receive(KMessage& message) override {
    received.push_back(message);
    return answer;
  }
  std::vector<KMessage> received;
  int32_t answer;
};

TEST(KMessage, MessageFillsTheRecordAndReturnsIt) {
  KMessage record;
  KMessageObject sender;
  KMessage& filled = KMessageObject::Message(record, 22 | KMessage::kAfter, -5, &sender);
  EXPECT_EQ(&filled, &record);
  EXPECT_EQ(record.code, 22u | KMessage::kAfter);
  EXPECT_EQ(record.argument, -5);
  EXPECT_EQ(record.sender, &sender);
}

TEST(KMessage, SendWalksTheOwnerChainToTheRoot) {
  RecordingRoot root(42);
  KMessageObject leg(&root, 1);
  KMessageObject result(&leg, 2);
  KMessage record;
  KMessageObject::Message(record, 7, 99, nullptr);
  EXPECT_EQ(KMessageObject::Send(&result, record), 42);
  ASSERT_EQ(root.received.size(), 1u);
  EXPECT_EQ(root.received[0].code, 7u);
  EXPECT_EQ(root.received[0].argument, 99);
  // The sender word was empty, so the object that sent it was put there.
  EXPECT_EQ(root.received[0].sender, &result);
}

TEST(KMessage, SendKeepsASenderAlreadyGiven) {
  RecordingRoot root(0);
  KMessageObject child(&root, 1);
  KMessageObject original;
  KMessage record;
  KMessageObject::Message(record, 3, 0, &original);
  KMessageObject::Send(&child, record);
  ASSERT_EQ(root.received.size(), 1u);
  EXPECT_EQ(root.received[0].sender, &original);
}

TEST(KMessage, RootSendingToItselfAndNullObject) {
  RecordingRoot root(5);
  KMessage record;
  EXPECT_EQ(KMessageObject::Send(&root, record), 5);
  EXPECT_EQ(record.sender, &root);
  KMessage other;
  EXPECT_EQ(KMessageObject::Send(nullptr, other), 0);
  EXPECT_EQ(other.sender, nullptr);
  // A base root ignores messages.
  KMessageObject plain;
  EXPECT_EQ(KMessageObject::Send(&plain, other), 0);
}

TEST(KMessage, MatchAnswersOnlyItsOwnId) {
  KMessageObject object(nullptr, 12);
  EXPECT_EQ(object.Match(12), &object);
  EXPECT_EQ(object.Match(13), nullptr);
  object.SetId(13);
  EXPECT_EQ(object.Match(13), &object);
  EXPECT_EQ(object.Id(), 13);
}

}  // namespace
