#include "cli_tree_converter.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "cfile.h"
#include "cli_batch_retry.h"
#include "cli_walk_directory.h"
#include "file_lock.h"
#include "inf_convert.h"
#include "inf_parser_report.h"
#include "inf_syntax_exception.h"
#include "work_pool.h"

namespace {

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
    return os::processorCount();
}

std::int64_t cTreeConverter::run(bool toBinary) {
    includes_.clear();
    toConvert_.clear();
    bad_.clear();
    dirs_ = inBytes_ = inFiles_ = outBytes_ = outFiles_ = passed_ = 0;

    scanDirectory(*cWalkDirectory::openCurrent());
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

void cTreeConverter::scanDirectory(cWalkDirectory& dir) {
    const std::string& dirName = dir.path();
    while (std::optional<std::string> entry = dir.nextEntry()) {
        const std::string& name = *entry;
        if (dir.isPlainDirectory(name)) {
            // A directory that cannot be entered is skipped.
            if (!dir.mayEnter(name)) continue;
            scanDirectory(*dir.open(name));
            continue;
        }
        if (!endsWithInf(name)) continue;
        // A symbolic link is followed; a missing target is left to the
        // conversion to report (and counts 0 bytes).
        const std::optional<cWalkDirectory::FileInfo> info = dir.info(name);
        if (info && !info->regular) {
            passBy(cFileException(dirName + os::kPathSeparator + name, kNotRegularFileDetail,
                                  cFileException::Refusal::NotRegularFile));
            continue;
        }
        handleInfFile(dir, name, info ? info->size : 0);
    }
    std::fprintf(out_, "Processing directories: %lld\r", static_cast<long long>(dirs_));
    ++dirs_;
}

void cTreeConverter::handleInfFile(const cWalkDirectory& dir, const std::string& name,
                                   std::int64_t size) {
    const std::string& dirName = dir.path();
    const std::string fullPath = dirName + os::kPathSeparator + name;
    bool good = true;
    std::optional<std::string> read;
    try {
        read = dir.readRegular(name);
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

            const std::string resolved = dir.resolveInclude(included);
            // Normalised so that "sub\x.inf" and "./x.inf" meet the walk's own paths.
            const std::string listed = cWalkDirectory::joinNormal(dirName, resolved);
            includes_.insert(toLowerAscii(listed));
            if (!dir.canRead(resolved)) good = false;

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
    Batch batch(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) batch.jobs[i].file = files[i];
    prepareBatch(batch, toBinary);
    return commitBatch(batch, files.size() > 1 && convertPool_->threads() > 0);
}

void cTreeConverter::prepareBatch(Batch& batch, bool toBinary) {
    // Once a file stops the walk, the files after it are not started.
    std::atomic<std::size_t> stopAt{batch.jobs.size()};
    convertPool_->run(batch.jobs.size(), [&](std::size_t i) {
        if (i > stopAt.load()) return;
        Job& job = batch.jobs[i];
        prepareJob(job, toBinary);
        if (job.outcome == Job::Outcome::Stop) {
            for (std::size_t seen = stopAt.load();
                 i < seen && !stopAt.compare_exchange_weak(seen, i);) {
            }
        }
    });
    std::vector<cFile*> toSync;
    for (std::size_t i = 0; i < stopAt.load(); ++i)
        if (batch.jobs[i].output) toSync.push_back(batch.jobs[i].output.get());
    syncPool_->run(toSync.size(), [&](std::size_t i) { toSync[i]->syncData(); });
}

std::size_t cTreeConverter::commitBatch(Batch& batch, bool together) {
    std::vector<cFile::Identity> replaced;  // files put in place so far in this batch
    std::vector<cFile::Identity> heldByOthers;
    for (std::size_t i = 0; i < batch.jobs.size(); ++i) {
        Job& job = batch.jobs[i];
        heldByOthers.clear();
        for (const Job& other : batch.jobs)
            if (&other != &job && other.lock.locked())
                heldByOthers.push_back(other.lock.identity());
        const bool outOfMemory = job.outcome == Job::Outcome::Refused &&
                                 static_cast<cFileException*>(job.error.get())->refusal() ==
                                     cFileException::Refusal::OutOfMemory;
        const BatchJobFacts facts{job.outcome == Job::Outcome::Busy, outOfMemory,
                                  job.lock.identity(), job.includes};
        if (mustConvertAgain(facts, replaced, heldByOthers, together)) return i;
        commitJob(batch, job, replaced);
        finishFile(*job.file);
    }
    return batch.jobs.size();
}

void cTreeConverter::commitJob(Batch& batch, Job& job, std::vector<cFile::Identity>& replaced) {
    switch (job.outcome) {
        case Job::Outcome::Written:
            job.output->putInPlace();
            job.output.reset();
            replaced.push_back(job.lock.identity());
            job.lock.unlock();
            return;
        case Job::Outcome::Busy:
            passBy(cFileException(job.file->realPath, kBusyDetail));
            return;
        case Job::Outcome::Refused:
            passBy(*static_cast<cFileException*>(job.error.get()));
            return;
        case Job::Outcome::Stop:
            stopWalk(batch, job);
    }
}

void cTreeConverter::stopWalk(Batch& batch, Job& job) {
    // The files after this one are left as they are, also when the report
    // ends the process (which unwinds nothing).
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

void cTreeConverter::finishFile(const FoundFile& file) {
    if (std::optional<std::int64_t> length = cWalkDirectory::regularFileSize(file.realPath)) {
        outBytes_ += *length;
        ++outFiles_;
    }
    std::fprintf(out_, "%s\n", file.lowered.c_str());
}
