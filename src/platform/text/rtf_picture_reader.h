#pragma once
// Collects one RTF \pict group (its size words and its hex or \bin data) and makes the
// figure it holds: PNG and JPEG data as they stand, \dibitmap data as a BMP file, Pennory's
// own GIF group as the GIF; any other picture (metafiles, \wbitmap, \macpict, or data that is
// no picture the check accepts) as an Other figure whose bytes are the group as it stood in
// the file (origin "rtf:pict"), shown as a placeholder and written back unchanged.

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
    void startGif() { m_gif = true; }
    // Ends the picture whose group is file[groupStart, groupEnd); the figure, or none when
    // the group held no data at all. Without a checker, PNG, JPEG, GIF and BMP data are kept
    // with the size the group gives.
    std::optional<Figure> finish(std::string_view file, std::size_t groupEnd,
                                 const PictureChecker& check);

private:
    enum class Form : std::uint8_t { Unknown, Png, Jpeg, Dib, Unshown };

    bool m_active = false;
    bool m_gif = false;
    std::size_t m_groupStart = 0;
    Form m_form = Form::Unknown;
    int m_widthPx = 0, m_heightPx = 0, m_goalW = 0, m_goalH = 0, m_scaleX = 100, m_scaleY = 100;
    std::string m_data;
    int m_nibble = -1;  // a hex digit waiting for its pair
};

}  // namespace pennory::text
