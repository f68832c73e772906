#pragma once
// Where a writer puts the file it makes, piece by piece, so that a file of many photos is
// written as it is made and never held whole beside the photos themselves.

#include <functional>
#include <string>
#include <string_view>

namespace pennory::text {

// Takes the next piece of the file; the piece is valid only during the call. False: the piece
// could not be taken (the disk is full, the file cannot be written); the writer then stops
// and reports false in turn, offering no further piece.
using ByteSink = std::function<bool(std::string_view piece)>;

// A sink that appends every piece to out and never refuses one.
inline ByteSink stringSink(std::string& out) {
    return [&out](std::string_view piece) {
        out.append(piece);
        return true;
    };
}

}  // namespace pennory::text
