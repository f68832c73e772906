#pragma once
// Modal dialogs and the other services of the desktop. Every service has a scripted twin on
// the headless platform.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/styled_text.h"
#include "platform/text/text_search.h"

namespace pennory::platform {

// Font dialog flag: show the effects section (underline, strikethrough, colour).
inline constexpr int kFontEffects = 0x100;

struct FileFilter {
    std::u16string label;
    std::u16string pattern;  // one or more patterns separated by ';'

    bool operator==(const FileFilter&) const = default;
};

struct FileDialogRequest {
    std::u16string title;
    std::vector<FileFilter> filters;
    int filterIndex = 0;      // preselected entry, from 1
    int flags = 0;            // 4: hide the read-only check box
    std::u16string fileName;  // shown pre-filled
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // The chosen full path, or nullopt when cancelled.
    virtual std::optional<std::u16string> showOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::u16string> showSave(const FileDialogRequest& request) = 0;
    virtual std::optional<text::Font> showFont(const text::Font& initial, int flags) = 0;
    virtual std::optional<text::Colour> showColor(text::Colour initial, int flags) = 0;
    // The 段落 dialog, opened with initial: the format confirmed by 确定, or nullopt for 取消.
    // A property of initial the dialog cannot show comes back unchanged unless the writer
    // changed its control.
    virtual std::optional<text::ParagraphFormat> showParagraph(
        const text::ParagraphFormat& initial) = 0;
};

// Message-box button styles and answers. A style is one set of buttons, optionally or-ed
// with vbDefaultButton2, which makes the second button (No) the default one.
enum MsgStyle : int { vbOKOnly = 0, vbYesNoCancel = 3, vbYesNo = 4, vbDefaultButton2 = 256 };
inline constexpr int msgButtons(int style) { return style & 0xF; }
enum MsgAnswer : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

class MessageService {
public:
    virtual ~MessageService() = default;
    // An empty title shows the application's title, "Pennory". Closing the box without a
    // button answers vbCancel (vbOK for vbOKOnly). A Yes/No box cannot be closed without a
    // button, unless No is its default: then Esc and closing it answer vbNo.
    virtual int msgBox(std::u16string_view prompt, int style, std::u16string_view title) = 0;
    // The entered text, or "" on Cancel. masked hides what is typed.
    virtual std::u16string inputBox(std::u16string_view prompt, bool masked) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // Each returns false when the clipboard cannot be used.
    virtual bool clear() = 0;
    virtual bool setText(std::u16string_view text) = 0;
    // Puts text on the clipboard for every program and, as one content with it, Pennory's own
    // form of the same passage (bytes only Pennory reads); a later setText or clear removes
    // both.
    virtual bool setTextWithStyled(std::u16string_view text, std::string_view styled) = 0;
    // Plain text only; "" when the clipboard holds none; nullopt when it cannot be read.
    virtual std::optional<std::u16string> text() = 0;
    // The bytes setTextWithStyled put beside the text; nullopt when the clipboard holds none
    // or cannot be read.
    virtual std::optional<std::string> styledBytes() = 0;
    // The clipboard's picture as PNG (or JPEG) file bytes; nullopt when it holds none or
    // cannot be read.
    virtual std::optional<std::string> imageBytes() { return std::nullopt; }
};

class KeyService {
public:
    virtual ~KeyService() = default;
    // Delivers keystrokes in send-keys notation ("^{z}", "{delete}") to the focused control.
    virtual void sendKeys(std::u16string_view keys) = 0;
};

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens a document or a link with the desktop's associated application. The result is
    // not reported.
    virtual void shellExecute(std::u16string_view operation, std::u16string_view file,
                              std::u16string_view parameters,
                              const std::filesystem::path& directory, int showCommand) = 0;
};

class ProgramService {
public:
    virtual ~ProgramService() = default;
    // Ends the program at once, after the running handler returns; no close prompt.
    virtual void end() = 0;
    virtual bool ended() const = 0;
    // The folder of the running executable.
    virtual std::filesystem::path executableDir() const = 0;
    // The installed data folder (help page), found from the executable's folder.
    virtual std::filesystem::path dataDir() const = 0;
    // The login password file (per-user configuration folder).
    virtual std::filesystem::path passwordFile() const = 0;
    // The phrase library, "date.txt" (platform/files/user_paths.h says where).
    virtual std::filesystem::path phraseFile() const = 0;
};

// What became of a print request.
enum class PrintOutcome { Printed, Cancelled, Failed };

// The manuscript on paper: laid out on A4 pages with its fonts, sizes, styles and colours.
class DocumentOutputService {
public:
    virtual ~DocumentOutputService() = default;
    // The content as a PDF document whose fonts are embedded (as subsets) and whose text can be
    // selected and searched; nullopt when no PDF could be made.
    virtual std::optional<std::string> pdfBytes(const text::StyledText& content) = 0;
    // Shows the print dialog with a preview of the pages and prints through the system when the
    // writer says so. title names the print job.
    virtual PrintOutcome print(const text::StyledText& content, std::u16string_view title) = 0;
};

// What the find and replace panel holds.
struct FindFields {
    std::u16string findWhat;     // 查找内容
    std::u16string replaceWith;  // 替换为
    text::SearchOptions options;

    bool operator==(const FindFields&) const = default;
};

// The panel's buttons: 查找下一个 (also Enter in 查找内容), 替换, 全部替换, 统一为全角标点,
// 统一为半角字母数字, 关闭 (also Esc and closing the panel's window).
enum class FindAction { FindNext, Replace, ReplaceAll, FullWidthPunctuation, HalfWidthLetters, Close };
using FindActed = std::function<void(FindAction, const FindFields&)>;

// The modeless find and replace panel of the program's own. It decides nothing: each button
// calls acted with the fields as they are at the click.
class FindPanelService {
public:
    virtual ~FindPanelService() = default;
    // Shows the panel with these fields, the 替换为 field and the replace buttons only when
    // withReplace; shown already, it takes the new fields and comes forward. The 查找内容 field
    // takes the focus, its text selected.
    virtual void show(bool withReplace, const FindFields& fields, FindActed acted) = 0;
    virtual void hide() = 0;
    virtual bool shown() const = 0;
};

// A single-shot timer on the interface thread: its handler runs between events, never inside
// another handler.
class Timer {
public:
    virtual ~Timer() = default;
    // (Re)starts the countdown; an earlier start that has not fired is forgotten.
    virtual void start(std::chrono::milliseconds delay) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    // A monotonic clock.
    virtual std::chrono::milliseconds now() const = 0;
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> due) = 0;
};

struct Services {
    DialogService& dialogs;
    MessageService& messages;
    ClipboardService& clipboard;
    KeyService& keys;
    ShellService& shell;
    ProgramService& program;
    // Without timers nothing waits for the writer to pause: no recovery copy is kept.
    TimerService* timers = nullptr;
    // The folder of the recovery copies of unsaved work; empty keeps none.
    std::filesystem::path recoveryFolder = {};
    // Without it the manuscript cannot be put out as PDF or printed; the writer is told so.
    DocumentOutputService* output = nullptr;
    // Without it there is no find and replace.
    FindPanelService* findPanel = nullptr;
};

}  // namespace pennory::platform
