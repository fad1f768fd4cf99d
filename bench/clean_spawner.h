// Starts programs from a small helper process forked while the benchmark
// is still small. A process started from the benchmark itself would be
// charged the benchmark's own peak memory: the kernel keeps the peak of the
// memory it replaces when a program starts (and posix_spawn shares the
// parent's memory until then).
#pragma once

#include <sys/resource.h>

#include <string>
#include <vector>

namespace bench {

class CleanSpawner {
  public:
    // The helper; fork it before the benchmark grows (in main).
    static CleanSpawner& instance();

    // Runs the program with standard output going to `outFile` and waits for
    // it; its resource usage. Throws std::runtime_error unless it ends with 0.
    rusage run(const std::vector<std::string>& args, const std::string& outFile);

  private:
    CleanSpawner();
    int toHelper_ = -1;
    int fromHelper_ = -1;
};

}  // namespace bench
