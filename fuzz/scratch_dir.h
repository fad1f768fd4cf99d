// A private scratch directory for one fuzzing process, and a way to put the
// input there as a file: the readers under test take file names, not buffers.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// Created once, under $TMPDIR (or /tmp); removed when the process ends normally.
inline const std::string& scratchDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/vk-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        static std::string removeOnExit;
        removeOnExit = pattern;
        std::atexit([] {
            const std::string command = "rm -rf '" + removeOnExit + "'";
            if (std::system(command.c_str()) != 0) { /* a leftover scratch dir is harmless */ }
        });
        return pattern;
    }();
    return dir;
}

inline std::string scratchPath(const std::string& name) { return scratchDir() + "/" + name; }

// Writes the bytes as the whole content of scratch file `name`; returns its path.
inline std::string writeScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchPath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}

inline std::string writeScratchFile(const std::string& name, const std::string& content) {
    return writeScratchFile(name, reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
}

inline void removeScratchFile(const std::string& name) { ::unlink(scratchPath(name).c_str()); }

}  // namespace fuzz
