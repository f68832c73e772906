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
    const auto home = program.executableDir();
    // The shell always starts in the program's folder. The page beside the program goes by
    // its bare name, as the shell finds it there; an installed copy elsewhere goes by its
    // full path.
    if (holdsHelpPage(home)) {
        form.services().shell.shellExecute(kOpen, kHelpPageName, u"", home, kShowNormal);
        return;
    }
    const auto data = program.dataDir();
    if (holdsHelpPage(data)) {
        const auto page = (data / std::filesystem::path(kHelpPageName)).u16string();
        form.services().shell.shellExecute(kOpen, page, u"", home, kShowNormal);
    }
}

void writeToPublisher(app::Form1& form) {
    form.services().shell.shellExecute(kOpen, kPublisherMail, u"",
                                       form.services().program.executableDir(), kShowNormal);
}

void showAbout(app::Form1& form) { form.msgBox(kAboutText, platform::vbOKOnly, u"Pennory"); }

}  // namespace pennory::help
