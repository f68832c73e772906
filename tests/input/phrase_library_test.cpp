// The phrase library: "selfdo" loads date.txt from the working folder, "enter" stores it, a
// click on a box inserts its phrase.

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "input/phrase_grid.h"
#include "support/working_folder.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;
using input::kPhraseCount;

std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto line : lines) (out += line) += "\r\n";
    return out;
}

class PhraseLibrary : public FormInTempFolder {
protected:
    fs::path phraseFile() const { return m_folder / "date.txt"; }
    void writePhraseFile(std::string_view bytes) {
        std::ofstream(phraseFile(), std::ios::binary) << bytes;
    }
    std::string phraseFileBytes() const {
        std::ifstream in(phraseFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // numberedLines(3) is "行1\r\n行2\r\n行3\r\n" in GBK.
    static std::string numberedLines(int count, std::string_view eol = "\r\n") {
        std::string out;
        for (int i = 1; i <= count; ++i) (out += "\xD0\xD0" + std::to_string(i)) += eol;
        return out;
    }
    static std::u16string numbered(int i) { return u"行" + utf16(std::to_string(i)); }

    void typeIntoBox(int index, std::u16string_view text) {
        phraseBox(index).click();
        phraseBox(index).type(text);
    }
    void clearBoxes() {
        for (int i = 0; i < kPhraseCount; ++i) phraseBox(i).setText(u"");
    }
    void selectInManuscript(std::u16string_view text, std::size_t start, std::size_t length) {
        editor().setText(text);
        editor().setSelStart(start);
        editor().setSelLength(length);
    }
};

TEST_F(PhraseLibrary, FirstUseWithoutAFileLoadsNothingAndSaysNothing) {
    clickToolbar(u"selfdo");
    typeIntoBox(2, u"已输入");
    clickToolbar(u"selfdo");

    EXPECT_TRUE(messages().shown().empty());
    EXPECT_FALSE(form().phrasesReady);
    EXPECT_FALSE(fs::exists(phraseFile()));
    for (int i = 0; i < kPhraseCount; ++i) {
        EXPECT_EQ(phraseBox(i).text(), i == 2 ? u"已输入" : u"") << i;
    }
}

TEST_F(PhraseLibrary, ClickOnAnEmptyBoxBeforeReadyDeletesTheSelectionAndKeepsTheFocus) {
    clickToolbar(u"selfdo");
    selectInManuscript(u"电阻电容", 1, 2);
    phraseBox(5).click();
    EXPECT_EQ(editor().text(), u"电容");
    EXPECT_EQ(editor().selStart(), 1u);
    EXPECT_TRUE(phraseBox(5).hasFocus());
}

TEST_F(PhraseLibrary, ClickBeforeReadyInsertsAndLeavesTheFocusInTheBox) {
    clickToolbar(u"selfdo");
    typeIntoBox(9, u"稳压电源");
    selectInManuscript(u"一个。", 2, 0);
    phraseBox(9).click();
    EXPECT_EQ(editor().text(), u"一个稳压电源。");
    EXPECT_EQ(editor().selStart(), 6u);
    EXPECT_TRUE(phraseBox(9).hasFocus());
}

TEST_F(PhraseLibrary, ClickWhenReadyMovesTheFocusThenReplacesTheSelection) {
    clickToolbar(u"selfdo");
    typeIntoBox(0, u"集成电路");
    clickToolbar(u"enter");
    ASSERT_TRUE(form().phrasesReady);

    selectInManuscript(u"用XX制作", 1, 2);
    phraseBox(0).click();
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().text(), u"用集成电路制作");
    EXPECT_EQ(editor().selStart(), 5u);
    EXPECT_EQ(editor().selLength(), 0u);
}

TEST_F(PhraseLibrary, StoreWritesExactly51CrLfLinesInGbk) {
    clickToolbar(u"selfdo");
    typeIntoBox(0, u"电");
    typeIntoBox(25, u"A");
    typeIntoBox(50, u"，");
    clickToolbar(u"enter");

    std::string expected = crlfLines({"\xB5\xE7"});
    for (int i = 1; i < 25; ++i) expected += "\r\n";
    expected += "A\r\n";
    for (int i = 26; i < 50; ++i) expected += "\r\n";
    expected += "\xA3\xAC\r\n";
    EXPECT_EQ(phraseFileBytes(), expected);
    EXPECT_TRUE(form().phrasesReady);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(PhraseLibrary, RoundTripKeepsCommasQuotesBlanksAndCharactersOutsideGbk) {
    const std::u16string phrases[] = {
        u"a, b, c", u"\"引号\", 'single'", u"   三个前导空格",  u"\t制表符", u"한국어",
        u"表情😀",   u"尾随空格  ",         u"VD1～VD4为1N4002", u"\"",       u",",
    };
    clickToolbar(u"selfdo");
    for (int i = 0; i < static_cast<int>(std::size(phrases)); ++i) {
        typeIntoBox(i * 5, phrases[i]);
    }
    clickToolbar(u"enter");

    // Characters outside GBK are written as their GB18030 four-byte sequences.
    const std::string bytes = phraseFileBytes();
    EXPECT_NE(bytes.find("\x83\x36\x84\x33"), std::string::npos);  // 한
    EXPECT_NE(bytes.find("\x94\x39\xFC\x36"), std::string::npos);  // 😀

    clearBoxes();
    clickToolbar(u"selfdo");
    for (int i = 0; i < kPhraseCount; ++i) {
        const std::u16string expected =
            i % 5 == 0 && i / 5 < static_cast<int>(std::size(phrases)) ? phrases[i / 5] : u"";
        EXPECT_EQ(phraseBox(i).text(), expected) << i;
    }
}

TEST_F(PhraseLibrary, SixtyLineFileFillsEveryBoxFromItsFirst51Lines) {
    writePhraseFile(numberedLines(60));
    clickToolbar(u"selfdo");
    for (int i = 0; i < kPhraseCount; ++i) EXPECT_EQ(phraseBox(i).text(), numbered(i + 1)) << i;
    EXPECT_TRUE(form().phrasesReady);
}

TEST_F(PhraseLibrary, TenLineFileFillsTenBoxesAndLeavesTheLibraryNotReady) {
    clickToolbar(u"selfdo");
    typeIntoBox(9, u"被替换");
    typeIntoBox(10, u"留下");
    typeIntoBox(50, u"也留下");
    writePhraseFile(numberedLines(10));
    clickToolbar(u"selfdo");

    for (int i = 0; i < 10; ++i) EXPECT_EQ(phraseBox(i).text(), numbered(i + 1)) << i;
    EXPECT_EQ(phraseBox(10).text(), u"留下");
    EXPECT_EQ(phraseBox(50).text(), u"也留下");
    EXPECT_EQ(phraseBox(30).text(), u"");
    EXPECT_FALSE(form().phrasesReady);
    EXPECT_TRUE(messages().shown().empty());

    phraseBox(3).click();
    EXPECT_TRUE(phraseBox(3).hasFocus());
}

TEST_F(PhraseLibrary, LinesEndingInALoneLfAreRead) {
    writePhraseFile(numberedLines(51, "\n"));
    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(0).text(), numbered(1));
    EXPECT_EQ(phraseBox(50).text(), numbered(51));
    EXPECT_TRUE(form().phrasesReady);
}

TEST_F(PhraseLibrary, SelfdoReplacesWhatWasTypedSinceTheLastStore) {
    clickToolbar(u"selfdo");
    typeIntoBox(7, u"存过的");
    clickToolbar(u"enter");
    phraseBox(7).setText(u"");
    typeIntoBox(7, u"没存的");
    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(7).text(), u"存过的");
}

TEST_F(PhraseLibrary, SecondStoreAfterEditsWritesExactly51LinesAgain) {
    clickToolbar(u"selfdo");
    typeIntoBox(1, u"第一次");
    clickToolbar(u"enter");
    phraseBox(1).setText(u"第二次");
    typeIntoBox(2, u"新加");
    clickToolbar(u"enter");

    const std::string bytes = phraseFileBytes();
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kPhraseCount);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), kPhraseCount);
    clearBoxes();
    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(1).text(), u"第二次");
    EXPECT_EQ(phraseBox(2).text(), u"新加");
}

TEST_F(PhraseLibrary, StoreInTheWordBankViewWritesTheHiddenBoxesAndChangesNoView) {
    clickToolbar(u"selfdo");
    typeIntoBox(4, u"隐藏的词组");
    clickToolbar(u"write");
    ASSERT_FALSE(form().Text1(4).visible());

    clickToolbar(u"enter");
    EXPECT_TRUE(form().phrasesReady);
    EXPECT_FALSE(form().Text1(4).visible());
    EXPECT_TRUE(form().Label2(1).visible());
    std::string expected = "\r\n\r\n\r\n\r\n\xD2\xFE\xB2\xD8\xB5\xC4\xB4\xCA\xD7\xE9\r\n";
    for (int i = 5; i < kPhraseCount; ++i) expected += "\r\n";
    EXPECT_EQ(phraseFileBytes(), expected);

    clickToolbar(u"selfdo");
    phraseBox(4).click();
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().text(), u"隐藏的词组");
}

TEST_F(PhraseLibrary, PhraseWithALineBreakIsStoredOnOneLine) {
    phraseBox(0).setText(u"两\r\n行");
    phraseBox(1).setText(u"下一个");
    clickToolbar(u"enter");
    const std::string bytes = phraseFileBytes();
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kPhraseCount);
    clearBoxes();
    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(1).text(), u"下一个");
}

TEST_F(PhraseLibrary, UnreadablePhraseFileLoadsNothingAndSaysNothing) {
    fs::create_directory(phraseFile());
    clickToolbar(u"selfdo");
    EXPECT_FALSE(form().phrasesReady);
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_EQ(phraseBox(0).text(), u"");
}

// A file size limit lets even root see a write fail half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    sighandler_t m_previousHandler;
};

TEST_F(PhraseLibrary, FailedStoreShowsAMessageAndLeavesTheFileAsItWas) {
    const std::string before = crlfLines({"\xBE\xC9"});  // 旧
    writePhraseFile(before);
    for (int i = 0; i < kPhraseCount; ++i) phraseBox(i).setText(u"新的词组");
    {
        FileSizeLimit limit(64);
        clickToolbar(u"enter");
    }
    ASSERT_EQ(messages().shown().size(), 1u);
    const auto& shown = messages().shown()[0];
    EXPECT_EQ(shown.style, platform::vbOKOnly);
    EXPECT_NE(shown.prompt.find(u"date.txt"), std::u16string::npos) << utf8(shown.prompt);
    EXPECT_LT(shown.prompt.find(u"："), shown.prompt.size() - 1) << utf8(shown.prompt);
    EXPECT_EQ(phraseFileBytes(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(form().phrasesReady);
    for (int i = 0; i < kPhraseCount; ++i) EXPECT_EQ(phraseBox(i).text(), u"新的词组");
}

TEST_F(PhraseLibrary, StoreIntoAVanishedWorkingFolderShowsAMessage) {
    const fs::path gone = m_folder / "gone";
    fs::create_directory(gone);
    WorkingFolder inside(gone);
    fs::remove(gone);
    phraseBox(0).setText(u"词组");
    clickToolbar(u"enter");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_NE(messages().shown()[0].prompt.find(u"date.txt"), std::u16string::npos);
    EXPECT_EQ(phraseBox(0).text(), u"词组");
}

}  // namespace
}  // namespace pennory::testing
