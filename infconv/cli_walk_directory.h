// A directory of the tree walk, open by descriptor: its entries are listed,
// looked at and read relative to it, so the walk never changes the
// process's current directory. The system calls of the walk's scan are all
// here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class cWalkDirectory {
  public:
    // The current directory, open for the walk; nothing when it cannot be
    // listed. `path` is its full name as the system reports it.
    static std::unique_ptr<cWalkDirectory> openCurrent();
    ~cWalkDirectory();
    cWalkDirectory(const cWalkDirectory&) = delete;
    cWalkDirectory& operator=(const cWalkDirectory&) = delete;

    const std::string& path() const { return m_path; }

    // The next entry's name in listing order ("." and ".." left out);
    // nothing at the end, or when the listing fails.
    std::optional<std::string> nextEntry();

    // The walk enters only plain directories: like an attribute set of
    // exactly "directory", anything read-only, hidden (dot name) or linked
    // is passed by. The owner's write bit stands in for the read-only
    // attribute (an access check would pass everything for a privileged user).
    bool isPlainDirectory(const std::string& name) const;
    // Whether the subdirectory may be entered (searched), as a change into
    // it would allow.
    bool mayEnter(const std::string& name) const;
    // The subdirectory, open for listing; nothing when it cannot be listed.
    std::unique_ptr<cWalkDirectory> open(const std::string& name) const;

    // Size and kind of the entry, following a symbolic link; nothing when
    // that fails (a link to nothing).
    struct FileInfo {
        bool regular;
        std::int64_t size;
    };
    std::optional<FileInfo> info(const std::string& name) const;
    // The whole content of a regular file; nothing when it cannot be opened
    // as one or read whole.
    std::optional<std::string> readRegular(const std::string& name) const;
    // Whether a regular file of that name (a path relative to this
    // directory) can be opened for reading.
    bool canRead(const std::string& name) const;
    // An #include name as the converter resolves it here.
    std::string resolveInclude(const std::string& name) const;

    // The size of the regular file at `path`, or nothing.
    static std::optional<std::int64_t> regularFileSize(const std::string& path);

  private:
    cWalkDirectory(int fd, std::string path);

    int m_fd;
    void* m_listing = nullptr;  // the DIR of the listing, made on first use
    bool m_listingFailed = false;
    std::string m_path;
};
