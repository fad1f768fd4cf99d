#include "common/file_layer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/errors.h"
#include "common/file_faults.h"
#include "platform/system_files.h"

namespace mw::file_layer {

namespace {

// errno as the step failed: injected or real.
std::string reason(int injected) {
    return std::strerror(injected != 0 ? injected : errno);
}

}  // namespace

int CreateTemporary(std::string& templ, const std::string& reported) {
    const int injected = file_faults::Before(FileStep::Create);
    const int fd = injected != 0 ? -1 : platform::createTemporary(templ);
    if (fd < 0) throw IoError(reported, "create", reason(injected));
    return fd;
}

bool CreateIfMissing(const std::string& path) {
    const int injected = file_faults::Before(FileStep::Create);
    const int fd = injected != 0 ? -1 : platform::createNew(path);
    if (fd >= 0) {
        platform::close(fd);
        return true;
    }
    if (injected == 0 && errno == EEXIST) return false;
    throw IoError(path, "create", reason(injected));
}

void WriteAll(int fd, const void* data, std::size_t size, const std::string& reported) {
    int injected = 0;
    const std::size_t allowed = file_faults::Writable(size, injected);
    const char* p = static_cast<const char*>(data);
    std::size_t left = allowed;
    while (left > 0) {
        const std::int64_t n = platform::write(fd, p, left);
        if (n < 0) throw IoError(reported, "write", reason(0));
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (allowed < size) throw IoError(reported, "write", reason(injected));
}

void SyncAndClose(int fd, const std::string& reported) {
    const int injected = file_faults::Before(FileStep::Sync);
    const bool synced = injected == 0 && platform::sync(fd) == 0;
    const std::string why = synced ? std::string() : reason(injected);
    const bool closed = platform::close(fd) == 0;
    if (!synced) throw IoError(reported, "write", why);
    if (!closed) throw IoError(reported, "write", reason(0));
}

void Rename(const std::string& from, const std::string& to, const std::string& reported,
            const std::string& operation) {
    const int injected = file_faults::Before(FileStep::Rename);
    if (injected != 0 || platform::replace(from, to) != 0)
        throw IoError(reported, operation, reason(injected));
}

void SyncFolderOf(const std::string& path) {
    if (file_faults::Before(FileStep::SyncFolder) != 0) return;
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    platform::syncFolder(folder);
}

}  // namespace mw::file_layer
