#include "help/help_menu.h"

#include <filesystem>
#include <system_error>

#include "app/form1.h"

namespace pennory::help {

namespace {

constexpr std::u16string_view kOpen = u"open";
constexpr int kShowNormal = 1;

bool holdsHelpPage(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(folder / std::filesystem::path(kHelpPageName), error);
}

}  // namespace

void openHelpPage(app::Form1& form) {
    const auto& program = form.services().program;
    // The shell opens a bare name relative to the folder it is given; hand it the folder
    // that really holds the page, so an installed copy is found when none lies beside the
    // executable.
    for (const auto& folder : {program.executableDir(), program.dataDir()}) {
        if (holdsHelpPage(folder)) {
            form.services().shell.shellExecute(kOpen, kHelpPageName, u"", folder, kShowNormal);
            return;
        }
    }
}

void writeToPublisher(app::Form1& form) {
    form.services().shell.shellExecute(kOpen, kPublisherMail, u"",
                                       form.services().program.executableDir(), kShowNormal);
}

void showAbout(app::Form1& form) { form.msgBox(kAboutText, platform::vbOKOnly, u"Pennory"); }

}  // namespace pennory::help
