#include "common/safe_save.h"

#include <cerrno>
#include <filesystem>

#include "common/errors.h"
#include "common/file_bytes.h"
#include "common/file_layer.h"
#include "common/regular_file.h"
#include "platform/system_files.h"

namespace mw {

namespace {

// Written in pieces of this size: few system calls, little memory.
constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

SafeSave::SafeSave(std::string target) : target_(std::move(target)) {
    requireWholeName(target_, "create");
    requireRegularOrMissing(target_, "create");
    std::string templ = target_ + ".tmp-XXXXXX";
    // No interruption comes between the file's creation and its name being
    // kept for removal.
    const platform::InterruptHold held;
    fd_ = file_layer::CreateTemporary(templ, target_);
    temp_ = templ;
    try {
        guard_ = std::make_unique<TempFileGuard>(temp_);
    } catch (...) {
        discard();
        throw;
    }
}

SafeSave::~SafeSave() {
    if (fd_ >= 0 || prepared_) discard();
}

void SafeSave::discard() {
    if (fd_ >= 0) platform::close(fd_);
    fd_ = -1;
    prepared_ = false;
    platform::remove(temp_);
    guard_.reset();
}

void SafeSave::flush() {
    try {
        file_layer::WriteAll(fd_, buffer_.data(), buffer_.size(), target_);
    } catch (...) {
        discard();
        throw;
    }
    buffer_.clear();
}

void SafeSave::write(const void* data, std::size_t size) {
    if (fd_ < 0) throw IoError(target_, "write", "file already closed");
    buffer_.append(static_cast<const char*>(data), size);
    if (buffer_.size() >= kBufferSize) flush();
}

void SafeSave::prepare() {
    if (fd_ < 0) throw IoError(target_, "write", "file already closed");
    if (!buffer_.empty()) flush();
    // The temporary file is private; the saved file gets what the old one
    // allowed, or the usual access of a new one.
    platform::takeOverAccess(fd_, target_);
    const int fd = fd_;
    fd_ = -1;
    try {
        file_layer::SyncAndClose(fd, target_);
    } catch (...) {
        discard();
        throw;
    }
    prepared_ = true;
}

void SafeSave::commit() {
    if (!prepared_) prepare();
    try {
        file_layer::Rename(temp_, target_, target_, "replace");
    } catch (...) {
        discard();
        throw;
    }
    prepared_ = false;
    guard_.reset();
    file_layer::SyncFolderOf(target_);
}

void SaveFileBytes(const std::string& path, const std::string& bytes) {
    SafeSave out(path);
    out.write(bytes.data(), bytes.size());
    out.commit();
}

namespace {

void replaceOne(const FileContent& file) {
    if (file.bytes) {
        SaveFileBytes(file.path, *file.bytes);
        return;
    }
    std::error_code ec;
    std::filesystem::remove(file.path, ec);
    if (ec) throw IoError(file.path, "delete", ec.message());
}

}  // namespace

void ReplaceFilesTogether(const std::vector<FileContent>& changes) {
    // A file that already holds its new content is left alone.
    std::vector<FileContent> files;
    std::vector<FileContent> old;
    for (const FileContent& f : changes) {
        std::optional<std::string> was = ReadFileBytes(f.path);
        if (was == f.bytes) continue;
        files.push_back(f);
        old.push_back({f.path, std::move(was)});
    }
    // Everything that can fail for want of room fails here, before any file moved.
    std::vector<std::unique_ptr<SafeSave>> prepared(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].bytes) continue;
        prepared[i] = std::make_unique<SafeSave>(files[i].path);
        prepared[i]->write(files[i].bytes->data(), files[i].bytes->size());
        prepared[i]->prepare();
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            if (prepared[i])
                prepared[i]->commit();
            else
                replaceOne(files[i]);
        } catch (const UserError& e) {
            std::string lost;
            for (std::size_t j = i; j-- > 0;) {
                try {
                    replaceOne(old[j]);
                } catch (const UserError& back) {
                    lost += "; " + printableBytes(old[j].path) +
                            " could not be put back as it was: " + back.what();
                }
            }
            if (lost.empty()) throw;
            throw UserError(e.what() + lost);
        }
    }
}

}  // namespace mw
