// bench_json_sync parse-write|write IN OUT: the RapidJSON side of the
// process-level comparison. Reads the JSON file with one read, parses it
// into the DOM and writes it to OUT through a 64 KB buffer, synced to the
// disk before the file is closed, as the converter syncs its output.
//
// Prints the CPU time (user + system, microseconds) of the measured part:
// "parse-write" everything from opening IN to closing OUT, "write" only the
// writing and syncing of a DOM parsed before.
#include <fcntl.h>
#include <rapidjson/document.h>
#include <rapidjson/filewritestream.h>
#include <rapidjson/writer.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

long long cpuMicroseconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto micro = [](const timeval& t) {
        return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
    };
    return micro(usage.ru_utime) + micro(usage.ru_stime);
}

bool readWhole(const char* path, std::string& out) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    out.resize(ok ? static_cast<std::size_t>(info.st_size) : 0);
    for (std::size_t done = 0; ok && done < out.size();) {
        const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
        ok = got > 0;
        if (ok) done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return ok;
}

bool writeSynced(const rapidjson::Document& document, const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    static char buffer[64 * 1024];
    rapidjson::FileWriteStream stream(file, buffer, sizeof buffer);
    rapidjson::Writer<rapidjson::FileWriteStream> writer(stream);
    document.Accept(writer);
    stream.Flush();
    bool ok = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 ||
        (std::strcmp(argv[1], "parse-write") != 0 && std::strcmp(argv[1], "write") != 0)) {
        std::fputs("usage: bench_json_sync parse-write|write IN OUT\n", stderr);
        return 2;
    }
    const bool parseTimed = std::strcmp(argv[1], "parse-write") == 0;
    long long start = cpuMicroseconds();
    std::string json;
    if (!readWhole(argv[2], json)) {
        std::fprintf(stderr, "bench_json_sync: cannot read %s\n", argv[2]);
        return 1;
    }
    rapidjson::Document document;
    document.Parse(json.data(), json.size());
    if (document.HasParseError()) {
        std::fprintf(stderr, "bench_json_sync: %s does not parse\n", argv[2]);
        return 1;
    }
    if (!parseTimed) start = cpuMicroseconds();
    if (!writeSynced(document, argv[3])) {
        std::fprintf(stderr, "bench_json_sync: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%lld\n", cpuMicroseconds() - start);
    return 0;
}
