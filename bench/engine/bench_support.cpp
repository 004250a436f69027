#include "bench/engine/bench_support.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

double now_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double time_command(const std::string& command, int runs) {
  double best = -1;
  for (int i = 0; i < runs; ++i) {
    double start = now_seconds();
    if (std::system(command.c_str()) != 0) return -1;
    double took = now_seconds() - start;
    if (best < 0 || took < best) best = took;
  }
  return best;
}

std::string bench_data_dir(const std::string& area) {
  std::string dir = "bench-data";
  mkdir(dir.c_str(), 0777);
  dir += "/" + area;
  mkdir(dir.c_str(), 0777);
  char absolute[4096];
  if (!realpath(dir.c_str(), absolute)) return dir;
  return absolute;
}

std::string bench_data(const std::string& area, const std::string& name, bool (*make)(const std::string& path)) {
  std::string path = bench_data_dir(area) + "/" + name;
  if (make(path)) return path;
  std::fprintf(stderr, "could not make %s\n", path.c_str());
  return std::string();
}

double peak_rss_bytes() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024.0;
}

double rss_bytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}
