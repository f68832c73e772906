#include "platform/text/rtf_destinations.h"

namespace pennory::text {

RtfGroupState openGroup(const RtfGroupState& parent) {
    RtfGroupState child = parent;
    child.starred = false;
    if (child.destination == RtfDestination::UprContainer) {
        child.destination = RtfDestination::UprChild;
    }
    return child;
}

void applyStarredWord(RtfGroupState& s, RtfKeyword keyword) {
    s.starred = false;
    if (keyword == RtfKeyword::Ud && s.destination == RtfDestination::UprChild) {
        s.destination = s.uprOuter;
    } else {
        s.destination = RtfDestination::Skip;
    }
}

bool applyDestinationWord(RtfGroupState& s, RtfKeyword keyword) {
    switch (keyword) {
        case RtfKeyword::SkipDestination:
        case RtfKeyword::PictureDestination:
        case RtfKeyword::ObjectDestination:
        case RtfKeyword::FootnoteDestination:
        case RtfKeyword::HeaderFooterDestination:
        case RtfKeyword::CommentDestination:
            s.destination = RtfDestination::Skip;
            return true;
        case RtfKeyword::FontTable:
            s.destination = RtfDestination::FontTable;
            return true;
        case RtfKeyword::ColourTable:
            s.destination = RtfDestination::ColourTable;
            return true;
        case RtfKeyword::Field:
        case RtfKeyword::FieldResult:
            // The instructions are skipped by their own word; the result is read as text.
            return true;
        case RtfKeyword::Upr:
            s.uprOuter = s.destination;
            s.destination = RtfDestination::UprContainer;
            return true;
        case RtfKeyword::Ud:
            if (s.destination == RtfDestination::UprChild) s.destination = s.uprOuter;
            return true;
        default:
            return false;
    }
}

std::optional<LeftOut> leftOutBy(RtfKeyword keyword) {
    switch (keyword) {
        case RtfKeyword::PictureDestination:
            return LeftOut::Pictures;
        case RtfKeyword::ObjectDestination:
            return LeftOut::Objects;
        case RtfKeyword::FootnoteDestination:
            return LeftOut::Footnotes;
        case RtfKeyword::HeaderFooterDestination:
            return LeftOut::HeadersFooters;
        case RtfKeyword::CommentDestination:
            return LeftOut::Comments;
        case RtfKeyword::Cell:
        case RtfKeyword::Row:
            return LeftOut::Tables;
        default:
            return std::nullopt;
    }
}

}  // namespace pennory::text
