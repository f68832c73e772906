#include "document/window_title.h"

#include <string>

#include "app/form1.h"

namespace pennory::document {

void showFileInTitle(app::Form1& form, std::u16string_view path) {
    std::u16string title(kTitlePrefix);
    title += path;
    form.window().setCaption(title);
}

void showNewDocumentInTitle(app::Form1& form) { showFileInTitle(form, kNewDocumentName); }

}  // namespace pennory::document
