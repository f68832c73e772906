#pragma once
// A seam for tests: while a ScopedWriteFault lives, writeFileAtomically() on this thread fails
// at the chosen step as if the system had reported the given error, so that every save path
// can be shown to leave the old file whole and to report a Chinese message.

#include <cerrno>
#include <cstddef>

namespace pennory::files {

enum class WriteStep {
    Create,  // creating the temporary file
    Write,   // writing its bytes, after failAfterBytes of them were written
    Sync,    // flushing it to disk
    Rename,  // putting it in place of the target
    // Creating the temporary file fails as in a folder that cannot be written (EACCES), and
    // rewriting the existing file in place then fails after failAfterBytes of its bytes.
    InPlace,
    // As InPlace, but the copy of the old bytes kept for the rewrite cannot be written.
    Backup,
    // As InPlace, but the program dies after failAfterBytes of the new bytes: nothing more
    // happens, not even the restore, and the call returns the error as the last thing it does.
    KilledInPlace,
};

class ScopedWriteFault {
public:
    ScopedWriteFault(WriteStep step, int error, std::size_t failAfterBytes = 0);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

namespace detail {

struct WriteFault {
    WriteStep step;
    int error;
    std::size_t failAfterBytes;
};

// The fault in force on this thread, or nullptr.
const WriteFault* activeWriteFault();

}  // namespace detail
}  // namespace pennory::files
