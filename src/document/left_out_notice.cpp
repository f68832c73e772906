#include "document/left_out_notice.h"

#include <vector>

namespace pennory::document {

std::u16string_view leftOutName(text::LeftOut kind) {
    switch (kind) {
        case text::LeftOut::Pictures:
            return u"图片";
        case text::LeftOut::Objects:
            return u"嵌入对象";
        case text::LeftOut::Tables:
            return u"表格结构";
        case text::LeftOut::Footnotes:
            return u"脚注";
        case text::LeftOut::HeadersFooters:
            return u"页眉页脚";
        case text::LeftOut::Comments:
            return u"批注";
        case text::LeftOut::PageLayout:
            return u"页面设置";
        case text::LeftOut::UnshownPictures:
            return u"无法显示的图片";
    }
    return u"部分内容";
}

std::u16string leftOutNotice(std::u16string_view path, const text::LeftOutKinds& kinds) {
    std::vector<text::LeftOut> list = kinds.list();
    // Pictures that cannot be shown are kept, as placeholders: they are told apart.
    const bool unshown = std::erase(list, text::LeftOut::UnshownPictures) > 0;
    if (list.empty() && !unshown) return {};
    std::u16string notice = u"“";
    notice += path;
    notice += u"”中";
    if (!list.empty()) {
        notice += u"的";
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i > 0) notice += i + 1 == list.size() ? u"和" : u"、";
            notice += leftOutName(list[i]);
        }
        notice += u"未能保留，其余内容已经打开。";
    }
    if (unshown) {
        if (!list.empty()) notice += u"另";
        notice += u"有无法显示的图片，已用占位框代替。";
    }
    return notice;
}

}  // namespace pennory::document
