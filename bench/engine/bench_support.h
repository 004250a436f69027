// Timing, data folders and reference commands for the engine benchmarks.
#pragma once

#include <string>

// Seconds since an arbitrary start, monotonic.
double now_seconds();
// Runs a shell command, best wall time over `runs` runs; negative on failure.
double time_command(const std::string& command, int runs);
// A folder for generated data under the build tree (made if missing).
std::string bench_data_dir(const std::string& area);
// The path of the data `name` in the area's folder, made by `make` (which
// keeps data made by an earlier run); empty, with a message on standard
// error, when it could not be made.
std::string bench_data(const std::string& area, const std::string& name, bool (*make)(const std::string& path));
// Peak resident memory of this process so far, in bytes.
double peak_rss_bytes();
// The current resident memory, in bytes.
double rss_bytes();
