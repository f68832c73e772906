#include "document/manuscript_io.h"

#include <filesystem>
#include <string>

#include "app/form1.h"
#include "document/left_out_notice.h"
#include "document/manuscript_files.h"

namespace pennory::document {

namespace {

// Paths travel through the dialogs as UTF-16; the file system takes them as UTF-8.
std::filesystem::path toPath(std::u16string_view path) {
    return std::filesystem::path(std::u16string(path));
}

void report(app::Form1& form, std::u16string_view what, std::u16string_view path,
            const files::FileResult& result) {
    std::u16string prompt(what);
    prompt += u"“";
    prompt += path;
    prompt += u"”：";
    prompt += result.message.empty() ? std::u16string(u"原因不明。") : result.message;
    form.msgBox(prompt, platform::vbOKOnly);
}

}  // namespace

bool loadInto(app::Form1& form, platform::RichTextBox& target, std::u16string_view path) {
    if (path.empty()) return false;
    const auto loaded = files::loadDocument(toPath(path), target.defaultFormat());
    if (!loaded.result.ok) {
        report(form, u"无法打开文件", path, loaded.result);
        return false;
    }
    target.setContent(loaded.content);
    // Told once, after the rest is shown: the load itself has succeeded.
    if (!loaded.leftOut.empty()) {
        form.msgBox(leftOutNotice(path, loaded.leftOut), platform::vbOKOnly);
    }
    return true;
}

bool writeManuscript(app::Form1& form, std::u16string_view path, files::SaveType type) {
    const auto result = files::saveDocument(toPath(path), form.RichTextBox1().content(), type);
    if (!result.ok) {
        report(form, u"无法保存文件", path, result);
        return false;
    }
    rememberManuscriptFile(form, path);
    return true;
}

}  // namespace pennory::document
