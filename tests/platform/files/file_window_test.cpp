// Opening a large file through a window: the same document as the file read whole, and a file
// cut short while it is read is refused with a Chinese message, never a crash.

#include "platform/files/file_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/document_files.h"
#include "platform/files/file_errors.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::putFile;
using testing::TempFolder;
using text::CharFormat;
using text::StyledText;

constexpr char16_t kChanged[] = u"文件在读取时被其他程序改动了，无法打开。请稍后再试。";

StyledText manuscript() {
    StyledText t;
    CharFormat bold{u"宋体", 9.0f};
    bold.bold = true;
    t.append(u"第一章\r\n", bold);
    text::Figure metafile;
    metafile.kind = text::FigureKind::Other;
    metafile.origin = "rtf:pict";
    metafile.bytes = std::make_shared<const std::string>("{\\pict\\wmetafile8 0100090000}");
    CharFormat withFigure{u"宋体", 9.0f};
    withFigure.figure = text::FigureRef(metafile);
    t.append(u"\uFFFC", withFigure);
    for (int i = 0; i < 200; ++i)
        t.append(u"本文介绍万用表的用法。\r\n", CharFormat{u"宋体", 9.0f});
    return t;
}

const ReadWindowing kAlwaysWhole{.windowFromBytes = UINTMAX_MAX};

TEST(FileWindow, EveryFormatOpensAsWhenReadWhole) {
    TempFolder folder;
    for (const SaveType type : {SaveType::Rtf, SaveType::Text, SaveType::Docx, SaveType::Odt}) {
        const auto path = folder / ("a" + std::to_string(int(type)));
        ASSERT_TRUE(saveDocument(path, manuscript(), type).ok);
        const LoadedDocument expected = loadDocument(path, CharFormat{}, kAlwaysWhole);
        ASSERT_TRUE(expected.result.ok);
        for (const std::size_t chunk : {1, 7, 64}) {
            SCOPED_TRACE("format " + std::to_string(int(type)) + ", chunk " +
                         std::to_string(chunk));
            const LoadedDocument loaded =
                loadDocument(path, CharFormat{}, {.windowFromBytes = 0, .chunkBytes = chunk});
            ASSERT_TRUE(loaded.result.ok);
            EXPECT_EQ(loaded.content, expected.content);
            EXPECT_EQ(loaded.leftOut, expected.leftOut);
        }
    }
}

TEST(FileWindow, AFileCutShortWhileReadIsRefused) {
    TempFolder folder;
    const std::string rtf = text::writeRtf(manuscript());
    putFile(folder / "a.rtf", rtf);
    const auto window = FileWindow::open(folder / "a.rtf", 64);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->extend());
    std::filesystem::resize_file(folder / "a.rtf", 100);
    text::LeftOutKinds leftOut;
    const StyledText read = text::readRtf(*window, leftOut);
    EXPECT_FALSE(window->result().ok);
    EXPECT_EQ(window->result().message, kChanged);
    EXPECT_EQ(window->available(), 100u);
    EXPECT_FALSE(window->extend());
}

TEST(FileWindow, ReadsTheSizeItWasOpenedWith) {
    TempFolder folder;
    putFile(folder / "a.rtf", "{\\rtf1 abc}");
    const auto window = FileWindow::open(folder / "a.rtf", 4);
    ASSERT_NE(window, nullptr);
    putFile(folder / "a.rtf", "{\\rtf1 abc}xyz");
    while (window->extend()) {
    }
    EXPECT_TRUE(window->result().ok);
    EXPECT_EQ(std::string(window->data(), window->available()), "{\\rtf1 abc}");
}

TEST(FileWindow, OpensOnlyFilesWithBytes) {
    TempFolder folder;
    putFile(folder / "empty.rtf", "");
    EXPECT_EQ(FileWindow::open(folder / "empty.rtf"), nullptr);
    EXPECT_EQ(FileWindow::open(folder / "missing.rtf"), nullptr);
    EXPECT_EQ(FileWindow::open(folder.path()), nullptr);
    putFile(folder / "big.rtf", std::string(100, 'x'));
    EXPECT_EQ(FileWindow::open(folder / "big.rtf", 10, 99), nullptr);
}

// The reasons a window does not open are those of reading the file whole.
TEST(FileWindow, WhatAWindowDoesNotOpenIsReadWholeForItsMessage) {
    TempFolder folder;
    const ReadWindowing always{.windowFromBytes = 0, .chunkBytes = 7};
    EXPECT_EQ(loadDocument(folder.path(), CharFormat{}, always).result.message,
              u"这是一个文件夹，不是文件。");
    putFile(folder / "empty.txt", "");
    EXPECT_TRUE(loadDocument(folder / "empty.txt", CharFormat{}, always).result.ok);
}

}  // namespace
}  // namespace pennory::files
