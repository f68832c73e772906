#pragma once
// In-memory controls: every property is a field, every event a callback that a test fires
// with click(). Focus is shared through a FocusTracker so that "the focused control" means
// the same as on a desktop.

#include <optional>
#include <vector>

#include "platform/controls.h"

namespace pennory::platform::headless {


struct FocusTracker {
    Control* focused = nullptr;
};

// Common properties of every headless control.
template <typename Interface>
class HeadlessControl : public Interface {
public:
    HeadlessControl(FocusTracker& focus, Callback clicked)
        : m_focus(focus), m_clicked(std::move(clicked)) {}

    bool visible() const override { return m_visible; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    std::u16string caption() const override { return m_caption; }
    void setCaption(std::u16string_view caption) override { m_caption = caption; }
    std::u16string toolTip() const override { return m_toolTip; }
    void setToolTip(std::u16string_view tip) override { m_toolTip = tip; }
    Geometry geometry() const override { return m_geometry; }
    void setGeometry(const Geometry& geometry) override { m_geometry = geometry; }
    void setFocus() override { m_focus.focused = this; }
    bool hasFocus() const override { return m_focus.focused == this; }
    void setAccessibleName(std::u16string_view name) override { m_accessibleName = name; }
    std::u16string accessibleName() const { return m_accessibleName; }

    // What a mouse click does: the control takes the focus if it can, then its handler runs.
    void click() {
        if (takesFocusOnClick()) setFocus();
        if (m_clicked) m_clicked();
    }

protected:
    virtual bool takesFocusOnClick() const { return false; }

private:
    FocusTracker& m_focus;
    Callback m_clicked;
    bool m_visible = true;
    bool m_enabled = true;
    std::u16string m_caption;
    std::u16string m_toolTip;
    std::u16string m_accessibleName;
    Geometry m_geometry;
};

// A control that takes dropped files.
template <typename Interface>
class HeadlessDropTarget : public HeadlessControl<Interface> {
public:
    using HeadlessControl<Interface>::HeadlessControl;
    void onFileDropped(FileDropped dropped) override { m_dropped = std::move(dropped); }
    // What dropping a file on the control does.
    void dropFile(std::u16string_view path) {
        if (m_dropped) m_dropped(path);
    }

private:
    FileDropped m_dropped;
};

using HeadlessButton = HeadlessControl<Button>;
using HeadlessLabel = HeadlessControl<Label>;
using HeadlessPanel = HeadlessDropTarget<Panel>;
using HeadlessTabStrip = HeadlessControl<TabStrip>;

class HeadlessMenuItem : public HeadlessControl<MenuItem> {
public:
    using HeadlessControl::HeadlessControl;
    void setShortcut(std::u16string_view keys) override { m_shortcut = keys; }
    std::u16string shortcut() const override { return m_shortcut; }

private:
    std::u16string m_shortcut;
};

class HeadlessToolbarButton : public HeadlessControl<ToolbarButton> {
public:
    HeadlessToolbarButton(FocusTracker& focus, std::u16string key, Callback clicked)
        : HeadlessControl(focus, std::move(clicked)), m_key(std::move(key)) {}
    std::u16string key() const override { return m_key; }

private:
    std::u16string m_key;
};

// Controls that react to the keys Ctrl+Z and Delete as a desktop text control does.
class KeyTarget {
public:
    virtual ~KeyTarget() = default;
    virtual void undo() = 0;
    virtual void deleteForward() = 0;
};

class HeadlessTextBox : public HeadlessControl<TextBox>, public KeyTarget {
public:
    using HeadlessControl::HeadlessControl;
    std::u16string text() const override { return m_text; }
    void setText(std::u16string_view text) override;
    // What typing does: appends at the end, undoable.
    void type(std::u16string_view text);
    void undo() override;
    void deleteForward() override;

protected:
    bool takesFocusOnClick() const override { return true; }

private:
    std::u16string m_text;
    std::vector<std::u16string> m_undo;
};

class HeadlessRichTextBox : public HeadlessDropTarget<RichTextBox>, public KeyTarget {
public:
    HeadlessRichTextBox(FocusTracker& focus, text::CharFormat defaultFormat, Callback clicked)
        : HeadlessDropTarget(focus, std::move(clicked)), m_default(std::move(defaultFormat)) {}

    void setChangeHandlers(std::function<void(const TextEdit&)> edited,
                           Callback selectionChanged) override;

    std::u16string text() const override { return m_content.plainText(); }
    void setText(std::u16string_view text) override;
    text::StyledText content() const override { return m_content; }
    void setContent(const text::StyledText& content) override;
    text::CharFormat defaultFormat() const override { return m_default; }

    std::size_t selStart() const override { return m_selStart; }
    void setSelStart(std::size_t start) override;
    std::size_t selLength() const override { return m_selLength; }
    void setSelLength(std::size_t length) override;
    std::u16string selText() const override;
    text::StyledText selContent() const override {
        return m_content.slice(m_selStart, m_selLength);
    }
    void setSelText(std::u16string_view text) override;
    // Undoable as one step, as typing is.
    bool applyReplacements(std::vector<text::Replacement> replacements) override;

    text::CharFormat selFormat() const override;
    void setSelFont(const text::Font& font) override;
    void setSelColour(text::Colour colour) override;
    text::ParagraphFormat selParagraphFormat() const override;
    // Undoable as one step.
    void setSelParagraphFormat(const text::ParagraphFormat& format) override;

    void insertFigure(const text::Figure& figure) override;
    std::optional<text::Figure> selFigure() const override;
    void setSelFigureWidth(text::FigureWidth width) override;
    void onFigureMenu(Callback figureMenu) override { m_figureMenu = std::move(figureMenu); }
    // What the figure's context menu item does: selects the figure at position and asks.
    void chooseFigureMenu(std::size_t position) {
        setSelStart(position);
        setSelLength(1);
        if (m_figureMenu) m_figureMenu();
    }

    // The percent is only recorded: there is nothing to draw.
    void setZoomPercent(int percent) override;
    int zoomPercent() const override { return m_zoomPercent; }
    void onZoomRequested(ZoomRequested requested) override { m_zoomRequested = std::move(requested); }
    // What the writer's zoom gestures over the box do: ask, and leave the answer to the handler.
    void userZoom(ZoomRequest request);

    // What typing does at the caret: replaces the selection, undoable.
    void type(std::u16string_view text);
    void undo() override;
    void deleteForward() override;

protected:
    bool takesFocusOnClick() const override { return true; }

private:
    struct Snapshot {
        text::StyledText content;
        std::size_t selStart;
        std::size_t selLength;
    };
    template <typename Change>
    void changeSelectionFormat(Change change);
    void remember();
    // Whether position stands between the CR and the LF of a line break.
    bool insideLineBreak(std::size_t position) const;
    void edited(std::size_t start, std::size_t removed, std::u16string inserted);
    void selectionChanged();
    // Where the figure selFigure() gives stands; none without one.
    std::optional<std::size_t> selFigurePosition() const;

    std::function<void(const TextEdit&)> m_edited;
    Callback m_selectionChanged;
    Callback m_figureMenu;
    text::CharFormat m_default;
    text::StyledText m_content;
    std::size_t m_selStart = 0;
    std::size_t m_selLength = 0;
    std::optional<text::CharFormat> m_typingFormat;  // set by a format change at the caret
    std::vector<Snapshot> m_undo;
    int m_zoomPercent = 100;
    ZoomRequested m_zoomRequested;
};

class HeadlessScrollBar : public HeadlessControl<ScrollBar> {
public:
    HeadlessScrollBar(FocusTracker& focus, Callback changed, Callback scrolled)
        : HeadlessControl(focus, {}), m_changed(std::move(changed)),
          m_scrolled(std::move(scrolled)) {}
    int value() const override { return m_value; }
    // Clamped to 0..max, as a desktop scroll bar keeps it.
    void setValue(int value) override;
    int max() const override { return m_max; }
    // Below 0 the bar keeps 0; a value beyond the new max comes down to it.
    void setMax(int max) override;
    void setSteps(int smallStep, int largeStep) override {
        m_smallStep = smallStep;
        m_largeStep = largeStep;
    }
    int smallStep() const { return m_smallStep; }
    int largeStep() const { return m_largeStep; }

    // What the writer does: a click on the bar, or dragging the thumb.
    void userSetValue(int value);
    void userDrag(int value);

private:
    Callback m_changed;
    Callback m_scrolled;
    int m_value = 0;
    int m_max = 32767;
    int m_smallStep = 1;
    int m_largeStep = 1;
};

class HeadlessImage : public HeadlessControl<Image> {
public:
    using HeadlessControl::HeadlessControl;
    PictureResult loadPicture(const std::filesystem::path& path) override;
    void clearPicture() override;
    bool hasPicture() const override { return m_hasPicture; }

private:
    bool m_hasPicture = false;
};

class HeadlessWindow : public HeadlessControl<Window> {
public:
    using HeadlessControl::HeadlessControl;
    int clientWidth() const override { return m_width; }
    int clientHeight() const override { return m_height; }
    bool minimized() const override { return m_minimized; }
    // What the window manager does; the caller then raises Form_Resize.
    void setClientSize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    void setMinimized(bool minimized) { m_minimized = minimized; }

private:
    int m_width = 11640;
    int m_height = 7890;
    bool m_minimized = false;
};

}  // namespace pennory::platform::headless
