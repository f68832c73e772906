#include "input/phrase_library.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/form1.h"
#include "input/phrase_grid.h"
#include "platform/files/private_folders.h"
#include "platform/files/text_lines.h"

namespace pennory::input {

namespace {

std::filesystem::path phraseFile(app::Form1& form) { return form.services().program.phraseFile(); }

// The name shown in a message: the full path when the working folder is known.
std::u16string shownName(const std::filesystem::path& file) {
    std::error_code error;
    const auto full = std::filesystem::absolute(file, error);
    return (error ? file : full).u16string();
}

// A phrase is one line of the file; a line break inside it would shift every later phrase.
std::u16string asOneLine(std::u16string phrase) {
    for (auto& c : phrase) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return phrase;
}

}  // namespace

void loadPhrases(app::Form1& form) {
    // A missing or unreadable file loads nothing and says nothing; the file is read whole and
    // closed again by readTextLines.
    const files::ReadLines read = files::readTextLines(phraseFile(form));
    if (!read.result.ok) return;

    const std::size_t count = std::min<std::size_t>(read.lines.size(), kPhraseCount);
    for (std::size_t i = 0; i < count; ++i) form.Text1(static_cast<int>(i)).setText(read.lines[i]);
    // Fewer lines than boxes: the rest keep their text and the library is not ready.
    if (count == kPhraseCount) form.phrasesReady = true;
}

void storePhrases(app::Form1& form) {
    form.phrasesReady = true;

    std::vector<std::u16string> lines;
    lines.reserve(kPhraseCount);
    for (int i = 0; i < kPhraseCount; ++i) lines.push_back(asOneLine(form.Text1(i).text()));

    // The per-user data folder may not exist yet; what is made for the library is private.
    const auto file = phraseFile(form);
    std::vector<std::filesystem::path> created;
    files::FileResult written = files::createPrivateFolders(file.parent_path(), created);
    if (written.ok) written = files::writeTextLines(file, lines);
    if (!written.ok) {
        files::removeFolders(created);
        form.msgBox(u"无法保存词组文件“" + shownName(file) + u"”：" + written.message);
    }
}

void insertPhrase(app::Form1& form, std::int16_t index) {
    if (index < 0 || index >= kPhraseCount) return;
    auto& editor = form.RichTextBox1();
    if (form.phrasesReady) editor.setFocus();
    editor.setSelText(form.Text1(index).text());
}

}  // namespace pennory::input
