#include "cli_tree_converter.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include "cfile.h"
#include "file_lock.h"
#include "inf_convert.h"
#include "inf_parser_report.h"
#include "inf_syntax_exception.h"
#include "inf_tokenizer_paths.h"
#include "work_pool.h"

namespace fs = std::filesystem;

namespace {

// The walk enters only plain directories: like an attribute set of exactly
// "directory", anything read-only, hidden (dot name) or linked is passed by.
bool isPlainDirectory(const fs::directory_entry& entry) {
    std::error_code ec;
    if (entry.is_symlink(ec) || !entry.is_directory(ec)) return false;
    const std::string name = entry.path().filename().string();
    if (!name.empty() && name[0] == '.') return false;
    // The owner's write bit stands in for the read-only attribute (an access
    // check would pass everything for a privileged user).
    const auto perms = entry.status(ec).permissions();
    return !ec && (perms & fs::perms::owner_write) != fs::perms::none;
}

std::string toLowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool endsWithInf(const std::string& name) {
    return name.size() >= 3 && name.compare(name.size() - 3, 3, "inf") == 0;
}

bool startsWithIncludeKeyword(const std::string& text, std::size_t pos) {
    static const char kKeyword[] = "#include";
    if (text.size() - pos < 8) return false;
    for (std::size_t i = 0; i < 8; ++i) {
        char c = text[pos + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kKeyword[i]) return false;
    }
    return true;
}

// The content to search for include lines; nothing when the file cannot be
// opened as a regular file or read whole.
std::optional<std::string> readForIncludeSearch(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct CloseAtEnd {
        int fd;
        ~CloseAtEnd() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string content(static_cast<std::size_t>(info.st_size), '\0');
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t got = ::read(fd, content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        done += static_cast<std::size_t>(got);
    }
    return content;
}

// The size of a regular file, or nothing.
std::optional<std::int64_t> regularFileSize(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

// Files converted before their new forms are synced together and put in place.
constexpr std::size_t kBatchFiles = 64;
// Syncs running at once: the disk commits many files together.
constexpr unsigned kSyncThreads = 16;

const char* const kBusyDetail = "busy: another conversion of this file is running";

}  // namespace

struct cTreeConverter::Job {
    enum class Outcome { Written, Busy, Refused, Stop };

    const FoundFile* file = nullptr;
    Outcome outcome = Outcome::Stop;
    cFileLock lock;
    // Written: the new content in its temporary file, not yet synced.
    std::unique_ptr<cFile> output;
    std::vector<cFile::Identity> includes;
    // Refused: the refusal; Stop: what ends the walk (or `otherError`).
    std::unique_ptr<cException> error;
    std::exception_ptr otherError;
};

// Whatever of a batch is not put in place is undone when it goes: the
// temporary files are removed and the locks released.
struct cTreeConverter::Batch {
    explicit Batch(std::size_t size) : jobs(size) {}
    std::vector<Job> jobs;
    ~Batch() {
        for (Job& job : jobs)
            if (job.output) job.output->discard();
    }
};

cTreeConverter::cTreeConverter(std::FILE* out, std::FILE* err, unsigned jobs)
    : out_(out), err_(err), jobs_(jobs == 0 ? defaultJobs() : jobs) {}

unsigned cTreeConverter::defaultJobs() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
        return static_cast<unsigned>(CPU_COUNT(&set));
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

std::int64_t cTreeConverter::run(bool toBinary) {
    includes_.clear();
    toConvert_.clear();
    bad_.clear();
    dirs_ = inBytes_ = inFiles_ = outBytes_ = outFiles_ = passed_ = 0;

    scanDirectory();
    std::fputs("\n\n", out_);
    for (const std::string& path : bad_) std::fprintf(out_, "BAD: %s\n", path.c_str());
    std::fputs("\n", out_);
    convertAll(toBinary);
    std::fprintf(
        out_,
        "\nDirs: %lld, IN: %lld bytes in %lld files, OUT: %lld bytes in %lld files, BAD: %zu files",
        static_cast<long long>(dirs_), static_cast<long long>(inBytes_),
        static_cast<long long>(inFiles_), static_cast<long long>(outBytes_),
        static_cast<long long>(outFiles_), bad_.size());
    std::fflush(out_);
    return passed_;
}

void cTreeConverter::passBy(const cFileException& refusal) {
    std::fflush(out_);
    std::fprintf(err_, "%s\n", refusal.message().c_str());
    std::fflush(err_);
    ++passed_;
}

void cTreeConverter::scanDirectory() {
    const std::string dirName = currentDirectory();
    std::error_code ec;
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (isPlainDirectory(entry)) {
            // A directory that cannot be entered is skipped.
            if (::chdir(name.c_str()) != 0) continue;
            scanDirectory();
            if (::chdir(dirName.c_str()) != 0) return;
            continue;
        }
        if (!endsWithInf(name)) continue;
        // A symbolic link is followed; a missing target is left to the
        // conversion to report (and counts 0 bytes).
        struct stat info {};
        const bool present = ::stat(name.c_str(), &info) == 0;
        if (present && !S_ISREG(info.st_mode)) {
            passBy(cFileException(dirName + "/" + name, kNotRegularFileDetail,
                                  cFileException::Refusal::NotRegularFile));
            continue;
        }
        handleInfFile(dirName, name, present ? static_cast<std::int64_t>(info.st_size) : 0);
    }
    std::fprintf(out_, "Processing directories: %lld\r", static_cast<long long>(dirs_));
    ++dirs_;
}

void cTreeConverter::handleInfFile(const std::string& dirName, const std::string& name,
                                   std::int64_t size) {
    const std::string fullPath = dirName + "/" + name;
    bool good = true;
    std::optional<std::string> read;
    try {
        read = readForIncludeSearch(name);
    } catch (const std::bad_alloc&) {
        std::unique_ptr<cFileException> refusal(newOutOfMemoryException(fullPath));
        passBy(*refusal);
        return;
    }
    if (read) {
        const std::string& content = *read;
        for (std::size_t pos = 0; pos < content.size(); ++pos) {
            if (!startsWithIncludeKeyword(content, pos)) continue;
            std::size_t open = content.find('"', pos + 8);
            std::size_t begin = open == std::string::npos ? content.size() : open + 1;
            std::size_t close = content.find('"', begin);
            std::size_t stop = close == std::string::npos ? content.size() : close;
            const std::string included = content.substr(begin, stop - begin);

            const std::string resolved = resolveInfIncludeName(included);
            // Normalised so that "sub\x.inf" and "./x.inf" meet the walk's own paths.
            std::string listed = (fs::path(dirName) / resolved).lexically_normal().string();
            includes_.insert(toLowerAscii(listed));
            if (!cFile::exists(resolved)) good = false;

            if (close == std::string::npos) break;
            pos = close;
        }
    }
    if (good)
        toConvert_.push_back({toLowerAscii(fullPath), fullPath});
    else
        bad_.push_back(toLowerAscii(fullPath));
    ++inFiles_;
    inBytes_ += size;
}

void cTreeConverter::prepareJob(Job& job, bool toBinary) {
    using Outcome = Job::Outcome;
    const std::string& path = job.file->realPath;
    // Reports go out from the walk's thread, in order.
    cInfReportDeferral deferral;
    try {
        if (!job.lock.lock(path, false)) {
            job.outcome = Outcome::Busy;
            return;
        }
        cConvertedInf converted = convertInfContent(path, toBinary, job.lock.fd());
        job.includes = std::move(converted.includes);
        try {
            auto output = std::make_unique<cFile>(path, cFile::kWrite, true);
            converted.writeTo(*output);
            output->finishWriting();
            job.output = std::move(output);
        } catch (const std::bad_alloc&) {
            throw newOutOfMemoryException(path);
        }
        job.outcome = Outcome::Written;
    } catch (cFileException* e) {
        job.error.reset(e);
        job.outcome =
            e->refusal() == cFileException::Refusal::None ? Outcome::Stop : Outcome::Refused;
    } catch (cException* e) {
        job.error.reset(e);
        job.outcome = Outcome::Stop;
    } catch (...) {
        job.otherError = std::current_exception();
        job.outcome = Outcome::Stop;
    }
}

namespace {

bool contains(const std::vector<cFile::Identity>& list, const cFile::Identity& identity) {
    return std::find(list.begin(), list.end(), identity) != list.end();
}

}  // namespace

void cTreeConverter::convertAll(bool toBinary) {
    std::vector<const FoundFile*> files;
    for (const FoundFile& file : toConvert_)
        if (!includes_.count(file.lowered)) files.push_back(&file);

    cWorkPool convertPool(jobs_ - 1);
    cWorkPool syncPool(kSyncThreads - 1);
    convertPool_ = &convertPool;
    syncPool_ = &syncPool;
    bool alone = false;
    for (std::size_t next = 0; next < files.size();) {
        const std::size_t count = alone ? 1 : std::min(kBatchFiles, files.size() - next);
        const std::vector<const FoundFile*> batch(
            files.begin() + static_cast<std::ptrdiff_t>(next),
            files.begin() + static_cast<std::ptrdiff_t>(next + count));
        const std::size_t committed = convertBatch(batch, toBinary);
        // A file that had to wait for one before it in its batch goes alone.
        alone = committed < count;
        next += committed;
    }
    convertPool_ = nullptr;
    syncPool_ = nullptr;
}

std::size_t cTreeConverter::convertBatch(const std::vector<const FoundFile*>& files,
                                         bool toBinary) {
    using Outcome = Job::Outcome;
    Batch batch(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) batch.jobs[i].file = files[i];

    // Once a file stops the walk, the files after it are not started.
    std::atomic<std::size_t> stopAt{files.size()};
    convertPool_->run(files.size(), [&](std::size_t i) {
        if (i > stopAt.load()) return;
        Job& job = batch.jobs[i];
        prepareJob(job, toBinary);
        if (job.outcome == Outcome::Stop) {
            for (std::size_t seen = stopAt.load();
                 i < seen && !stopAt.compare_exchange_weak(seen, i);) {
            }
        }
    });
    const std::size_t stop = stopAt.load();
    const bool together = files.size() > 1 && convertPool_->threads() > 0;

    std::vector<cFile*> toSync;
    for (std::size_t i = 0; i < stop; ++i)
        if (batch.jobs[i].output) toSync.push_back(batch.jobs[i].output.get());
    syncPool_->run(toSync.size(), [&](std::size_t i) { toSync[i]->syncData(); });

    std::vector<cFile::Identity> replaced;  // files put in place so far in this batch
    for (std::size_t i = 0; i < files.size(); ++i) {
        Job& job = batch.jobs[i];
        // What it read may have changed since: the same file under another
        // name, an included file, or memory that others of the batch held.
        bool again = false;
        for (const cFile::Identity& included : job.includes)
            again = again || contains(replaced, included);
        // Busy because a file before it in the batch is the same file.
        if (job.outcome == Outcome::Busy && job.lock.identity() != cFile::Identity{}) {
            again = again || contains(replaced, job.lock.identity());
            for (const Job& other : batch.jobs)
                again = again || (&other != &job && other.lock.fd() >= 0 &&
                                  other.lock.identity() == job.lock.identity());
        }
        if (job.outcome == Outcome::Refused && together &&
            static_cast<cFileException*>(job.error.get())->refusal() ==
                cFileException::Refusal::OutOfMemory) {
            again = true;
        }
        if (again) return i;

        switch (job.outcome) {
            case Outcome::Written:
                job.output->putInPlace();
                job.output.reset();
                replaced.push_back(job.lock.identity());
                job.lock.unlock();
                break;
            case Outcome::Busy:
                passBy(cFileException(job.file->realPath, kBusyDetail));
                break;
            case Outcome::Refused:
                passBy(*static_cast<cFileException*>(job.error.get()));
                break;
            case Outcome::Stop:
                // The files after this one are left as they are, also when
                // the report ends the process (which unwinds nothing).
                for (Job& other : batch.jobs) {
                    if (other.output) other.output->discard();
                    other.lock.unlock();
                }
                if (auto* syntax = dynamic_cast<cInfSyntaxException*>(job.error.get());
                    syntax && !syntax->sent()) {
                    sendPendingInfReport(*syntax);
                }
                if (job.error) throw job.error.release();
                std::rethrow_exception(job.otherError);
        }
        finishFile(*job.file);
    }
    return files.size();
}

void cTreeConverter::finishFile(const FoundFile& file) {
    if (std::optional<std::int64_t> length = regularFileSize(file.realPath)) {
        outBytes_ += *length;
        ++outFiles_;
    }
    std::fprintf(out_, "%s\n", file.lowered.c_str());
}
