#pragma once
// Input read a part at a time, so that a large file need not be held whole: the input's first
// available() bytes stand at data(), and stay at that address while the input is read, so a
// reader may keep pointers into them; extend() makes more available. Bytes before an offset
// given to release() may be given back and must never be read again.

#include <cstddef>

namespace pennory::text {

class ByteWindow {
public:
    virtual ~ByteWindow() = default;

    virtual const char* data() const = 0;
    virtual std::size_t available() const = 0;
    // Makes at least one more byte available. False at the end of the input, or when reading
    // it failed: then nothing more comes, and the input says why in its own way.
    virtual bool extend() = 0;
    // No byte before offset will be read again.
    virtual void release(std::size_t offset) = 0;
};

}  // namespace pennory::text
