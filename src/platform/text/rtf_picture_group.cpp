#include "platform/text/rtf_picture_group.h"

#include <vector>

#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {
namespace {

// Where a group's text goes. A nested group takes its parent's until a \* names it.
enum class Part : std::uint8_t { Picture, Gif, Media, WmfHeader, Skip };

struct Group {
    Part part;
    bool starred = false;
};

Part starredPart(RtfKeyword keyword) {
    switch (keyword) {
        case RtfKeyword::PennoryGif:
            return Part::Gif;
        case RtfKeyword::PennoryMedia:
            return Part::Media;
        case RtfKeyword::PennoryWmfHeader:
            return Part::WmfHeader;
        default:
            return Part::Skip;  // \*\picprop, \*\blipuid and the like
    }
}

}  // namespace

std::optional<RtfPictureData> readRtfPictureGroup(std::string_view group) {
    RtfTokenizer tokenizer(group);
    RtfPictureReader reader;
    reader.start(0);
    bool sawPicture = false;
    std::vector<Group> stack;
    for (;;) {
        const RtfToken token = tokenizer.next();
        if (token.type == RtfToken::Type::End) break;
        if (token.type == RtfToken::Type::GroupStart) {
            stack.push_back({stack.empty() ? Part::Picture : stack.back().part});
            continue;
        }
        if (stack.empty()) break;  // text before the group
        Group& g = stack.back();
        switch (token.type) {
            case RtfToken::Type::GroupEnd:
                stack.pop_back();
                break;
            case RtfToken::Type::ControlSymbol:
                if (token.symbol == '*') g.starred = true;
                break;
            case RtfToken::Type::ControlWord: {
                const RtfKeyword keyword = lookupRtfKeyword(token.text);
                if (g.starred) {
                    g.starred = false;
                    if (g.part != Part::Skip) g.part = starredPart(keyword);
                    if (g.part == Part::Gif) reader.startGif();
                } else if (keyword == RtfKeyword::Picture && stack.size() == 1) {
                    sawPicture = true;
                } else if (g.part == Part::Picture) {
                    reader.word(keyword, token.hasParameter, token.parameter);
                }
                break;
            }
            case RtfToken::Type::Text:
                if (g.part == Part::Picture || g.part == Part::Gif) reader.hexText(token.text);
                if (g.part == Part::Media) reader.mediaText(token.text);
                if (g.part == Part::WmfHeader) reader.wmfHeaderText(token.text);
                break;
            case RtfToken::Type::Binary:
                if (g.part == Part::Picture) reader.binary(token.text);
                break;
            default:
                break;
        }
        if (stack.empty()) break;
    }
    if (!sawPicture) return std::nullopt;
    return reader.picture();
}

}  // namespace pennory::text
