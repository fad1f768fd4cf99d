// Helpers shared by the converter core tests: a scratch directory and whole
// file reads and writes that bypass the code under test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "exceptions.h"

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

class CoreScratchDir : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "infconv-core-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_dir, ignored);
    }

public:
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    static void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool present(const std::string& file) { return std::filesystem::exists(file); }

    std::filesystem::path m_dir;
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
