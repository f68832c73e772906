#pragma once
// The manuscript put out for reading elsewhere: as a PDF file and on paper. Neither is a save:
// the title, saveTargetChosen, the files that hold the manuscript and its recovery copy stay as
// they were.

#include <string_view>

namespace pennory::app {
class Form1;
}

namespace pennory::document {

inline constexpr std::u16string_view kPdfTitle = u"输出为PDF";
inline constexpr std::u16string_view kPdfFilter = u"pdf文件(*.pdf)|*.pdf";

// Shows the save dialog ("输出为PDF", the pdf filter, filter index 1, flags 4), pre-filled with
// the last chosen name with its extension turned into ".pdf", so that Enter cannot put a PDF
// over the manuscript file the dialog last named. Cancelled: nothing is written and the
// dialog's file name is as before. Confirmed: the chosen name stays in the dialog, as after
// every file dialog; any file already there, the manuscript's own included, is replaced only if
// the writer says so; the PDF is written atomically. A failure is told in a message box.
void outputPdf(app::Form1& form);

// Shows the print dialog with its preview; a cancelled dialog prints nothing. A failure is told
// in a message box.
void printManuscript(app::Form1& form);

}  // namespace pennory::document
