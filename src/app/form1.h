#pragma once
// The one window: its controls, the five window-level flags, the shared common dialog and
// the event handlers. Handlers dispatch to the subsystems; the controls are reached through
// the platform's interfaces, so the same window runs on Qt and in memory.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "input/manuscript_count.h"
#include "app/common_dialog.h"
#include "platform/control_factory.h"
#include "platform/services.h"

namespace pennory::document {
class RecoveryCopy;
}

namespace pennory::app {

class Form1 {
public:
    Form1(platform::ControlFactory& factory, const platform::Services& services);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Window-level flags, all false at start.
    bool phrasesReady = false;
    bool openIntoReference = false;
    bool saveTargetChosen = false;
    bool mayEncrypt = false;
    bool mayDecrypt = false;
    // The file the last confirmed Save wrote; Save writes there again while
    // saveTargetChosen holds. Open and New forget it.
    std::u16string saveTargetPath;
    // The files holding the manuscript: the one Open loaded it from and those it was saved to
    // since. A save dialog replaces them without asking; New and Open start the list afresh.
    std::vector<std::u16string> manuscriptFiles;
    // The fields of the last search, which 查找下一个 repeats; none before the first.
    std::optional<platform::FindFields> lastSearch;

    // Controls, by their names.
    platform::Window& window() { return m_factory.window(); }
    platform::RichTextBox& RichTextBox1() { return *m_richTextBox1; }
    platform::Panel& Picture1() { return *m_picture1; }
    platform::RichTextBox& RichTextBox2() { return *m_richTextBox2; }
    platform::Image& Image1() { return *m_image1; }
    platform::ScrollBar& HScroll1() { return *m_hScroll1; }
    platform::ScrollBar& VScroll1() { return *m_vScroll1; }
    platform::TabStrip& TabStrip1() { return *m_tabStrip1; }
    platform::Label& Label2(int index) { return *m_label2.at(index); }
    platform::TextBox& Text1(int index) { return *m_text1.at(index); }
    platform::Button& Command1(int index) { return *m_command1.at(index); }
    // Toolbar buttons by position, 0 to 9 from the left.
    platform::ToolbarButton& Toolbar1(int position) { return *m_toolbar1.at(position); }
    int toolbarButtonCount() const { return static_cast<int>(m_toolbar1.size()); }

    // The line under the client area with the live count, or why the recovery copy fails.
    platform::Label& StatusLine() { return *m_statusLine; }

    platform::MenuItem& file() { return *m_file; }
    platform::MenuItem& edit() { return *m_edit; }
    platform::MenuItem& font() { return *m_font; }
    platform::MenuItem& color() { return *m_color; }
    platform::MenuItem& code() { return *m_code; }
    platform::MenuItem& help() { return *m_help; }
    platform::MenuItem& mnufileitem(int index) { return *m_mnufileitem.at(index); }
    platform::MenuItem& saveas(int index) { return *m_saveas.at(index); }
    platform::MenuItem& mnuedititem(int index) { return *m_mnuedititem.at(index); }
    platform::MenuItem& mnucodeitem(int index) { return *m_mnucodeitem.at(index); }
    platform::MenuItem& codechilditem(int index) { return *m_codechilditem.at(index); }
    // Indices 0, 2 and 3; there is no item 1.
    platform::MenuItem& mnuhelpitem(int index) { return *m_mnuhelpitem.at(index); }

    CommonDialog& CommonDialog1() { return m_commonDialog1; }
    const platform::Services& services() const { return m_services; }
    // A message box; an empty title shows "Pennory".
    int msgBox(std::u16string_view prompt, int style = platform::vbOKOnly,
               std::u16string_view title = {});

    // The manuscript's count, kept up to date with every edit.
    const input::ManuscriptCount& manuscriptCount() const { return m_count; }
    // The keeper of the recovery copy; null when the platform keeps none.
    document::RecoveryCopy* recoveryCopy() { return m_recovery.get(); }
    // A file now holds the manuscript, or it was replaced: no recovery copy is needed.
    void manuscriptSettled();
    // A command's note after the count, until the manuscript is next edited or another note
    // takes its place; empty removes it.
    void setStatusNote(std::u16string note);
    // The zoom of the box last zoomed, shown while it is not 100 %.
    void setZoomShown(int percent);
    // Once the window is shown: offers the old bytes of files whose rewrite in place a program
    // did not finish (document/interrupted_rewrite.h), then the unsaved work of a program that
    // did not end normally; true when recovered text is now in the manuscript editor.
    bool offerRecovery();

    // Event handlers.
    void Form_Load();
    void Form_Resize();
    // Returns true to cancel the close.
    bool Form_QueryUnload();
    void Toolbar1_ButtonClick(const platform::ToolbarButton& button);
    void Command1_Click(std::int16_t index);
    void Label2_Click(std::int16_t index);
    void Text1_Click(std::int16_t index);
    void RichTextBox2_Click();
    // A file dropped on the manuscript editor, the reference text box or the side panel.
    void RichTextBox1_FileDropped(std::u16string_view path);
    void RichTextBox2_FileDropped(std::u16string_view path);
    void Picture1_FileDropped(std::u16string_view path);
    // A zoom gesture over the manuscript editor or the reference text box.
    void RichTextBox1_Zoom(platform::ZoomRequest request);
    void RichTextBox1_FigureWidth();
    void RichTextBox2_Zoom(platform::ZoomRequest request);
    void RichTextBox1_Change(const platform::TextEdit& edit);
    void RichTextBox1_SelChange();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void mnufileitem_Click(std::int16_t index);
    void saveas_Click(std::int16_t index);
    void mnuedititem_Click(std::int16_t index);
    void font_Click();
    void color_Click();
    void mnucodeitem_Click(std::int16_t index);
    void codechilditem_Click(std::int16_t index);
    void mnuhelpitem_Click(std::int16_t index);

private:
    void createToolbar();
    void createMenus();
    void createEditorAndPanel();
    void createKeypadAndPhraseBoxes();
    void setTabOrder();
    void createStatusLine();
    // The live count and the recovery copy follow every edit of the manuscript.
    void watchManuscript();
    void showCount();

    platform::ControlFactory& m_factory;
    platform::Services m_services;
    CommonDialog m_commonDialog1;

    std::vector<std::unique_ptr<platform::ToolbarButton>> m_toolbar1;
    std::unique_ptr<platform::MenuItem> m_file, m_edit, m_font, m_color, m_code, m_help;
    std::vector<std::unique_ptr<platform::MenuItem>> m_mnufileitem, m_saveas, m_mnuedititem,
        m_mnucodeitem, m_codechilditem, m_mnuhelpitem;
    std::unique_ptr<platform::RichTextBox> m_richTextBox1;
    std::unique_ptr<platform::Panel> m_picture1;
    std::unique_ptr<platform::Image> m_image1;
    std::vector<std::unique_ptr<platform::Label>> m_label2;
    std::unique_ptr<platform::RichTextBox> m_richTextBox2;
    std::unique_ptr<platform::ScrollBar> m_hScroll1, m_vScroll1;
    std::unique_ptr<platform::TabStrip> m_tabStrip1;
    std::vector<std::unique_ptr<platform::TextBox>> m_text1;
    std::vector<std::unique_ptr<platform::Button>> m_command1;
    std::unique_ptr<platform::Label> m_statusLine;
    input::ManuscriptCount m_count;
    std::unique_ptr<document::RecoveryCopy> m_recovery;
    // Why the last recovery copy failed; empty once one succeeds.
    std::u16string m_recoveryFailure;
    std::u16string m_statusNote;
    int m_zoomShown = 100;
};

}  // namespace pennory::app
