#include "document/interrupted_rewrite.h"

#include <string>

#include "app/form1.h"
#include "platform/files/rewrite_backup.h"

namespace pennory::document {

void offerInterruptedRewrites(app::Form1& form) {
    const auto& folder = form.services().recoveryFolder;
    if (folder.empty()) return;
    for (const auto& left : files::leftOriginals(folder)) {
        if (left.original.empty()) {
            files::setAsideOriginal(left);
            continue;
        }
        const std::u16string path = left.original.u16string();
        const std::u16string question =
            u"上次保存“" + path + u"”时程序意外退出。要恢复原来的文件吗？";
        const int answer = form.msgBox(question, platform::vbYesNo | platform::vbDefaultButton2);
        if (answer == platform::vbYes) {
            const auto restored = files::restoreOriginal(left);
            if (restored.ok) continue;
            form.msgBox(u"无法恢复原来的文件“" + path + u"”：" + restored.message +
                            u"原来的文件保存在程序的状态文件夹里。",
                        platform::vbOKOnly);
        }
        files::setAsideOriginal(left);
    }
}

}  // namespace pennory::document
