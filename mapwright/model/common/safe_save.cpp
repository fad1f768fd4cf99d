#include "common/safe_save.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/errors.h"
#include "common/regular_file.h"

namespace mw {

namespace {

// Holds SIGINT, SIGTERM and SIGHUP while it lives, so a temporary file is never
// created without its name being kept for removal.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        sigaddset(&held, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &held, &old_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t old_;
};

mode_t currentUmask() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

}  // namespace

SafeSave::SafeSave(std::string target) : target_(std::move(target)), reported_(target_) {
    requireWholeName(target_, "create");
    requireRegularOrMissing(target_, "create");
    std::string templ = target_ + ".tmp-XXXXXX";
    int fd = -1;
    {
        const SignalsHeld held;
        fd = ::mkstemp(templ.data());
        if (fd < 0) throw IoError(target_, "create", errnoText());
        temp_ = templ;
        try {
            guard_ = std::make_unique<TempFileGuard>(temp_);
        } catch (...) {
            ::close(fd);
            ::unlink(temp_.c_str());
            throw;
        }
    }
    open(fd);
}

SafeSave::SafeSave(std::string target, std::string scratch)
    : target_(std::move(target)), temp_(std::move(scratch)), reported_(temp_) {
    requireWholeName(target_, "create");
    requireRegularOrMissing(target_, "create");
    guard_ = std::make_unique<TempFileGuard>(temp_);
    // Unlinking a leftover first means a link of that name never leads the
    // write into another file.
    if (::unlink(temp_.c_str()) != 0 && errno != ENOENT)
        throw IoError(temp_, "create", errnoText());
    const int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw IoError(temp_, "create", errnoText());
    open(fd);
}

void SafeSave::open(int fd) {
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        const std::string why = errnoText();
        ::close(fd);
        ::unlink(temp_.c_str());
        throw IoError(reported_, "create", why);
    }
}

SafeSave::~SafeSave() {
    if (f_) discard();
}

void SafeSave::discard() {
    std::fclose(f_);
    f_ = nullptr;
    ::unlink(temp_.c_str());
}

void SafeSave::write(const void* data, std::size_t size) {
    if (!f_) throw IoError(reported_, "write", "file already closed");
    if (size > 0 && std::fwrite(data, 1, size, f_) != size) {
        const std::string why = errnoText();
        discard();
        throw IoError(reported_, "write", why);
    }
}

void SafeSave::commit() {
    if (!f_) throw IoError(reported_, "write", "file already closed");
    const bool synced = std::fflush(f_) == 0 && ::fsync(::fileno(f_)) == 0;
    const std::string why = synced ? "" : errnoText();
    const bool closed = std::fclose(f_) == 0;
    f_ = nullptr;
    if (!synced || !closed) {
        const std::string reason = synced ? errnoText() : why;
        ::unlink(temp_.c_str());
        throw IoError(reported_, "write", reason);
    }
    // The temporary file is private (0600); a saved file gets the usual mode.
    ::chmod(temp_.c_str(), 0666 & ~currentUmask());
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        const std::string reason = errnoText();
        ::unlink(temp_.c_str());
        throw IoError(target_, "replace", reason);
    }
    guard_.reset();
}

void SaveFileBytes(const std::string& path, const std::string& bytes) {
    SafeSave out(path);
    out.write(bytes.data(), bytes.size());
    out.commit();
}

}  // namespace mw
