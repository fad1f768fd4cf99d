// Every converter stage and baseline, registered once per input. Each
// benchmark reports throughput in bytes of the input's text form, and the
// rise of peak resident memory over the stage.
#include "converter_stages.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_inputs.h"
#include "inf_analyzer.h"
#include "inf_convert.h"
#include "inf_data_generator.h"
#include "json_baseline.h"
#include "peak_memory.h"
#include "process_stages.h"

#ifdef VK_HAVE_TREE_CONVERTER
#include "cli_tree_converter.h"
#endif

namespace bench {
namespace {

namespace fs = std::filesystem;

// The file's bytes, read whole with plain system calls.
std::vector<char> readRaw(const std::string& from) {
    const int in = ::open(from.c_str(), O_RDONLY);
    if (in < 0) throw std::runtime_error(from + ": cannot open");
    struct stat info {};
    ::fstat(in, &info);
    std::vector<char> buffer(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(in, buffer.data() + got, buffer.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(in);
    buffer.resize(got);
    return buffer;
}

// Creates `to` (`flags`: O_TRUNC or O_EXCL) and writes the bytes; returns
// the open descriptor.
int writeRaw(const std::string& to, const std::vector<char>& bytes, int flags) {
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | flags, 0644);
    if (out < 0) throw std::runtime_error(to + ": cannot create");
    for (std::size_t put = 0; put < bytes.size();) {
        const ssize_t n = ::write(out, bytes.data() + put, bytes.size() - put);
        if (n <= 0) break;
        put += static_cast<std::size_t>(n);
    }
    return out;
}

// The I/O floor: the input read whole and written back unchanged, with the
// plain system calls and no library in between.
void copyRaw(const std::string& from, const std::string& to) {
    const std::vector<char> bytes = readRaw(from);
    ::unlink(to.c_str());
    ::close(writeRaw(to, bytes, O_TRUNC));
}

void finish(benchmark::State& state, const BenchInput& input, const PeakMemory& peak) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.textBytes));
    state.counters["text_bytes"] = static_cast<double>(input.textBytes);
    const double rise = static_cast<double>(peak.riseBytes());
    state.counters["peak_MB"] = rise / (1024.0 * 1024.0);
    state.counters["peak_x_text"] = rise / static_cast<double>(input.textBytes);
    if (!peak.exact()) state.SetLabel("peak not reset");
}

template <typename Body>
void runStage(benchmark::State& state, const std::string& inputName, Body body) {
    const BenchInput* input = nullptr;
    try {
        input = &benchInput(inputName);
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        state.SkipWithError(owned->message().c_str());
        return;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    PeakMemory peak;
    try {
        body(state, *input);
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        state.SkipWithError(owned->message().c_str());
        return;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    finish(state, *input, peak);
}

// A fresh output file each time: rewriting a file in place by truncating it
// makes some file systems flush it on close, which would time the disk.
std::string outPath(const BenchInput& input, const char* stage) {
    std::string path = benchScratchDir() + "/" + input.name + "." + stage + ".out";
    ::unlink(path.c_str());
    return path;
}

// convertInfFile works in place: each iteration starts from a fresh copy.
void convertInPlace(benchmark::State& state, const BenchInput& input, bool toBinary) {
    const std::string source = toBinary ? input.textPath : input.binaryPath;
    const std::string work = outPath(input, toBinary ? "to_binary" : "to_text");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(work + ".back");
        fs::copy_file(source, work, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        convertInfFile(work, toBinary);
    }
}

void registerInput(const std::string& name) {
    using benchmark::RegisterBenchmark;
    auto reg = [&](const char* stage, auto body) {
        RegisterBenchmark((std::string(stage) + "/" + name).c_str(),
                          [name, body](benchmark::State& state) { runStage(state, name, body); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };

    reg("io_floor", [](benchmark::State& state, const BenchInput& input) {
        for (auto _ : state) copyRaw(input.textPath, outPath(input, "floor"));
    });
    reg("text_to_tree", [](benchmark::State& state, const BenchInput& input) {
        for (auto _ : state) {
            InfAnalyzer analyzer(input.textPath);
            benchmark::DoNotOptimize(analyzer.getRoot());
        }
    });
    reg("tree_to_binary", [](benchmark::State& state, const BenchInput& input) {
        InfAnalyzer analyzer(input.textPath);
        for (auto _ : state) analyzer.writeBinaryInf(outPath(input, "bin"), false);
    });
    reg("binary_to_tree", [](benchmark::State& state, const BenchInput& input) {
        for (auto _ : state) {
            InfAnalyzer analyzer(input.binaryPath);
            benchmark::DoNotOptimize(analyzer.getRoot());
        }
    });
    reg("tree_to_text", [](benchmark::State& state, const BenchInput& input) {
        InfAnalyzer analyzer(input.textPath);
        for (auto _ : state) analyzer.writeTextInf(outPath(input, "txt"), false);
    });
    reg("convert_to_binary", [](benchmark::State& state, const BenchInput& input) {
        convertInPlace(state, input, true);
    });
    reg("convert_to_text", [](benchmark::State& state, const BenchInput& input) {
        convertInPlace(state, input, false);
    });
    // The baseline for file-to-file text to binary: read the JSON file,
    // parse it into the DOM, write it out.
    reg("json_parse_write", [](benchmark::State& state, const BenchInput& input) {
        for (auto _ : state) jsonParseAndWrite(readFile(input.jsonPath), outPath(input, "json"));
    });
    // The baseline for binary to text: writing an existing DOM out.
    reg("json_write", [](benchmark::State& state, const BenchInput& input) {
        const JsonDom dom(readFile(input.jsonPath));
        for (auto _ : state) dom.write(outPath(input, "json"));
    });
}

#ifdef VK_HAVE_TREE_CONVERTER
constexpr std::size_t kTreeFiles = 5000;

void walkFiles(const fs::path& root, std::vector<fs::path>& out) {
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) out.push_back(entry.path());
}

// Reads the file whole and writes its bytes to a new file `to`; returns the
// open descriptor of `to` (or closes it and returns -1 unless `keepOpen`).
int copyToNewFile(const std::string& from, const std::string& to, bool keepOpen) {
    const int out = writeRaw(to, readRaw(from), O_EXCL);
    if (keepOpen) return out;
    ::close(out);
    return -1;
}

double processCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Syncs the files' data on `threads` threads at once: the file system then
// commits many of them together, which one thread syncing file after file
// cannot get.
void syncTogether(const std::vector<int>& fds, unsigned threads) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (std::size_t i; (i = next++) < fds.size();) ::fdatasync(fds[i]);
        });
    }
    for (std::thread& t : pool) t.join();
}

void registerTree() {
    auto pristine = std::make_shared<std::string>();
    auto textBytes = std::make_shared<std::uint64_t>(0);
    auto ensure = [pristine, textBytes] {
        if (pristine->empty()) {
            *pristine = benchScratchDir() + "/tree_pristine";
            *textBytes = writeIncludeTree(*pristine, kTreeFiles);
        }
    };
    // The walk's stages also report the CPU time of the whole process
    // (process_cpu_ms): the threads that convert and sync do not show in the
    // time of the thread that runs the benchmark.
    auto report = [textBytes](benchmark::State& state, const PeakMemory& peak, double cpuSeconds) {
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * *textBytes));
        state.counters["text_bytes"] = static_cast<double>(*textBytes);
        state.counters["peak_MB"] = static_cast<double>(peak.riseBytes()) / (1024.0 * 1024.0);
        state.counters["process_cpu_ms"] =
            1000.0 * cpuSeconds / static_cast<double>(state.iterations());
    };
    // A fresh copy of the tree for each iteration, made untimed in a new
    // directory that is left in place: deleting copies would make the file
    // system search past the freed inodes for minutes (ext4 without a journal
    // does not reuse inodes freed in the last minute or more) and slow every
    // stage's file creation severalfold.
    auto serial = std::make_shared<int>(0);
    auto freshCopy = [=] {
        fs::path work;
        do {
            work = benchScratchDir() + "/tree_work/" + std::to_string(++*serial);
        } while (fs::exists(work));
        fs::create_directories(work.parent_path());
        fs::copy(*pristine, work, fs::copy_options::recursive);
        ::sync();  // the copy's own writes must not be timed with the stage
        return work;
    };
    // Runs `body` on a fresh copy per iteration, timing only the body.
    auto registerWalk = [=](const std::string& name, auto body) {
        benchmark::RegisterBenchmark(name.c_str(),
                                     [=](benchmark::State& state) {
                                         ensure();
                                         PeakMemory peak;
                                         double cpuSeconds = 0;
                                         for (auto _ : state) {
                                             state.PauseTiming();
                                             const fs::path work = freshCopy();
                                             state.ResumeTiming();
                                             const double before = processCpuSeconds();
                                             if (!body(state, work)) break;
                                             cpuSeconds += processCpuSeconds() - before;
                                         }
                                         report(state, peak, cpuSeconds);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    };

    // The I/O floor of the walk: every file of the tree read whole and its
    // bytes written to a new file beside it, with plain system calls. The
    // synced floor also puts the new files on the disk, as cheaply as this
    // machine allows: batches of 64, each synced on 16 threads at once.
    for (const bool synced : {false, true}) {
        registerWalk(synced ? "io_floor_synced/5000_files" : "io_floor/5000_files",
                     [synced](benchmark::State&, const fs::path& work) {
                         std::vector<fs::path> files;
                         walkFiles(work, files);
                         std::vector<int> batch;
                         for (const fs::path& f : files) {
                             const int fd = copyToNewFile(f.string(), f.string() + ".new", synced);
                             if (fd >= 0) batch.push_back(fd);
                             if (batch.size() == 64 || (&f == &files.back() && !batch.empty())) {
                                 syncTogether(batch, 16);
                                 for (int open : batch) ::close(open);
                                 batch.clear();
                             }
                         }
                         return true;
                     });
    }

    // One thread (-j 1), and as many as there are processors (the default).
    for (const unsigned jobs : {1u, 2u}) {
        registerWalk(jobs == 1 ? "tree_convert_to_binary/5000_files"
                               : "tree_convert_to_binary_j" + std::to_string(jobs) + "/5000_files",
                     [jobs](benchmark::State& state, const fs::path& work) {
                         const fs::path home = fs::current_path();
                         fs::current_path(work);
                         std::FILE* sink = std::fopen("/dev/null", "w");
                         bool ok = true;
                         try {
                             cTreeConverter(sink, stderr, jobs).run(true);
                         } catch (cException* e) {
                             std::unique_ptr<cException> owned(e);
                             state.SkipWithError(owned->message().c_str());
                             ok = false;
                         }
                         std::fclose(sink);
                         fs::current_path(home);
                         return ok;
                     });
    }
}
#endif

}  // namespace

void registerConverterBenchmarks() {
    for (const std::string& name : benchInputNames()) registerInput(name);
    registerProcessBenchmarks();
#ifdef VK_HAVE_TREE_CONVERTER
    registerTree();
#endif
}

}  // namespace bench
