// A directory of the tree walk, open by descriptor: its entries are listed,
// looked at and read relative to it, so the walk never changes the
// process's current directory. Everything the walk's scan asks the system
// is asked here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "os.h"

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

    // The walk enters only plain directories: an attribute set of exactly
    // "directory"; anything read-only, hidden (dot name) or linked is passed by.
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
    // `directory` and a path relative to it (or absolute) as one path, with
    // "." and ".." taken out: the name the walk would list the file under.
    static std::string joinNormal(const std::string& directory, const std::string& relative);

  private:
    cWalkDirectory(os::Dir dir, std::string path);

    os::Dir m_dir;
    std::unique_ptr<os::Listing> m_listing;  // made on first use
    std::string m_path;
};
