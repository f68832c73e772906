#include "document/document_output.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/form1.h"
#include "document/file_dialogs.h"
#include "document/manuscript_files.h"
#include "platform/files/file_io.h"

namespace pennory::document {

namespace {

constexpr std::u16string_view kNoOutput = u"本程序在这里不能输出PDF或打印。";

std::filesystem::path toPath(std::u16string_view path) {
    return std::filesystem::path(std::u16string(path));
}

// "/稿子/第一章.rtf" -> "/稿子/第一章.pdf"; "" stays "".
std::u16string asPdfName(std::u16string_view name) {
    if (name.empty()) return {};
    std::filesystem::path path = toPath(name);
    if (!path.has_filename()) return std::u16string(name);
    path.replace_extension(".pdf");
    return path.u16string();
}

// Asks before replacing any existing file: unlike a save, a PDF over one of the manuscript's own
// files would leave the manuscript in no file at all.
bool mayPutPdfAt(app::Form1& form, std::u16string_view path) {
    const std::filesystem::path target = toPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(target, ec) || std::filesystem::is_directory(target, ec))
        return true;
    std::u16string prompt(kReplacePromptStart);
    prompt += path;
    prompt += kReplacePromptEnd;
    return form.msgBox(prompt, platform::vbYesNo | platform::vbDefaultButton2) == platform::vbYes;
}

void reportPdfFailure(app::Form1& form, std::u16string_view path, std::u16string_view reason) {
    std::u16string prompt(u"无法输出PDF文件“");
    prompt += path;
    prompt += u"”：";
    prompt += reason.empty() ? std::u16string_view(u"原因不明。") : reason;
    form.msgBox(prompt, platform::vbOKOnly);
}

}  // namespace

void outputPdf(app::Form1& form) {
    platform::DocumentOutputService* output = form.services().output;
    if (!output) {
        form.msgBox(kNoOutput, platform::vbOKOnly);
        return;
    }
    auto& dialog = form.CommonDialog1();
    const std::u16string earlierName = dialog.FileName;
    dialog.FileName = asPdfName(earlierName);
    applyPreset(dialog, {kPdfTitle, std::u16string(kPdfFilter), 1, kHideReadOnly});
    if (!dialog.ShowSave()) {
        dialog.FileName = earlierName;
        return;
    }
    const std::u16string path = dialog.FileName;
    if (!mayPutPdfAt(form, path)) return;
    const std::optional<std::string> bytes = output->pdfBytes(form.RichTextBox1().content());
    if (!bytes) {
        reportPdfFailure(form, path, u"无法排出PDF的页面。");
        return;
    }
    const files::FileResult written = files::writeFileAtomically(toPath(path), *bytes);
    if (!written.ok) reportPdfFailure(form, path, written.message);
}

void printManuscript(app::Form1& form) {
    platform::DocumentOutputService* output = form.services().output;
    if (!output) {
        form.msgBox(kNoOutput, platform::vbOKOnly);
        return;
    }
    const auto outcome = output->print(form.RichTextBox1().content(), form.window().caption());
    if (outcome == platform::PrintOutcome::Failed) {
        form.msgBox(u"无法打印：打印机没有接受这份稿子。", platform::vbOKOnly);
    }
}

}  // namespace pennory::document
