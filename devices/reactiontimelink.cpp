#include "devices/reactiontimelink.h"

#include "devices/csvfields.h"

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

void ReactionTimeLink::Poll() {
  if (!endpoint.IsOpen()) {
    return;
  }
  if (!endpoint.IsListener() && !endpoint.HasPeer() && !endpoint.IsConnecting()) {
    const int64_t now = clock();
    if (now < nextAttempt) {
      return;
    }
    nextAttempt = now + kRetryMs;
    if (!endpoint.StartConnect()) {
      return;
    }
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
  uint8_t chunk[kReadChunk];
  DatabaseFrame request;
  while (handled < kMaxRequestsPerPoll) {
    if (reader.Next(request)) {
      Handle(request);
      ++handled;
      continue;
    }
    const int32_t got = endpoint.Receive(chunk, kReadChunk);
    if (got <= 0) {
      if (got < 0) {
        StartPeer();
      }
      break;
    }
    reader.Feed(chunk, static_cast<size_t>(got));
  }
  Flush();
}

void ReactionTimeLink::Handle(const DatabaseFrame& request) {
  if (request.code != "RRQ") {
    ++oddFrames;
    return;
  }
  const std::vector<KString> asked = request.Lines(charMode);
  std::vector<KString> fields;
  DatabaseFrame reply;
  std::vector<KString> lines;
  const bool wellFormed = !asked.empty() && CsvFields::Split(asked[0], fields) == CsvFields::kOk &&
                          fields.size() >= 3 && !fields[0].IsEmpty() && !fields[1].IsEmpty() &&
                          !fields[2].IsEmpty();
  if (!wellFormed) {
    ++oddFrames;
  }
  if (wellFormed && answer(fields[0], fields[1], fields[2], lines)) {
    reply.code = "RRP";
    reply.SetLines(lines, charMode);
  } else {
    reply.code = "RNR";
    reply.SetLines(asked.empty() ? std::vector<KString>{} : std::vector<KString>{asked[0]}, charMode);
  }
  ++answered;
  unsent.append(reply.Encode(request.hasChecksum));
}
