#include "devices/reactiontimelink.h"

#include <poll.h>

#include <algorithm>

#include "devices/csvfields.h"
#include "foundation/klog.h"

ReactionTimeLink::ReactionTimeLink(Answer answer, LinkClock clock)
    : answer(std::move(answer)), clock(clock ? std::move(clock) : LinkClock(SteadyMilliseconds)) {}

bool ReactionTimeLink::Open(const KString& settings, int32_t mode) {
  Close();
  charMode = mode;
  nextAttempt = clock();
  return endpoint.Open(settings);
}

void ReactionTimeLink::Close() {
  endpoint.Close();
  StartPeer();
}

void ReactionTimeLink::StartPeer() {
  reader = DatabaseFrameReader();
  unsent.clear();
  peerDone = false;
  refusalLogged = false;
}

bool ReactionTimeLink::Flush() {
  if (unsent.empty()) {
    return true;
  }
  const int32_t sent =
      endpoint.Send(reinterpret_cast<const uint8_t*>(unsent.data()), static_cast<int32_t>(unsent.size()));
  if (sent < 0) {
    StartPeer();
    return false;
  }
  unsent.erase(0, static_cast<size_t>(sent));
  return true;
}

bool ReactionTimeLink::Connect() {
  const int64_t now = clock();
  if (endpoint.IsConnecting()) {
    if (now < attemptDeadline) {
      return true;
    }
    endpoint.DropPeer();
  }
  if (now < nextAttempt) {
    return false;
  }
  nextAttempt = now + kRetryMs;
  attemptDeadline = now + kConnectLimitMs;
  return endpoint.StartConnect();
}

void ReactionTimeLink::Poll() {
  backlog = false;
  if (!endpoint.IsOpen()) {
    return;
  }
  if (!endpoint.IsListener() && !endpoint.HasPeer() && !Connect()) {
    return;
  }
  if (endpoint.Service()) {
    StartPeer();
  }
  // Requests are read only once the answers before them are gone, so a peer that sends without reading
  // holds back itself and not the program's memory.
  if (!endpoint.HasPeer() || !Flush() || !unsent.empty()) {
    return;
  }
  int32_t handled = 0;
  int32_t read = 0;
  uint8_t chunk[kReadChunk];
  DatabaseFrame request;
  while (handled < kMaxRequestsPerPoll) {
    if (reader.Next(request)) {
      Handle(request);
      ++handled;
      continue;
    }
    const int32_t room = std::min(kReadChunk, kMaxReadPerPoll - read);
    if (room <= 0 || peerDone) {
      break;
    }
    const int32_t got = endpoint.Receive(chunk, room);
    if (got <= 0) {
      peerDone = got < 0;
      break;
    }
    read += got;
    reader.Feed(chunk, static_cast<size_t>(got));
  }
  backlog = handled == kMaxRequestsPerPoll || read >= kMaxReadPerPoll;
  Flush();
  // A peer that sends nothing more (it may have closed only its sending side) is let go once every request
  // it sent whole has its answer on the way.
  if (peerDone && !backlog && unsent.empty()) {
    endpoint.DropPeer();
    StartPeer();
  }
}

LinkWait ReactionTimeLink::NextWait() const {
  LinkWait wait;
  if (!endpoint.IsOpen()) {
    return wait;
  }
  if (endpoint.IsListener()) {
    wait.sockets.push_back({endpoint.ListenerDescriptor(), POLLIN});
  }
  const int64_t now = clock();
  if (endpoint.IsConnecting()) {
    wait.sockets.push_back({endpoint.PeerDescriptor(), POLLOUT});
    wait.withinMs = std::max<int64_t>(0, attemptDeadline - now);
  } else if (endpoint.HasPeer()) {
    wait.sockets.push_back(
        {endpoint.PeerDescriptor(), static_cast<short>(unsent.empty() ? POLLIN : POLLOUT)});
    if (backlog && unsent.empty()) {
      wait.withinMs = 0;
    }
  } else if (!endpoint.IsListener()) {
    wait.withinMs = std::max<int64_t>(0, nextAttempt - now);
  }
  return wait;
}

void ReactionTimeLink::Handle(const DatabaseFrame& request) {
  if (request.code != "RRQ") {
    AddSaturated(oddFrames, 1);
    return;
  }
  const std::vector<KString> asked = request.Lines(charMode);
  std::vector<KString> fields;
  const char* refusal = request.Refusal();
  if (refusal != nullptr) {
    LogRefusal(refusal);
  }
  const bool wellFormed = refusal == nullptr && !asked.empty() &&
                          CsvFields::Split(asked[0], fields) == CsvFields::kOk && fields.size() >= 3 &&
                          !fields[0].IsEmpty() && !fields[1].IsEmpty() && !fields[2].IsEmpty();
  if (!wellFormed) {
    AddSaturated(oddFrames, 1);
  }
  DatabaseFrame reply;
  std::vector<KString> lines;
  std::string bytes;
  if (wellFormed && answer(fields[0], fields[1], fields[2], lines)) {
    reply.code = "RRP";
    reply.SetLines(lines, charMode);
    bytes = reply.Encode(request.hasChecksum);
  }
  // No results, or more than one frame carries: the request's line tells the peer which race has none.
  if (bytes.empty()) {
    reply.code = "RNR";
    reply.SetLines(asked.empty() ? std::vector<KString>{} : std::vector<KString>{asked[0]}, charMode);
    bytes = reply.Encode(request.hasChecksum);
  }
  if (bytes.empty()) {
    // The request's line may not fit either once it is ended and encoded again: the answer names no race.
    reply.payload.clear();
    bytes = reply.Encode(request.hasChecksum);
  }
  AddSaturated(answered, 1);
  unsent.append(bytes);
}

void ReactionTimeLink::LogRefusal(const char* why) {
  // A peer may send thousands a second: its first one tells the log what is wrong.
  if (refusalLogged) {
    return;
  }
  refusalLogged = true;
  KString line(u"Reaction-time link: a request refused and answered RNR: ");
  KLog::ProgramWarning(line.Append(why).Append(u" (further ones from this peer are not logged)"));
}
