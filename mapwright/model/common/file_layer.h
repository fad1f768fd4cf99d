#pragma once
// The system calls every write of the model goes through (SafeSave, new empty
// files, files set aside). Each step asks file_faults first, so a test can
// make any of them fail as a full or failing disk would. Failures raise
// IoError naming the file the user knows (`reported`), not a temporary one.

#include <cstddef>
#include <string>

namespace mw::file_layer {

/// A new private (0600) temporary file made from the mkstemp template.
int CreateTemporary(std::string& templ, const std::string& reported);
/// Creates the file empty (0666 less the umask) unless something of that
/// name exists, which is never touched. True when it was created.
bool CreateIfMissing(const std::string& path);
/// Every byte, or IoError.
void WriteAll(int fd, const void* data, std::size_t size, const std::string& reported);
/// Flushes the file to the disk and closes it (closed in every case).
void SyncAndClose(int fd, const std::string& reported);
/// rename(2); IoError(reported, operation, why) on failure.
void Rename(const std::string& from, const std::string& to, const std::string& reported,
            const std::string& operation);
/// Flushes the entry of the folder holding `path`, so that a rename in it
/// outlasts a power cut. The rename has happened by then and the file holds
/// its new bytes; a failure here is no failed save and is not reported.
void SyncFolderOf(const std::string& path);

}  // namespace mw::file_layer
