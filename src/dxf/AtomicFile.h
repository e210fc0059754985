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
// symbolic link at the output path is refused.
#pragma once

#include <string>

#include "dxf/ByteSink.h"
#include "os/System.h"

namespace orvik {

class AtomicFile final : public ByteSink {
public:
    // Creates the temporary file. Throws ConversionError naming the output
    // and the reason.
    explicit AtomicFile(std::string path);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::string_view bytes) override;
    // Puts the complete file in place of the output. Throws ConversionError.
    void Commit();

    const std::string& TemporaryPath() const { return temp_; }

private:
    [[noreturn]] void Fail(int error);

    std::string path_;
    std::string temp_;
    os::Handle handle_ = os::kNoHandle;
    int slot_ = -1;  // the entry in the list the signal handlers clean up
    std::int64_t written_ = 0;        // bytes written so far
    std::int64_t writebackFrom_ = 0;  // where the disk writes not yet started begin
};

// True when both paths name one existing file (the same path in other
// words, a hard link or a symbolic link to it).
bool IsSameFile(const std::string& a, const std::string& b);

// Handlers for SIGINT, SIGTERM and SIGHUP that remove the temporary files of
// the saves under way, then end the process as the signal would have. For
// the front ends' start-up.
void RemoveTemporaryFilesOnSignals();

}  // namespace orvik
