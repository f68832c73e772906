#include "input/find_replace.h"

#include <string>
#include <variant>

#include "app/form1.h"
#include "input/punctuation.h"

namespace pennory::input {

namespace {

using platform::FindAction;
using platform::FindFields;

// The longest selection taken into 查找内容 when the panel opens.
constexpr std::size_t kLongestPrefill = 100;

platform::RichTextBox& target(app::Form1& form) {
    return form.openIntoReference ? form.RichTextBox2() : form.RichTextBox1();
}

// The target's text. The manuscript's comes from the live count, which keeps a copy edit by
// edit, so that a search in a book does not first copy the whole text out of the editor.
std::u16string textOf(app::Form1& form) {
    if (form.openIntoReference) return form.RichTextBox2().text();
    return form.manuscriptCount().text();
}

std::u16string notFound(const FindFields& fields) { return u"找不到“" + fields.findWhat + u"”。"; }

std::u16string count(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

void open(app::Form1& form, bool withReplace) {
    auto* panel = form.services().findPanel;
    if (!panel) return;
    FindFields fields = form.lastSearch.value_or(FindFields{});
    const auto selected = target(form).selText();
    if (!selected.empty() && selected.size() <= kLongestPrefill &&
        selected.find_first_of(u"\r\n") == std::u16string::npos) {
        fields.findWhat = selected;
    }
    panel->show(withReplace, fields,
                [&form](FindAction action, const FindFields& acted) { act(form, action, acted); });
}

// The search the fields ask for; nullopt after telling the writer why there is none.
std::optional<text::TextSearch> compile(app::Form1& form, const FindFields& fields) {
    auto compiled = text::TextSearch::compile(fields.findWhat, fields.options);
    if (auto* message = std::get_if<std::u16string>(&compiled)) {
        form.msgBox(*message);
        return std::nullopt;
    }
    return std::move(std::get<text::TextSearch>(compiled));
}

void select(platform::RichTextBox& box, const text::Match& match) {
    box.setSelStart(match.start);
    box.setSelLength(match.length);
}

void findFrom(app::Form1& form, const text::TextSearch& search, const FindFields& fields,
              std::u16string_view text, std::size_t from) {
    const auto found = text::findNext(search, text, from);
    if (!found) {
        form.setStatusNote(notFound(fields));
        return;
    }
    select(target(form), found->match);
    form.setStatusNote(found->wrapped ? u"已到末尾，从开头继续查找。" : u"");
}

void findNextMatch(app::Form1& form, const FindFields& fields) {
    const auto search = compile(form, fields);
    if (!search) return;
    auto& box = target(form);
    const auto text = textOf(form);
    findFrom(form, *search, fields, text, box.selStart() + box.selLength());
}

void replaceOne(app::Form1& form, const FindFields& fields) {
    const auto search = compile(form, fields);
    if (!search) return;
    auto& box = target(form);
    auto text = textOf(form);
    const std::size_t start = box.selStart();
    const auto match = box.selLength() > 0 ? search->matchAt(text, start) : std::nullopt;
    if (!match || match->length != box.selLength()) {
        findFrom(form, *search, fields, text, start + box.selLength());
        return;
    }
    auto replacement = search->replacementFor(text, *match, fields.replaceWith);
    const std::size_t after = start + replacement.size();
    box.applyReplacements({{match->start, match->length, std::move(replacement), std::nullopt}});
    box.setSelStart(after);
    text = textOf(form);
    findFrom(form, *search, fields, text, after);
}

void replaceAll(app::Form1& form, const FindFields& fields) {
    const auto search = compile(form, fields);
    if (!search) return;
    auto& box = target(form);
    const auto text = textOf(form);
    const auto matches = search->findAll(text);
    if (matches.empty()) {
        form.setStatusNote(notFound(fields));
        return;
    }
    std::vector<text::Replacement> replacements;
    replacements.reserve(matches.size());
    for (const auto& match : matches) {
        replacements.push_back({match.start, match.length,
                                search->replacementFor(text, match, fields.replaceWith),
                                std::nullopt});
    }
    box.applyReplacements(std::move(replacements));
    form.setStatusNote(u"已替换 " + count(matches.size()) + u" 处。");
}

void unify(app::Form1& form, bool punctuation) {
    auto& box = target(form);
    const auto text = textOf(form);
    auto replacements = punctuation ? fullWidthPunctuation(text) : halfWidthLettersAndDigits(text);
    if (replacements.empty()) {
        form.setStatusNote(punctuation ? u"没有需要统一的标点。" : u"没有需要统一的字母和数字。");
        return;
    }
    const auto n = count(replacements.size());
    const std::u16string question = punctuation
                                        ? u"将把 " + n + u" 处半角标点统一为全角标点，要继续吗？"
                                        : u"将把 " + n + u" 处全角字母和数字统一为半角，要继续吗？";
    if (form.msgBox(question, platform::vbYesNo) != platform::vbYes) return;
    box.applyReplacements(std::move(replacements));
    form.setStatusNote(u"已统一 " + n + u" 处。");
}

}  // namespace

void find(app::Form1& form) { open(form, false); }

void replace(app::Form1& form) { open(form, true); }

void findNext(app::Form1& form) {
    if (!form.lastSearch || form.lastSearch->findWhat.empty()) {
        open(form, false);
        return;
    }
    findNextMatch(form, *form.lastSearch);
}

void act(app::Form1& form, FindAction action, const FindFields& fields) {
    if (action == FindAction::Close) {
        if (auto* panel = form.services().findPanel) panel->hide();
        return;
    }
    form.lastSearch = fields;
    switch (action) {
        case FindAction::FindNext:
            findNextMatch(form, fields);
            break;
        case FindAction::Replace:
            replaceOne(form, fields);
            break;
        case FindAction::ReplaceAll:
            replaceAll(form, fields);
            break;
        case FindAction::FullWidthPunctuation:
            unify(form, true);
            break;
        case FindAction::HalfWidthLetters:
            unify(form, false);
            break;
        case FindAction::Close:
            break;
    }
}

}  // namespace pennory::input
