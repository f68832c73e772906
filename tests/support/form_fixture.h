#pragma once
// A started window on the headless platform, with the shortcuts tests use to act as the
// writer: clicking toolbar buttons by key, menu items by caption, typing.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/form1.h"
#include "platform/headless/headless_platform.h"

namespace pennory::testing {

namespace headless = platform::headless;

// A fresh empty folder that is removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return m_path / name;
    }

private:
    std::filesystem::path m_path;
};

class FormTest : public ::testing::Test {
protected:
    FormTest();

    app::Form1& form() { return *m_form; }
    headless::HeadlessPlatform& platform() { return m_platform; }
    headless::ScriptedDialogs& dialogs() { return m_platform.dialogs; }
    headless::ScriptedMessages& messages() { return m_platform.messages; }

    // Clicks the toolbar button with this key.
    void clickToolbar(std::u16string_view key);
    // Clicks a menu item by its captions from the menu bar down, e.g. {u"文件", u"打开"}.
    void clickMenu(std::initializer_list<std::u16string_view> path);
    bool menuEnabled(std::initializer_list<std::u16string_view> path);

    headless::HeadlessRichTextBox& editor();
    headless::HeadlessRichTextBox& reference();
    headless::HeadlessTextBox& phraseBox(int index);
    headless::HeadlessScrollBar& hScroll();
    headless::HeadlessScrollBar& vScroll();
    // Resizes the window as the window manager would and raises Form_Resize.
    void resizeClient(int width, int height);

private:
    headless::HeadlessMenuItem& menuItem(std::initializer_list<std::u16string_view> path);

    headless::HeadlessPlatform m_platform;
    std::unique_ptr<app::Form1> m_form;
};

// UTF-16 <-> UTF-8 for messages and paths in tests.
std::string utf8(std::u16string_view text);
std::u16string utf16(std::string_view text);

}  // namespace pennory::testing
