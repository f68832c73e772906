// The manuscript's files through the real window: typed into the real editor, saved as RTF and
// as text, opened again with the real toolbar button and menu; and the close prompt run by
// the real close event.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/files/document_files.h"
#include "qt_form_fixture.h"
#include "support/styled_text_printer.h"
#include "typing.h"

namespace pennory::testing {
namespace {

using Shown = headless::ScriptedDialogs::Shown;

constexpr std::u16string_view kClosePrompt = u"要保存文稿吗？";

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class DocumentFilesInWindow : public QtFormTest {
protected:
    QTemporaryDir dir;

    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }

    // A manuscript typed into the real editor, two lines, with several formats set on parts
    // of it through the editor control and through the "文本字体" menu.
    text::StyledText typeFormattedManuscript() {
        EXPECT_EQ(focusWidget(), editor());
        typeText(editor(), QStringLiteral("第一章 Resistor\n电阻R1的阻值为10kΩ，误差±5%。"));
        EXPECT_EQ(manuscript().text(), u"第一章 Resistor\r\n电阻R1的阻值为10kΩ，误差±5%。");

        select(0, 3);  // 第一章
        text::Font heading = manuscript().selFormat();
        heading.bold = true;
        heading.sizePt = 14.0f;
        manuscript().setSelFont(heading);
        select(14, 2);  // 电阻
        manuscript().setSelColour(text::rgb(0xC0, 0x10, 0x20));
        text::Font underlined = manuscript().selFormat();
        underlined.underline = true;
        manuscript().setSelFont(underlined);
        select(4, 8);  // Resistor
        dialogs().nextFont(text::Font{u"黑体", 12.0f, false, true});
        clickMenu({u"文本字体"});
        select(manuscript().text().size(), 0);

        const text::StyledText typed = manuscript().content();
        EXPECT_GE(typed.runs().size(), 5u);
        return typed;
    }

    void select(std::size_t start, std::size_t length) {
        manuscript().setSelStart(start);
        manuscript().setSelLength(length);
    }

    QString pathOf(const QString& name) const { return dir.filePath(name); }
    static std::u16string answer(const QString& path) { return path.toStdU16String(); }
    std::u16string title() const { return mainWindow()->windowTitle().toStdU16String(); }
};

TEST_F(DocumentFilesInWindow, RtfSavedByTheToolbarOpensAgainWithEveryFormat) {
    ASSERT_TRUE(dir.isValid());
    const text::StyledText typed = typeFormattedManuscript();
    const QString path = pathOf(QStringLiteral("稿子.rtf"));

    dialogs().nextFileName(answer(path));
    clickToolbar(u"save");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(fileBytes(path).startsWith("{\\rtf"));

    // New, answered No, empties the editor; the file comes back through "打开".
    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文件", u"新建"});
    EXPECT_EQ(manuscript().text(), u"");
    EXPECT_EQ(title(), u"Pennory --新建空白文档");

    dialogs().nextFileName(answer(path));
    clickToolbar(u"open");
    EXPECT_EQ(dialogs().shown().back().kind, Shown::Open);
    EXPECT_EQ(manuscript().text(), typed.plainText());
    EXPECT_EQ(manuscript().content(), typed);
    EXPECT_EQ(title(), u"Pennory --" + answer(path));
    // Opened, not typed: nothing to undo.
    EXPECT_FALSE(editor()->document()->isUndoAvailable());
}

TEST_F(DocumentFilesInWindow, TextSavedAsOpensAgainWithTheSameCharactersAndNoFormat) {
    ASSERT_TRUE(dir.isValid());
    const text::StyledText typed = typeFormattedManuscript();
    const QString path = pathOf(QStringLiteral("稿子.txt"));

    dialogs().nextFileName(answer(path));
    clickMenu({u"文件", u"另存为", u"txt文档"});
    ASSERT_TRUE(QFile::exists(path));
    // Code page 936 with CR LF line ends.
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("\xB5\xDA\xD2\xBB\xD5\xC2 Resistor\r\n\xB5\xE7"));
    EXPECT_FALSE(bytes.contains("{\\rtf"));
    // Save As leaves the manuscript, its formats and the window title as they were.
    EXPECT_EQ(manuscript().content(), typed);
    EXPECT_EQ(title(), u"Pennory");

    manuscript().setText(u"别的稿子");
    dialogs().nextFileName(answer(path));
    clickMenu({u"文件", u"打开"});
    EXPECT_EQ(manuscript().text(), typed.plainText());
    EXPECT_EQ(manuscript().content(),
              text::StyledText(typed.plainText(), manuscript().defaultFormat()));
    EXPECT_EQ(title(), u"Pennory --" + answer(path));
}

TEST_F(DocumentFilesInWindow, SaveAfterASaveWritesTheEditedManuscriptToTheSameFile) {
    ASSERT_TRUE(dir.isValid());
    const QString path = pathOf(QStringLiteral("第二稿.rtf"));
    typeText(editor(), QStringLiteral("初稿"));
    dialogs().nextFileName(answer(path));
    clickMenu({u"文件", u"保存"});
    ASSERT_TRUE(QFile::exists(path));

    typeText(editor(), QStringLiteral("，再改一遍"));
    const std::size_t dialogsBefore = dialogs().shown().size();
    clickToolbar(u"save");
    EXPECT_EQ(dialogs().shown().size(), dialogsBefore) << "the second Save asks no name";

    manuscript().setText(u"");
    dialogs().nextFileName(answer(path));
    clickToolbar(u"open");
    EXPECT_EQ(manuscript().text(), u"初稿，再改一遍");
}

TEST_F(DocumentFilesInWindow, AFileThatCannotBeReadIsReportedAndTheManuscriptStays) {
    ASSERT_TRUE(dir.isValid());
    typeText(editor(), QStringLiteral("留着"));
    dialogs().nextFileName(answer(pathOf(QStringLiteral("没有这个文件.rtf"))));
    clickToolbar(u"open");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_NE(messages().shown().back().prompt.find(u"没有这个文件.rtf"), std::u16string::npos);
    EXPECT_EQ(manuscript().text(), u"留着");
    EXPECT_TRUE(mainWindow()->isVisible());
}

// ---- Closing the window

class DocumentClosing : public DocumentFilesInWindow {
protected:
    void SetUp() override {
        typeText(editor(), QStringLiteral("还没保存的稿子"));
        typed = manuscript().content();
    }

    // Closes the real window as its close box does, and tells whether it closed.
    bool closeWindow() {
        const bool closed = mainWindow()->close();
        QApplication::processEvents();
        EXPECT_EQ(closed, !mainWindow()->isVisible());
        return closed;
    }

    void expectOneClosePrompt() {
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown().back().prompt, kClosePrompt);
        EXPECT_EQ(messages().shown().back().style, platform::vbYesNoCancel);
    }

    text::StyledText typed;
};

// The close prompt's save dialog naming a picture: the replace question comes, and its
// default No leaves the picture whole and the window open.
TEST_F(DocumentClosing, SavingOverAnotherFileAsksAndNoKeepsIt) {
    const QString picture = pathOf(QStringLiteral("照片.jpg"));
    {
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF\xE0 a photo");
    }
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(answer(picture));
    messages().nextAnswer(platform::vbNo);
    EXPECT_FALSE(closeWindow());
    ASSERT_EQ(messages().shown().size(), 2u);
    EXPECT_EQ(messages().shown()[1].prompt, u"文件“" + answer(picture) + u"”已存在。要替换它吗？");
    EXPECT_EQ(messages().shown()[1].style, platform::vbYesNo | platform::vbDefaultButton2);
    EXPECT_EQ(fileBytes(picture), QByteArray("\xFF\xD8\xFF\xE0 a photo"));
    EXPECT_EQ(manuscript().content(), typed);
}

TEST_F(DocumentClosing, CancelKeepsTheWindowOpenAndTheManuscript) {
    messages().nextAnswer(platform::vbCancel);
    EXPECT_FALSE(closeWindow());
    expectOneClosePrompt();
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(manuscript().content(), typed);
    // The window goes on working.
    typeText(editor(), QStringLiteral("。"));
    EXPECT_EQ(manuscript().text(), u"还没保存的稿子。");
}

TEST_F(DocumentClosing, YesWithACancelledSaveDialogKeepsTheWindowOpen) {
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(std::nullopt);
    EXPECT_FALSE(closeWindow());
    expectOneClosePrompt();
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().shown().back().kind, Shown::Save);
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_EQ(manuscript().content(), typed);
    EXPECT_FALSE(program().ended());
}

TEST_F(DocumentClosing, YesWithAFailedWriteKeepsTheWindowOpen) {
    ASSERT_TRUE(dir.isValid());
    messages().nextAnswer(platform::vbYes);
    // A folder cannot be written as a file, not even by root.
    dialogs().nextFileName(answer(dir.path()));
    EXPECT_FALSE(closeWindow());
    ASSERT_EQ(messages().shown().size(), 2u) << "the prompt, then why the save failed";
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_EQ(manuscript().content(), typed);
}

TEST_F(DocumentClosing, YesWithAChosenFileSavesAsRtfAndCloses) {
    ASSERT_TRUE(dir.isValid());
    const QString path = pathOf(QStringLiteral("关窗前.rtf"));
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(answer(path));
    EXPECT_TRUE(closeWindow());
    expectOneClosePrompt();
    EXPECT_TRUE(fileBytes(path).startsWith("{\\rtf"));
    const auto loaded = files::loadDocument(path.toStdU16String(), manuscript().defaultFormat());
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content, typed);
}

TEST_F(DocumentClosing, NoClosesWithoutSaving) {
    messages().nextAnswer(platform::vbNo);
    EXPECT_TRUE(closeWindow());
    expectOneClosePrompt();
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(DocumentClosing, ExitAnsweredNoEndsAndTheClosingWindowAsksNothingMore) {
    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文件", u"退出"});
    EXPECT_TRUE(program().ended());
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown().back().prompt,
              u"等...等，退出前保存您写好的稿子吗？可别后悔哟~0~");
    EXPECT_EQ(messages().shown().back().style, platform::vbYesNo);

    // The ending program takes its window down: no second question.
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(messages().shown().size(), 1u);
    EXPECT_TRUE(dialogs().shown().empty());
}

TEST_F(DocumentClosing, ExitWithACancelledSaveDialogGoesOnAndTheWindowStillAsks) {
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(std::nullopt);
    clickMenu({u"文件", u"退出"});
    EXPECT_FALSE(program().ended());
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_EQ(manuscript().content(), typed);

    messages().nextAnswer(platform::vbCancel);
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(messages().shown().size(), 2u);
    EXPECT_EQ(messages().shown().back().prompt, kClosePrompt);
}

}  // namespace
}  // namespace pennory::testing
