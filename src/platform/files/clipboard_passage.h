#pragma once
// A passage of styled text on the clipboard: its characters for every program and, when it
// holds a figure, Pennory's own form of it beside them (the passage as RTF), so that a figure
// cut or copied comes back whole when it is pasted into Pennory again. A passage of text alone
// goes as text only, as it always did.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/styled_text.h"
#include "platform/text/text_replacements.h"

namespace pennory::files {

struct ClipboardPassage {
    // The passage's characters with its figures left out (another program would show their
    // object character as a box), each line break as lineBreak.
    std::u16string text;
    // The passage as RTF, only when it holds a figure.
    std::optional<std::string> styled;
};

// The passage given styled bytes is remembered, for passageToPaste.
ClipboardPassage clipboardPassage(const text::StyledText& passage,
                                  std::u16string_view lineBreak = u"\r\n");

// What styled bytes found beside the clipboard's text hold: the passage, when they are RTF and
// the text the passage gives (line breaks aside) is the clipboard's text, so that they are the
// bytes put there with it and not ones left over from an earlier copy. nullopt otherwise:
// then the clipboard's text is what is pasted. The bytes clipboardPassage gave last give its
// passage exactly as it was (a figure RTF has no form for, a width in percent); any other
// bytes are read as an RTF file is, pictures held to the same checks.
std::optional<text::StyledText> passageToPaste(std::u16string_view clipboardText,
                                               std::string_view styled);

// The replacements that put the passage in place of [start, start + length) of a box's text as
// one edit transaction: each run keeps its character format and its figure; a line break in it
// starts a paragraph in the format of the one it is pasted into, as a typed one does.
std::vector<text::Replacement> passageReplacements(const text::StyledText& passage,
                                                   std::size_t start, std::size_t length);

}  // namespace pennory::files
