// Opening a given path (the command line, a dropped file): the same outcome as Open once its
// dialog has returned that path, into the manuscript editor or the reference text box.

#include "document/document_commands.h"
#include "document/file_helpers.h"
#include "support/form_fixture.h"
#include "support/picture_files.h"

namespace pennory::testing {
namespace {

class OpenPath : public FormTest {
protected:
    OpenPath() {
        // A file dropped on the editor went through no dialog: a name left from before must
        // give way to the opened one.
        form().CommonDialog1().FileName = u"/earlier/choice.rtf";
        editor().setText(u"旧稿");
    }
    TempDir dir;
};

struct OpenCase {
    const char* name;
    std::string file;   // created under dir unless empty
    std::string bytes;  // the file's content; "<dir>" makes a folder
    std::u16string expectedText;
    bool loads;
};

TEST_F(OpenPath, OpensIntoTheManuscriptAsOpenDoes) {
    const std::vector<OpenCase> cases = {
        {"rtf", "稿子.rtf", "{\\rtf1\\ansi\\ansicpg936 \\b bold\\b0  plain\\par}", u"bold plain",
         true},
        {"text", "稿子.txt", "\xB5\xE7\xD7\xD3\r\nabc", u"电子\r\nabc", true},
        {"missing", "没有.rtf", "", u"旧稿", false},
        {"folder", "文件夹", "<dir>", u"旧稿", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor().setText(u"旧稿");
        form().window().setCaption(u"Pennory");
        form().saveTargetChosen = true;
        form().mayEncrypt = form().mayDecrypt = false;
        const auto path = dir / utf16(c.file);
        if (c.bytes == "<dir>") {
            std::filesystem::create_directory(path);
        } else if (!c.bytes.empty()) {
            writeBytes(path, c.bytes);
        }
        const std::size_t messagesBefore = messages().shown().size();

        document::openFile(form(), path.u16string());

        EXPECT_EQ(editor().text(), c.expectedText);
        EXPECT_EQ(form().window().caption(),
                  c.loads ? u"Pennory --" + path.u16string() : std::u16string(u"Pennory"));
        EXPECT_EQ(messages().shown().size(), messagesBefore + (c.loads ? 0 : 1));
        if (!c.loads) {
            EXPECT_NE(messages().shown().back().prompt.find(path.u16string()),
                      std::u16string::npos);
        }
        // Open's first step happens whatever follows.
        EXPECT_FALSE(form().saveTargetChosen);
        EXPECT_TRUE(form().mayEncrypt);
        EXPECT_TRUE(form().mayDecrypt);
        EXPECT_EQ(form().CommonDialog1().FileName, path.u16string());
        EXPECT_TRUE(dialogs().shown().empty());
    }
}

TEST_F(OpenPath, AnRtfKeepsItsFormatting) {
    const auto path = dir / "粗体.rtf";
    writeBytes(path, "{\\rtf1\\ansi \\b bold\\b0  plain\\par}");
    document::openFile(form(), path.u16string());
    ASSERT_FALSE(editor().content().runs().empty());
    EXPECT_TRUE(editor().content().runs().front().format.bold);
}

TEST_F(OpenPath, SaveAsOffersTheOpenedFile) {
    const auto path = dir / "稿子.txt";
    writeBytes(path, "abc");
    document::openFile(form(), path.u16string());
    clickMenu({u"文件", u"另存为", u"rtf文档"});
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().shown()[0].request.fileName, path.u16string());
}

// ---- Drops (the editor's is tested on the real window)

TEST_F(OpenPath, AFileDroppedOnTheReferenceTextLoadsThereAsOpenAfterAClick) {
    const auto path = dir / "参考.txt";
    writeBytes(path, "abc");
    form().window().setCaption(u"Pennory");
    reference().dropFile(path.u16string());
    EXPECT_EQ(reference().text(), u"abc");
    EXPECT_EQ(editor().text(), u"旧稿");
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_FALSE(form().openIntoReference);  // loaded: the next Open goes to the manuscript
    EXPECT_TRUE(form().mayEncrypt);

    // A file that cannot be read leaves the box aimed at, as Open after a click does.
    reference().dropFile((dir / "没有.txt").u16string());
    EXPECT_EQ(reference().text(), u"abc");
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(OpenPath, APictureDroppedOnThePanelShowsOnlyInThePictureView) {
    auto& panel = static_cast<headless::HeadlessPanel&>(form().Picture1());
    const auto picture = pictures::write(dir / "电路.bmp", pictures::bmp(300, 200));

    panel.dropFile(picture.u16string());  // reference text view: nothing happens
    EXPECT_FALSE(form().Image1().hasPicture());
    EXPECT_TRUE(form().RichTextBox2().visible());

    dialogs().nextFileName(std::nullopt);
    clickToolbar(u"image");
    hScroll().userSetValue(900);
    panel.dropFile(picture.u16string());
    EXPECT_TRUE(form().Image1().hasPicture());
    EXPECT_EQ(hScroll().max(), 4500);
    EXPECT_EQ(vScroll().max(), 3000);
    EXPECT_EQ(hScroll().value(), 0);  // shown unpanned, as "image" shows a new picture
    EXPECT_EQ(form().Image1().geometry().left, 0);
    EXPECT_EQ(form().CommonDialog1().FileName, picture.u16string());

    // The phrase view over the picture takes no picture.
    clickToolbar(u"selfdo");
    const auto second = pictures::write(dir / "第二张.bmp", pictures::bmp(40, 30));
    panel.dropFile(second.u16string());
    EXPECT_EQ(hScroll().max(), 4500);
    EXPECT_TRUE(form().TabStrip1().visible());
    dialogs().nextFileName(std::nullopt);
    clickToolbar(u"image");

    // Something that is no picture is reported and leaves the view empty.
    const auto text = dir / "说明.txt";
    writeBytes(text, "abc");
    const std::size_t before = messages().shown().size();
    panel.dropFile(text.u16string());
    EXPECT_FALSE(form().Image1().hasPicture());
    EXPECT_EQ(messages().shown().size(), before + 1);
}

}  // namespace
}  // namespace pennory::testing
