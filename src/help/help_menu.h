#pragma once
// The help page, the mail link to the publisher and the about box.

#include <string_view>

#include "pennory_version.h"

namespace pennory::app {
class Form1;
}

namespace pennory::help {

inline constexpr std::u16string_view kHelpPageName = u"Pennory帮助.htm";
inline constexpr std::u16string_view kPublisherMail = u"mailto:editor@pennory.cn";
inline constexpr std::u16string_view kAboutText =
    u"Pennory 电子制作写稿助手 " PENNORY_VERSION u" 版，2026年12月发布";

// Hands "Pennory帮助.htm" to the shell ("open", show command 1, the executable's folder as the
// working folder): by its bare name when it lies beside the executable, else by the full path
// of the copy in the installed data folder. When it is in neither, nothing happens and
// nothing is shown.
void openHelpPage(app::Form1& form);
// Hands the mail link to the shell ("open", the executable's folder, show command 1).
void writeToPublisher(app::Form1& form);
// A message box captioned "Pennory", OK only, naming the product, its version and date.
void showAbout(app::Form1& form);

}  // namespace pennory::help
