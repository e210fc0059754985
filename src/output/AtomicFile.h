// Saving an output file so that it only ever appears complete.
//
// The bytes go to a temporary file beside the output, ".NAME.XXXXXX" (NAME
// cut to 64 bytes, so any output name that fits the file system gives a
// temporary name that fits too), locked while it is written. Commit() makes
// it durable, renames it over the output and syncs the folder, so the new
// name survives a power loss. Until then an existing output is untouched; a
// failure, or an AtomicFile destroyed without Commit(), removes the temporary
// file. Unlocked temporary files of the same output left by a killed run are
// removed when the next save of that output starts.
//
// Only a regular file, or nothing, is replaced: a folder, FIFO, device or
// symbolic link at the output path is refused. SaveRules say what else may
// not be written over: any existing file (the rename itself then refuses a
// file that appeared meanwhile), and the files the run reads, by identity,
// whatever name or link leads to them.
#pragma once

#include <string>
#include <vector>

#include "failure/Failure.h"
#include "os/System.h"
#include "output/ByteSink.h"

namespace orvik {

struct SaveRules {
    bool replaceExisting = true;  // false: an existing output is refused
    std::vector<os::FileId> protectedFiles;  // never written over: the run's inputs
};

class AtomicFile final : public ByteSink {
public:
    // Creates the temporary file. Throws FailureError naming the output
    // and the reason: OutputExists or OutputIsInput when the rules refuse the
    // output, WriteFailed when it cannot be created.
    explicit AtomicFile(std::string path, SaveRules rules = {});
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::string_view bytes) override;
    // Puts the complete file in place of the output. Throws FailureError.
    void Commit();

    const std::string& TemporaryPath() const { return temp_; }

private:
    [[noreturn]] void Fail(const Failure& failure);
    void CheckRules() const;

    std::string path_;
    SaveRules rules_;
    std::string temp_;
    os::Handle handle_ = os::kNoHandle;
    int slot_ = -1;  // the entry in the list the signal handlers clean up
    std::int64_t written_ = 0;  // bytes written so far
    std::int64_t writebackFrom_ = 0;  // where the disk writes not yet started begin
};

// Removes the temporary files of `output` that a killed save left (unlocked,
// and not written to for a while); a save does it when it starts.
void RemoveStaleTemporaryFiles(const std::string& output);

// Writes the bytes to `path`, which appears only complete.
void SaveFile(const std::string& path, std::string_view bytes, const SaveRules& rules);

// Handlers for SIGINT, SIGTERM and SIGHUP that remove the temporary files of
// the saves under way, then end the process as the signal would have. For
// the front ends' start-up.
void RemoveTemporaryFilesOnSignals();

}  // namespace orvik
