#include "support/form_fixture.h"

#include <random>
#include <stdexcept>

namespace pennory::testing {

TempDir::TempDir() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("pennory-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

FormTest::FormTest() {
    m_form = std::make_unique<app::Form1>(m_platform.factory, m_platform.services());
    m_form->Form_Load();
    m_form->Form_Resize();  // the window is shown
}

void FormTest::clickToolbar(std::u16string_view key) {
    for (int i = 0; i < form().toolbarButtonCount(); ++i) {
        if (form().Toolbar1(i).key() == key) {
            static_cast<headless::HeadlessToolbarButton&>(form().Toolbar1(i)).click();
            return;
        }
    }
    throw std::invalid_argument("no toolbar button " + utf8(key));
}

headless::HeadlessMenuItem& FormTest::menuItem(std::initializer_list<std::u16string_view> path) {
    const platform::MenuItem* parent = nullptr;
    headless::HeadlessMenuItem* item = nullptr;
    for (auto caption : path) {
        item = m_platform.factory.menuItem(parent, caption);
        if (!item) throw std::invalid_argument("no menu item " + utf8(caption));
        parent = item;
    }
    return *item;
}

void FormTest::clickMenu(std::initializer_list<std::u16string_view> path) {
    auto& item = menuItem(path);
    // A disabled item cannot be chosen.
    if (item.enabled()) item.click();
}

bool FormTest::menuEnabled(std::initializer_list<std::u16string_view> path) {
    return menuItem(path).enabled();
}

headless::HeadlessRichTextBox& FormTest::editor() {
    return static_cast<headless::HeadlessRichTextBox&>(form().RichTextBox1());
}

headless::HeadlessRichTextBox& FormTest::reference() {
    return static_cast<headless::HeadlessRichTextBox&>(form().RichTextBox2());
}

headless::HeadlessTextBox& FormTest::phraseBox(int index) {
    return static_cast<headless::HeadlessTextBox&>(form().Text1(index));
}

headless::HeadlessScrollBar& FormTest::hScroll() {
    return static_cast<headless::HeadlessScrollBar&>(form().HScroll1());
}

headless::HeadlessScrollBar& FormTest::vScroll() {
    return static_cast<headless::HeadlessScrollBar&>(form().VScroll1());
}

void FormTest::resizeClient(int width, int height) {
    m_platform.factory.headlessWindow().setClientSize(width, height);
    form().Form_Resize();
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string utf16(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = text[i];
        char32_t c;
        int extra;
        if (b < 0x80) { c = b; extra = 0; }
        else if (b < 0xE0) { c = b & 0x1F; extra = 1; }
        else if (b < 0xF0) { c = b & 0x0F; extra = 2; }
        else { c = b & 0x07; extra = 3; }
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i) c = (c << 6) | (text[i] & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

}  // namespace pennory::testing
