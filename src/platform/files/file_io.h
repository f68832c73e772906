#pragma once
// Whole-file reading and atomic writing.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/files/file_result.h"
#include "platform/text/byte_sink.h"

namespace pennory::files {

// Reads the whole file into bytes. Refuses directories and files larger than maxBytes.
FileResult readFile(const std::filesystem::path& path, std::string& bytes,
                    std::uintmax_t maxBytes = std::uintmax_t(1) << 31);

// Writes to a temporary file in the same folder, flushes it and renames it over the target,
// so a failed write leaves an existing target byte-for-byte whole and no temporary file behind.
// Permissions: those of an existing target, else the defaults; ownerOnly gives 0600. A symbolic
// link is followed: the file it names is replaced. Tests inject failures with
// ScopedWriteFault (write_faults.h). When the folder cannot be written (no temporary file can be
// made there) but the file exists and can be, the file is rewritten in place instead, after a
// synced copy of its old bytes was put in the state folder (rewrite_backup.h); when no such copy
// can be kept the save is refused, with a message that says why.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                               bool ownerOnly = false);

// Makes a file's bytes piece by piece into the sink it is given; false when the sink refused
// a piece (the producer then stops) or when it could not make them.
using ByteProducer = std::function<bool(const text::ByteSink& sink)>;

// The same, with the same safety, for a file written as produce makes it, so that it is never
// held whole: each piece goes to the temporary file at once. A failure of the sink is reported
// as the system's error; a producer that fails otherwise as an error of the disk. The in-place
// rewrite (a folder that cannot be written) is the exception: it collects the bytes in memory
// first, since it needs them whole.
FileResult writeFileAtomically(const std::filesystem::path& path, const ByteProducer& produce,
                               bool ownerOnly = false);

}  // namespace pennory::files
