#include "protection/protection_commands.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "platform/text/plain_text.h"
#include "protection/cipher.h"
#include "protection/password_file.h"

namespace pennory::protection {
namespace {

// How many characters the lossy-encryption question names before "…".
constexpr std::size_t kLossyListed = 5;
// Encrypting cannot be undone: Enter, Esc and the close box all keep the manuscript as it is.
constexpr int kLossyQuestionStyle = platform::vbYesNo | platform::vbDefaultButton2;

// A path as the writer reads it: UTF-8 on Linux, else whatever the bytes decode to.
std::u16string shownPath(const std::filesystem::path& path) {
    return text::decodePlainText(path.native()).value_or(u"");
}

std::u16string failure(std::u16string_view what, const std::filesystem::path& file,
                       std::u16string_view why, std::u16string_view outcome) {
    std::u16string message(what);
    message += u"\n";
    message += shownPath(file);
    if (!why.empty()) {
        message += u"\n";
        message += why;
    }
    message += u"\n";
    message += outcome;
    return message;
}

// Every password prompt hides what is typed.
std::u16string askPassword(app::Form1& form, std::u16string_view prompt) {
    return form.services().messages.inputBox(prompt, true);
}

// True when the password is stored; otherwise the writer has been told why and nothing
// changed.
bool storePassword(app::Form1& form, const std::filesystem::path& file,
                   std::u16string_view password, std::u16string_view notStored) {
    const files::FileResult written = writePassword(file, password);
    if (!written.ok) form.msgBox(failure(u"无法保存密码文件：", file, written.message, notStored));
    return written.ok;
}

// True when the password can be stored as it was typed; otherwise the writer has been asked
// for another one.
bool acceptable(app::Form1& form, std::u16string_view password) {
    const std::u16string_view refusal = passwordRefusal(password);
    if (!refusal.empty()) form.msgBox(refusal);
    return refusal.empty();
}

void firstUse(app::Form1& form, const std::filesystem::path& file) {
    const std::u16string password = askPassword(form, u"首次使用，请设置登录密码：");
    if (!acceptable(form, password)) return;
    if (!storePassword(form, file, password, u"登录密码没有设置。")) return;
    form.msgBox(u"密码已设置成功，请重新登录！");
}

void unlock(app::Form1& form) {
    form.codechilditem(0).setEnabled(true);
    form.codechilditem(1).setEnabled(true);
    form.mnucodeitem(2).setEnabled(true);
}

// A control character would be invisible in the question; it is named by its code instead.
std::u16string shownCharacter(std::u16string_view character) {
    const char16_t c = character.front();
    if (character.size() > 1 || (c >= 0x20 && c != 0x7F && (c < 0x80 || c > 0x9F))) {
        return std::u16string(character);
    }
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string code = u"U+";
    for (int shift = 12; shift >= 0; shift -= 4) code += kHex[(c >> shift) & 0xF];
    return code;
}

std::u16string lossyQuestion(const LossyCharacters& lossy) {
    std::u16string list;
    for (const auto& character : lossy.characters) {
        if (!list.empty()) list += u' ';
        list += shownCharacter(character);
    }
    if (lossy.more) list += u" …";
    return u"文稿中有些字符加密后无法再解密复原：\n" + list + u"\n仍要加密吗？";
}

}  // namespace

void login(app::Form1& form) {
    const std::filesystem::path file = form.services().program.passwordFile();
    const StoredPassword stored = readPassword(file);
    if (stored.status == StoredPassword::Status::Missing) {
        firstUse(form, file);
        return;
    }
    // A password file that exists but gives no line ends the login without a word.
    if (stored.status != StoredPassword::Status::Ok) return;

    if (askPassword(form, u"请输入登录密码：") == stored.password) {
        unlock(form);
    } else {
        form.msgBox(u"密码错误，请重新输入！");
    }
}

void changePassword(app::Form1& form) {
    const std::filesystem::path file = form.services().program.passwordFile();
    const StoredPassword stored = readPassword(file);
    if (stored.status != StoredPassword::Status::Ok) {
        // A string, not a view: the conditional builds a temporary string from the literal.
        const std::u16string why =
            stored.status == StoredPassword::Status::Missing ? u"文件不存在。" : stored.why;
        form.msgBox(failure(u"无法读取密码文件：", file, why, u"密码没有更改。"));
        return;
    }
    if (askPassword(form, u"请输入旧密码：") != stored.password) {
        form.msgBox(u"输入旧密码有误，请重新输入！");
        return;
    }
    const std::u16string password = askPassword(form, u"请输入新密码：");
    if (!acceptable(form, password)) return;
    if (!storePassword(form, file, password, u"密码没有更改，旧密码仍然有效。")) return;
    form.msgBox(u"密码更改成功，请记住新密码！");
}

namespace {

// The figures of content by position, each with its format.
std::vector<std::pair<std::size_t, text::CharFormat>> figuresOf(const text::StyledText& content) {
    std::vector<std::pair<std::size_t, text::CharFormat>> figures;
    std::size_t at = 0;
    for (const auto& run : content.runs()) {
        if (run.format.figure) {
            for (std::size_t i = 0; i < run.text.size(); ++i) {
                if (run.text[i] == text::kObjectCharacter) figures.emplace_back(at + i, run.format);
            }
        }
        at += run.text.size();
    }
    return figures;
}

// Puts the cipher's text into the manuscript in the box's default format, as plain text is,
// with each figure back where it stood: the cipher scrambles the text around them only.
void putScrambled(platform::RichTextBox& box, std::u16string scrambled,
                  const std::vector<std::pair<std::size_t, text::CharFormat>>& figures) {
    if (figures.empty()) {
        box.setText(scrambled);
        return;
    }
    const text::CharFormat plain = box.defaultFormat();
    text::StyledText content;
    std::size_t from = 0;
    for (const auto& [at, format] : figures) {
        content.append(std::u16string_view(scrambled).substr(from, at - from), plain);
        text::CharFormat figure = plain;
        figure.figure = format.figure;
        content.append(std::u16string_view(&text::kObjectCharacter, 1), figure);
        from = at + 1;
    }
    content.append(std::u16string_view(scrambled).substr(from), plain);
    box.setContent(content);
}

// The text without its figures: they are no characters the cipher could lose.
std::u16string withoutFigures(
    std::u16string text, const std::vector<std::pair<std::size_t, text::CharFormat>>& figures) {
    for (auto it = figures.rbegin(); it != figures.rend(); ++it) text.erase(it->first, 1);
    return text;
}

}  // namespace

void encrypt(app::Form1& form) {
    if (!form.mayEncrypt) {
        form.msgBox(u"加密操作已经结束");
        return;
    }
    std::u16string text = form.RichTextBox1().text();
    const auto figures = figuresOf(form.RichTextBox1().content());
    const LossyCharacters lossy =
        findLossyCharacters(figures.empty() ? text : withoutFigures(text, figures), kLossyListed);
    if (!lossy.empty() &&
        form.msgBox(lossyQuestion(lossy), kLossyQuestionStyle) != platform::vbYes) {
        return;
    }
    encryptInPlace(text);
    putScrambled(form.RichTextBox1(), std::move(text), figures);
    form.mayEncrypt = false;
    form.mayDecrypt = true;
}

void decrypt(app::Form1& form) {
    if (!form.mayDecrypt) {
        form.msgBox(u"解密操作已经结束");
        return;
    }
    std::u16string text = form.RichTextBox1().text();
    const auto figures = figuresOf(form.RichTextBox1().content());
    decryptInPlace(text);
    putScrambled(form.RichTextBox1(), std::move(text), figures);
    form.mayDecrypt = false;
    form.mayEncrypt = true;
}

}  // namespace pennory::protection
