// Times view_items_added while a compare of a folder of 100,000 files
// against an empty one appends its items one at a time, and prints the
// time spent in the View after 25,000, 50,000 and 100,000 items: growth in
// proportion to the items shows as times in the ratio 1 : 2 : 4.
//
// Reference, measured in the same run: rebuilding the whole outline after
// every item (build_outline without notice), over the first 25,000 items,
// where quadratic growth shows as 1 : 4 between 12,500 and 25,000.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/ui/view.h"

namespace fs = std::filesystem;

namespace {

constexpr int item_count = 100000;

double now_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A table that answers at once; counts what it is told.
class CountingSink final : public ViewSink {
 public:
  intptr_t send(uint32_t message, uintptr_t, intptr_t) override {
    if (message == TM_APPEND) ++appends;
    if (message == TM_LAYOUT) ++layouts;
    return 0;
  }
  void set_title(const char*) override {}
  long appends = 0;
  long layouts = 0;
};

// Stands between the compare and the View: times every report, and with
// `rebuild` set rebuilds the whole outline first, as a naive View would.
class TimedView final : public ListReceiver {
 public:
  TimedView(View* view, bool rebuild, std::vector<int> marks)
      : view_(view), rebuild_(rebuild), marks_(std::move(marks)) {}
  int32_t attach_list(CompareList* list) override { return view_attach_list(view_, list); }
  int32_t items_added() override {
    double start = now_seconds();
    if (rebuild_) build_outline(view_, false);
    int32_t abort = view_items_added(view_);
    spent_ += now_seconds() - start;
    ++items_;
    if (next_mark_ < marks_.size() && items_ == marks_[next_mark_]) {
      times_.push_back(spent_);
      ++next_mark_;
    }
    return next_mark_ == marks_.size() ? 1 : abort;  // stop after the last mark
  }
  const std::vector<double>& times() const { return times_; }

 private:
  View* view_;
  bool rebuild_;
  std::vector<int> marks_;
  size_t next_mark_ = 0;
  int items_ = 0;
  double spent_ = 0;
  std::vector<double> times_;
};

std::string engine_form(std::string path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] == '/') path[i] = '\\';
  }
  return path;
}

// A folder of item_count empty files and an empty folder beside it.
bool make_data(const fs::path& root) {
  fs::path left = root / "left";
  fs::create_directories(left);
  fs::create_directories(root / "right");
  char name[32];
  for (int i = 0; i < item_count; ++i) {
    std::snprintf(name, sizeof name, "file%06d.txt", i);
    if (!fs::exists(left / name)) std::ofstream(left / name) << "";
  }
  return fs::exists(left / name);
}

std::vector<double> run(const fs::path& root, bool rebuild, const std::vector<int>& marks,
                        CountingSink& sink) {
  View* view = view_create(&sink);
  TimedView timed(view, rebuild, marks);
  compare_paths(engine_form((root / "left").string()).c_str(), engine_form((root / "right").string()).c_str(),
                &timed, 1);
  view_delete(view);
  return timed.times();
}

void print(const char* what, const std::vector<int>& marks, const std::vector<double>& times) {
  std::printf("%s\n", what);
  for (size_t i = 0; i < times.size(); ++i) {
    std::printf("  %7d items: %9.3f ms  (x%.2f the first)\n", marks[i], times[i] * 1000.0, times[i] / times[0]);
  }
}

}  // namespace

int main() {
  if (!engine_start()) return 1;
  fs::path root = fs::current_path() / "bench_view_data";
  if (!make_data(root)) {
    std::fprintf(stderr, "cannot write %s\n", root.string().c_str());
    return 1;
  }
  CountingSink incremental_sink;
  std::vector<int> marks = {25000, 50000, 100000};
  std::vector<double> incremental = run(root, false, marks, incremental_sink);
  std::printf("view_items_added over a compare appending %d items one at a time\n", item_count);
  print("View (rows appended per report):", marks, incremental);
  std::printf("  notices: %ld TM_APPEND, %ld TM_LAYOUT\n", incremental_sink.appends, incremental_sink.layouts);

  CountingSink rebuild_sink;
  std::vector<int> reference_marks = {12500, 25000};
  print("Reference (whole outline rebuilt per report):", reference_marks,
        run(root, true, reference_marks, rebuild_sink));
  engine_stop();
  return 0;
}
