#pragma once
// Collects one RTF \pict group (its size words and its hex or \bin data) and makes the
// figure it holds: PNG and JPEG data as they stand, \dibitmap data as a BMP file, Pennory's
// own GIF group as the GIF; any other picture (metafiles, \wbitmap, \macpict, Pennory's own
// {\*\pennorymedia type hex} group, or data that is no picture the check accepts) as an Other
// figure whose bytes are the group as it stood in the file (origin "rtf:pict"), shown as a
// placeholder and written back unchanged.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/figure.h"
#include "platform/text/rtf_keywords.h"

namespace pennory::text {

// What a check of a picture file's header says: whether it may be shown, and its size.
struct PictureCheck {
    bool ok = false;
    int widthPx = 0;
    int heightPx = 0;
};
// Looks at a PNG, JPEG, GIF or BMP file's bytes (its header only) and says whether it can be
// shown within the memory a picture may take.
using PictureChecker = std::function<PictureCheck(std::string_view bytes)>;

// The form a \pict group's data is in, by its form word.
enum class RtfPictureForm : std::uint8_t {
    Unknown,
    Png,
    Jpeg,
    Dib,
    Emf,         // \emfblip: a whole EMF file
    Wmf,         // \wmetafile: WMF records without a placeable header
    MacPicture,  // \macpict: a PICT without its 512-byte file header
    Unshown,     // \wbitmap, \pmmetafile
};

// What a \pict group holds, its data decoded.
struct RtfPictureData {
    RtfPictureForm form = RtfPictureForm::Unknown;
    bool gif = false;       // the data came in Pennory's GIF group
    std::string mediaType;  // set: the data came in Pennory's media group, of this type
    std::string data;
    std::string wmfHeader;  // the placeable header kept beside a WMF's records, if any
    int widthPx = 0, heightPx = 0, goalW = 0, goalH = 0;
};

class RtfPictureReader {
public:
    // Starts a picture whose group begins at groupStart in the file.
    void start(std::size_t groupStart);
    bool active() const { return m_active; }
    // A word inside the \pict group; false when it is none of the picture's words.
    bool word(RtfKeyword keyword, bool hasParameter, std::int32_t parameter);
    // Hex digits of the data (other characters are skipped).
    void hexText(std::string_view text);
    // \bin data.
    void binary(std::string_view data);
    void startGif() { m_picture.gif = true; }
    // Text of Pennory's media group: its media type, then hex digits of the data.
    void mediaText(std::string_view text);
    // Hex digits of the placeable header group of a WMF.
    void wmfHeaderText(std::string_view text);
    // What the group has given so far.
    const RtfPictureData& picture() const { return m_picture; }
    // Ends the picture whose group is file[groupStart, groupEnd); the figure, or none when
    // the group held no data at all. Without a checker, PNG, JPEG, GIF and BMP data are kept
    // with the size the group gives.
    std::optional<Figure> finish(std::string_view file, std::size_t groupEnd,
                                 const PictureChecker& check);

private:
    bool m_active = false;
    bool m_mediaGroup = false;  // in Pennory's media group
    bool m_typeDone = false;    // its media type has been read
    std::size_t m_groupStart = 0;
    RtfPictureData m_picture;
    int m_scaleX = 100, m_scaleY = 100;
    int m_nibble = -1;        // a hex digit of the data waiting for its pair
    int m_headerNibble = -1;  // the same for the WMF header
};

}  // namespace pennory::text
