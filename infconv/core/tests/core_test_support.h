// Helpers shared by the converter core tests: a scratch directory and whole
// file reads and writes that bypass the code under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "exceptions.h"
#include "test_support.h"

// The prefix followed by the number ("k12"), built by appending: once
// inlined, `"k" + std::to_string(i)` makes GCC 12 warn falsely of
// overlapping copies (-Wrestrict) in the MinGW cross build.
inline std::string numbered(const char* prefix, long long number) {
    std::string name = prefix;
    name += std::to_string(number);
    return name;
}

// Reproducible random damage to a binary INF image: 1..maxEdits bytes
// overwritten, the magic kept so the damage reaches the reader.
class ByteDamager {
  public:
    explicit ByteDamager(std::uint32_t seed) : m_seed(seed) {}

    std::string damage(const std::string& original, int maxEdits) {
        std::string damaged = original;
        int edits = 1 + static_cast<int>(next() % static_cast<std::uint32_t>(maxEdits));
        for (int e = 0; e < edits; ++e) {
            std::size_t at = 4 + next() % (damaged.size() - 4);
            damaged[at] = static_cast<char>(next());
        }
        return damaged;
    }

  private:
    std::uint32_t next() {
        m_seed = m_seed * 1103515245u + 12345u;
        return m_seed >> 8;
    }

    std::uint32_t m_seed;
};

// A scratch directory for each test, and whole file reads and writes that
// bypass the code under test.
class CoreScratchDir : public ::testing::Test {
  public:
    std::string path(const std::string& name) const { return m_scratch.path(name); }

    static void writeBytes(const std::string& file, const std::string& bytes) {
        vk_test::writeFile(file, bytes);
    }
    static std::string readBytes(const std::string& file) { return vk_test::readFile(file); }
    static bool present(const std::string& file) { return std::filesystem::exists(file); }

    vk_test::ScratchDir m_scratch{"infconv-core"};
    const std::filesystem::path& m_dir = m_scratch.root();
};

// Runs `action`, which must throw a cException* of type E; returns its message.
template <class E>
std::string thrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (cException* raw) {
        std::unique_ptr<cException> owned(raw);
        EXPECT_NE(dynamic_cast<E*>(raw), nullptr) << "wrong exception type: " << raw->message();
        return raw->message();
    }
    ADD_FAILURE() << "nothing was thrown";
    return std::string();
}
