#pragma once
// 编辑 › 段落: alignment, indents, line spacing and the space around the manuscript's
// selected paragraphs, through the paragraph dialog.

namespace pennory::app {
class Form1;
}

namespace pennory::input {

// Opens the dialog with the format of the paragraph the selection starts in. 确定 with a
// changed format sets every paragraph the selection touches (one undo step); 确定 with the
// format unchanged, or 取消, changes nothing.
void paragraph(app::Form1& form);

}  // namespace pennory::input
