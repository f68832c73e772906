#include "platform/text/left_out.h"

namespace pennory::text {

std::vector<LeftOut> LeftOutKinds::list() const {
    std::vector<LeftOut> kinds;
    for (auto kind : {LeftOut::Pictures, LeftOut::Objects, LeftOut::Tables, LeftOut::Footnotes,
                      LeftOut::HeadersFooters, LeftOut::Comments, LeftOut::PageLayout,
                      LeftOut::UnshownPictures}) {
        if (has(kind)) kinds.push_back(kind);
    }
    return kinds;
}

}  // namespace pennory::text
