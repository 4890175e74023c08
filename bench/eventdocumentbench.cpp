// Saving and opening a ten-lane event document with full two-channel traces. A save is measured in wall
// time against a durable copy of the bytes it wrote (copy to a temporary file, fsync, rename, fsync of the
// folder), which is what any safe save has to pay at least; the ratio of the two rates is printed, so the
// cost of building the record reads straight off the output. The document saved and the one opened must
// hold every lane with its full trace.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/ratiomain.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

constexpr int32_t kLanes = 10;
constexpr int32_t kTraceSamples = QvTrace::kMaxBlocks * QvTrace::kBlockSize;

// A folder for the benchmark's files, removed with them when the program ends.
class BenchFolder {
 public:
  // Throws when no folder can be made there (a TMPDIR that does not exist, a full disk).
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrove-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::filesystem::filesystem_error("no benchmark folder", pattern,
                                              std::error_code(errno, std::generic_category()));
    }
    path = pattern;
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

std::string Folder() {
  static const BenchFolder folder;
  return folder.path;
}

// A document with ten results, each with its texts, times and a full trace; saved once under `path`.
void BuildDocument(QvEvent& event, const std::string& path) {
  event.NewFromSchedule(1, 0);
  QvResults& results = event.Leg(0)->Results();
  for (int32_t lane = 1; lane <= kLanes; ++lane) {
    QvResult* result = results.NewResult();
    KString laneText;
    laneText.AppendInt(lane);
    result->SetAthleteField3(laneText);
    result->SetAthleteField0(u"Runner");
    result->SetReactionTime(120 + lane);
    result->SetPower(1000 + lane);
    std::vector<int32_t> channel1(kTraceSamples);
    std::vector<int32_t> channel2(channel1.size());
    for (size_t i = 0; i < channel1.size(); ++i) {
      channel1[i] = static_cast<int32_t>(i * lane);
      channel2[i] = static_cast<int32_t>(i ^ 0x5A5A);
    }
    result->SetTrace(0, std::move(channel1), std::move(channel2));
  }
  KSetFileDialogHook([path](KFileDialogRequest& request) {
    request.file->SetName(KString::FromUtf8(path));
    return 0;
  });
  event.Save(QvEvent::kSaveFile);
  KSetFileDialogHook(nullptr);
}

// Whether the document holds every lane, each with its full trace.
bool HasEveryLane(const QvEvent& event) {
  if (event.GetLegCount() == 0) {
    return false;
  }
  const QvResults& results = event.Leg(0)->Results();
  int32_t lanes = 0;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    if (result->TraceSampleCount() != kTraceSamples) {
      return false;
    }
    ++lanes;
  }
  return lanes == kLanes;
}

int64_t FileSize(const std::string& path) {
  return static_cast<int64_t>(std::filesystem::file_size(path));
}

// Copies `source` to `target` as a safe save does: a temporary file beside the target, its bytes forced to
// disk, renamed over the target, and the folder's entry forced to disk. False when any step fails.
bool DurableCopy(const std::string& source, const std::string& target) {
  const std::string temporary = target + ".tmp";
  std::error_code failed;
  std::filesystem::copy_file(source, temporary, std::filesystem::copy_options::overwrite_existing, failed);
  if (failed) {
    return false;
  }
  const int file = ::open(temporary.c_str(), O_WRONLY | O_CLOEXEC);
  const bool synced = file >= 0 && ::fsync(file) == 0;
  if (file >= 0) {
    ::close(file);
  }
  if (!synced || ::rename(temporary.c_str(), target.c_str()) != 0) {
    return false;
  }
  const int folder = ::open(std::filesystem::path(target).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  const bool folderSynced = folder >= 0 && ::fsync(folder) == 0;
  if (folder >= 0) {
    ::close(folder);
  }
  return folderSynced;
}

double SecondsSince(std::chrono::steady_clock::time_point begin) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Each iteration saves the document, then copies the saved file durably; both are timed on the wall clock
// in the same iteration so that they meet the same disk. The iteration's time is the save's.
void SaveDocument(benchmark::State& state) {
  std::string path;
  std::string copy;
  QvEvent event;
  if (!bench::SetUp(state, [&] {
        path = Folder() + "/save.qve";
        copy = Folder() + "/copy.qve";
        BuildDocument(event, path);
      })) {
    return;
  }
  if (!HasEveryLane(event)) {
    state.SkipWithError("the document saved lacks lanes or traces");
    return;
  }
  double saveSeconds = 0;
  double copySeconds = 0;
  for (auto _ : state) {
    const auto saveBegin = std::chrono::steady_clock::now();
    if (event.Save(QvEvent::kSaveFile) != 0) {
      state.SkipWithError("save failed");
      break;
    }
    const double saved = SecondsSince(saveBegin);
    const auto copyBegin = std::chrono::steady_clock::now();
    if (!DurableCopy(path, copy)) {
      state.SkipWithError("durable copy failed");
      break;
    }
    copySeconds += SecondsSince(copyBegin);
    saveSeconds += saved;
    state.SetIterationTime(saved);
  }
  const int64_t bytes = state.iterations() * FileSize(path);
  state.SetBytesProcessed(bytes);
  state.counters["durable_copy_bytes_per_second"] = static_cast<double>(bytes) / copySeconds;
  // The save's rate as a share of the durable copy's: 100 would mean the record costs nothing.
  state.counters["pct_of_durable_copy"] = 100.0 * copySeconds / saveSeconds;
}

void OpenDocument(benchmark::State& state) {
  std::string path;
  if (!bench::SetUp(state, [&path] {
        path = Folder() + "/open.qve";
        QvEvent event;
        BuildDocument(event, path);
      })) {
    return;
  }
  const KString name = KString::FromUtf8(path);
  for (auto _ : state) {
    QvEvent event;
    if (event.Open(QvEvent::kOpenFile, name) != 0) {
      state.SkipWithError("open failed");
      break;
    }
    if (!HasEveryLane(event)) {
      state.SkipWithError("the document opened lacks lanes or traces");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * FileSize(path));
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("SaveDocument", SaveDocument)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("OpenDocument", OpenDocument)->Unit(benchmark::kMillisecond);
  return bench::RunCases(argc, argv);
}
