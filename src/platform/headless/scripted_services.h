#pragma once
// Scripted twins of the desktop's services. A test queues the answers a person would give
// and reads back what the program asked and showed.

#include <deque>
#include <optional>

#include "platform/headless/headless_controls.h"
#include "platform/services.h"

namespace pennory::platform::headless {

class ScriptedDialogs : public DialogService {
public:
    // nullopt answers Cancel. An unscripted dialog is cancelled.
    void nextFileName(std::optional<std::u16string> path) { m_files.push_back(std::move(path)); }
    void nextFont(std::optional<text::Font> font) { m_fonts.push_back(std::move(font)); }
    void nextColour(std::optional<text::Colour> colour) { m_colours.push_back(colour); }
    void nextParagraph(std::optional<text::ParagraphFormat> format) {
        m_paragraphs.push_back(format);
    }

    std::optional<std::u16string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::u16string> showSave(const FileDialogRequest& request) override;
    std::optional<text::Font> showFont(const text::Font& initial, int flags) override;
    std::optional<text::Colour> showColor(text::Colour initial, int flags) override;
    std::optional<text::ParagraphFormat> showParagraph(
        const text::ParagraphFormat& initial) override;

    struct Shown {
        enum Kind { Open, Save, Font, Colour, Paragraph } kind;
        FileDialogRequest request;  // file dialogs
        text::Font font;            // font dialog: what it proposed
        text::Colour colour = 0;    // colour dialog: what it proposed
        int flags = 0;
        text::ParagraphFormat paragraph;  // paragraph dialog: what it proposed
    };
    const std::vector<Shown>& shown() const { return m_shown; }

private:
    std::deque<std::optional<std::u16string>> m_files;
    std::deque<std::optional<text::Font>> m_fonts;
    std::deque<std::optional<text::Colour>> m_colours;
    std::deque<std::optional<text::ParagraphFormat>> m_paragraphs;
    std::vector<Shown> m_shown;
};

class ScriptedMessages : public MessageService {
public:
    // Unscripted message boxes answer OK (style 0), No (Yes/No with No the default) or
    // Cancel; input boxes answer "".
    void nextAnswer(int answer) { m_answers.push_back(answer); }
    void nextInput(std::u16string text) { m_inputs.push_back(std::move(text)); }

    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::u16string inputBox(std::u16string_view prompt, bool masked) override;

    struct Shown {
        std::u16string prompt;
        int style = 0;
        std::u16string title;  // as shown: "Pennory" when none was given
        bool input = false;
        bool masked = false;
    };
    const std::vector<Shown>& shown() const { return m_shown; }
    void forget() { m_shown.clear(); }

private:
    std::deque<int> m_answers;
    std::deque<std::u16string> m_inputs;
    std::vector<Shown> m_shown;
};

class MemoryClipboard : public ClipboardService {
public:
    bool clear() override;
    bool setText(std::u16string_view text) override;
    bool setTextWithStyled(std::u16string_view text, std::string_view styled) override;
    std::optional<std::u16string> text() override;
    std::optional<std::string> styledBytes() override;
    std::optional<std::string> imageBytes() override;

    void setBroken(bool broken) { m_broken = broken; }
    // A picture copied by another program: file bytes; setting text or clearing removes it.
    void setImage(std::string bytes) {
        m_image = std::move(bytes);
        m_text.clear();
        m_styled.reset();
    }
    const std::u16string& contents() const { return m_text; }
    const std::optional<std::string>& styledContents() const { return m_styled; }

private:
    std::u16string m_text;
    std::optional<std::string> m_styled;
    std::optional<std::string> m_image;
    bool m_broken = false;
};

// Delivers "^{z}" and "{delete}" to the focused control, as a desktop would.
class HeadlessKeys : public KeyService {
public:
    explicit HeadlessKeys(FocusTracker& focus) : m_focus(focus) {}
    void sendKeys(std::u16string_view keys) override;
    const std::vector<std::u16string>& sent() const { return m_sent; }

private:
    FocusTracker& m_focus;
    std::vector<std::u16string> m_sent;
};

class RecordingShell : public ShellService {
public:
    struct Request {
        std::u16string operation, file, parameters;
        std::filesystem::path directory;
        int showCommand;
    };
    void shellExecute(std::u16string_view operation, std::u16string_view file,
                      std::u16string_view parameters, const std::filesystem::path& directory,
                      int showCommand) override;
    const std::vector<Request>& requests() const { return m_requests; }

private:
    std::vector<Request> m_requests;
};

class HeadlessProgram : public ProgramService {
public:
    void end() override { m_ended = true; }
    bool ended() const override { return m_ended; }
    std::filesystem::path executableDir() const override { return m_executableDir; }
    std::filesystem::path dataDir() const override { return m_dataDir; }
    std::filesystem::path passwordFile() const override { return m_passwordFile; }
    std::filesystem::path phraseFile() const override { return m_phraseFile; }

    std::filesystem::path m_executableDir = "/nonexistent/bin";
    std::filesystem::path m_dataDir = "/nonexistent/share";
    std::filesystem::path m_passwordFile = "/nonexistent/config/pennory/print.txt";
    // By its bare name: in the working folder, as the tests' own folders are.
    std::filesystem::path m_phraseFile = "date.txt";

private:
    bool m_ended = false;
};

}  // namespace pennory::platform::headless
