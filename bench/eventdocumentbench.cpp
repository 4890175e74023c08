// Saving and opening a ten-lane event document with full two-channel traces, against a plain copy of a file
// of the same size. Each reports bytes per second, so the cost of the record format over raw file traffic
// reads straight off the output.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

constexpr int32_t kLanes = 10;

// A folder for the benchmark's files, removed with them when the program ends.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrove-bench-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    path = made != nullptr ? made : "";
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
    std::vector<int32_t> channel1(QvTrace::kMaxBlocks * QvTrace::kBlockSize);
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

int64_t FileSize(const std::string& path) {
  return static_cast<int64_t>(std::filesystem::file_size(path));
}

void SaveDocument(benchmark::State& state) {
  const std::string path = Folder() + "/save.qve";
  QvEvent event;
  BuildDocument(event, path);
  for (auto _ : state) {
    if (event.Save(QvEvent::kSaveFile) != 0) {
      state.SkipWithError("save failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(SaveDocument)->Unit(benchmark::kMillisecond);

void OpenDocument(benchmark::State& state) {
  const std::string path = Folder() + "/open.qve";
  {
    QvEvent event;
    BuildDocument(event, path);
  }
  const KString name = KString::FromUtf8(path);
  for (auto _ : state) {
    QvEvent event;
    if (event.Open(QvEvent::kOpenFile, name) != 0) {
      state.SkipWithError("open failed");
      break;
    }
    benchmark::DoNotOptimize(event.GetLegCount());
  }
  state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(OpenDocument)->Unit(benchmark::kMillisecond);

// The baseline: a file of the same size copied with the standard library.
void PlainFileCopy(benchmark::State& state) {
  const std::string source = Folder() + "/source.qve";
  {
    QvEvent event;
    BuildDocument(event, source);
  }
  const std::string target = Folder() + "/copy.bin";
  for (auto _ : state) {
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(state.iterations() * FileSize(source));
}
BENCHMARK(PlainFileCopy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
