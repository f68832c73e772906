#pragma once
// At start: a file whose in-place rewrite was cut short (the program was killed while it wrote
// over a file in a folder it cannot write) still has its old bytes in the state folder
// (platform/files/rewrite_backup.h). For each, the writer is asked
// "上次保存“<path>”时程序意外退出。要恢复原来的文件吗？" (Yes/No, No the default).
//
// No is the default because it destroys nothing: the file stays as the interrupted save left
// it and the old bytes are set aside under a dated name in the state folder, whereas Yes writes
// over whatever the file holds now, which the writer may have mended since.
//
// Yes writes the old bytes back at the path, as every save is written; should that fail, a
// message says why and the copy is set aside as for No. A copy whose record names no sound
// path is set aside without a question.

namespace pennory::app {
class Form1;
}

namespace pennory::document {

void offerInterruptedRewrites(app::Form1& form);

}  // namespace pennory::document
