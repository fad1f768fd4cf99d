// The fuzz targets' scratch folder: one private folder for the whole fuzzing
// process (the shared test support's ScratchDir, removed when the process
// ends normally), and a way to put the input there as a file: the readers
// under test take file names, not buffers.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <string>

#include "test_support.h"

namespace fuzz {

inline const std::string& scratchDir() {
    static const vk_test::ScratchDir dir("vk-fuzz");
    static const std::string path = dir.root().string();
    return path;
}

inline std::string scratchPath(const std::string& name) {
    return scratchDir() + "/" + name;
}

// Writes the bytes as the whole content of scratch file `name`; returns its path.
inline std::string writeScratchFile(const std::string& name, const std::string& content) {
    const std::string path = scratchPath(name);
    vk_test::writeFile(path, content);
    return path;
}

inline std::string writeScratchFile(const std::string& name, const std::uint8_t* data,
                                    std::size_t size) {
    return writeScratchFile(name, std::string(reinterpret_cast<const char*>(data), size));
}

inline void removeScratchFile(const std::string& name) {
    ::unlink(scratchPath(name).c_str());
}

}  // namespace fuzz
