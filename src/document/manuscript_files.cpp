#include "document/manuscript_files.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/form1.h"

namespace pennory::document {

namespace {

std::filesystem::path toPath(std::u16string_view path) {
    return std::filesystem::path(std::u16string(path));
}

bool holdsTheManuscript(const app::Form1& form, const std::filesystem::path& path) {
    for (const std::u16string& file : form.manuscriptFiles) {
        std::error_code ec;
        // The same file whatever way it is named: relative, through a link.
        if (std::filesystem::equivalent(toPath(file), path, ec) && !ec) return true;
    }
    return false;
}

}  // namespace

bool mayReplace(app::Form1& form, std::u16string_view path) {
    const std::filesystem::path target = toPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(target, ec) || std::filesystem::is_directory(target, ec))
        return true;
    if (holdsTheManuscript(form, target)) return true;
    std::u16string prompt(kReplacePromptStart);
    prompt += path;
    prompt += kReplacePromptEnd;
    return form.msgBox(prompt, platform::vbYesNo | platform::vbDefaultButton2) == platform::vbYes;
}

void rememberManuscriptFile(app::Form1& form, std::u16string_view path) {
    for (const std::u16string& file : form.manuscriptFiles) {
        if (file == path) return;
    }
    form.manuscriptFiles.emplace_back(path);
}

void forgetManuscriptFiles(app::Form1& form) { form.manuscriptFiles.clear(); }

}  // namespace pennory::document
