// Which marks 统一为全角标点 turns, written out by hand.

#include "input/punctuation.h"

#include <gtest/gtest.h>

namespace pennory::input {
namespace {

std::u16string applied(std::u16string text, const std::vector<text::Replacement>& list) {
    for (const auto& r : list) text.replace(r.start, r.length, r.text);
    return text;
}

TEST(Punctuation, FullWidthOnlyBetweenChineseCharacters) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"你好,世界.", u"你好，世界。"},
        {u"真的?!", u"真的？！"},
        {u"他说:好;走", u"他说：好；走"},
        {u"见(注释)后", u"见（注释）后"},
        {u"(注释)。", u"（注释）。"},
        {u"圆周率是3.14,约等于", u"圆周率是3.14,约等于"},
        {u"例如e.g.这样", u"例如e.g.这样"},
        {u"网址:http://www.example.cn.", u"网址:http://www.example.cn."},
        {u"等等...", u"等等..."},
        {u"好 , 的", u"好 ， 的"},
        {u"第一行,\r\n第二行", u"第一行，\r\n第二行"},
        {u"\r\n,开头", u"\r\n,开头"},
        {u"Hello, world.", u"Hello, world."},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(::testing::Message() << "input length " << in.size());
        EXPECT_EQ(applied(in, fullWidthPunctuation(in)), out);
    }
}

TEST(Punctuation, HalfWidthLettersAndDigits) {
    const std::u16string in = u"ＡＺａｚ０９，（ｘ";
    EXPECT_EQ(applied(in, halfWidthLettersAndDigits(in)), u"AZaz09，（x");
}

}  // namespace
}  // namespace pennory::input
