#pragma once
// The window's controls as the behaviour sees them. Geometry is in twips, relative to the
// control's container. Events reach the behaviour through the callbacks given when a control
// is created (see ControlFactory); a platform turns its own events into those calls and
// decides nothing itself.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/file_result.h"
#include "platform/files/picture_probe.h"
#include "platform/text/styled_text.h"
#include "platform/text/text_replacements.h"

namespace pennory::platform {

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Geometry&) const = default;
};

using files::PictureProblem;
using files::PictureResult;

using Callback = std::function<void()>;
// A file dropped on a control, by its full path.
using FileDropped = std::function<void(std::u16string_view path)>;

class Control {
public:
    virtual ~Control() = default;

    // The control's own visible flag; a child of a hidden container keeps its own value.
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;
    virtual std::u16string toolTip() const = 0;
    virtual void setToolTip(std::u16string_view tip) = 0;
    virtual Geometry geometry() const = 0;
    virtual void setGeometry(const Geometry& geometry) = 0;
    virtual void setFocus() = 0;
    virtual bool hasFocus() const = 0;
    // A name for screen readers and test tools.
    virtual void setAccessibleName(std::u16string_view name) = 0;
};

class Button : public Control {};
class Label : public Control {};
// A container. A file dropped on it or on a child that takes no drops goes to onFileDropped.
class Panel : public Control {
public:
    virtual void onFileDropped(FileDropped dropped) = 0;
};
class TabStrip : public Control {};  // one tab; its caption is the tab's caption
// Geometry is not used.
class MenuItem : public Control {
public:
    // A key combination in portable text ("Ctrl+P") that chooses the item while the window is
    // active; shown beside the caption. "" takes it away.
    virtual void setShortcut(std::u16string_view keys) = 0;
    virtual std::u16string shortcut() const = 0;
};

class ToolbarButton : public Control {
public:
    virtual std::u16string key() const = 0;
};

// A single-line editable text box.
class TextBox : public Control {
public:
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string_view text) = 0;
};

// A change of a rich-text box's text: removed units at start gave way to inserted.
struct TextEdit {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::u16string inserted;
};

// What the writer asked of a rich-text box's zoom: a step larger, a step smaller, or back to
// the box's natural size.
enum class ZoomRequest { In, Out, Reset };
using ZoomRequested = std::function<void(ZoomRequest)>;

// The zoom a rich-text box can show, in percent of its natural size.
inline constexpr int kMinZoomPercent = 50;
inline constexpr int kMaxZoomPercent = 400;

// A rich-text box. Positions and lengths count UTF-16 units of text(), in which every line
// break is CR LF and every other character is exactly as stored.
class RichTextBox : public Control {
public:
    // edited runs after every change of the text, whoever made it (typing, the program, a
    // load); applying the edits in order to the text before them gives text(). A change of
    // format alone may be reported as an edit that puts back the same characters.
    // selectionChanged runs whenever the caret moves or the selection changes.
    virtual void setChangeHandlers(std::function<void(const TextEdit&)> edited,
                                   Callback selectionChanged) = 0;

    // The whole content as plain text.
    virtual std::u16string text() const = 0;
    // Replaces the whole content by plain text in the box's default format; caret at 0.
    virtual void setText(std::u16string_view text) = 0;

    virtual text::StyledText content() const = 0;
    // Replaces the whole content; caret at 0, nothing selected.
    virtual void setContent(const text::StyledText& content) = 0;
    // The format plain text takes in this box.
    virtual text::CharFormat defaultFormat() const = 0;

    virtual std::size_t selStart() const = 0;
    // Moves the caret (clamped to the text) and empties the selection. A caret between the CR
    // and the LF of a line break stands before the break.
    virtual void setSelStart(std::size_t start) = 0;
    virtual std::size_t selLength() const = 0;
    // Selects from selStart (clamped to the text); a selection ending inside a line break
    // takes the whole break.
    virtual void setSelLength(std::size_t length) = 0;
    virtual std::u16string selText() const = 0;
    // The selection as styled text: content().slice(selStart(), selLength()).
    virtual text::StyledText selContent() const = 0;
    // Replaces the selection by text in the format at the caret; the caret ends after it and
    // nothing is selected.
    virtual void setSelText(std::u16string_view text) = 0;

    // One edit transaction: applies every replacement (positions in text() before it, in any
    // order) as one change, one step for the box's undo and one call of edited, whose edit
    // spans from the first replacement's start to the last one's end. Each new text takes its
    // replacement's format, or the one text::Replacement names. The caret and the selection's
    // ends move as text::positionAfter says. Overlapping replacements, or one
    // reaching past the text, change nothing and return false; an empty list changes and
    // reports nothing.
    virtual bool applyReplacements(std::vector<text::Replacement> replacements) = 0;

    // The selection's format (of its first character, or what is typed next at the caret:
    // the format of the character before it; at the start of a line, of the line's first
    // character, or of its break when the line is empty).
    virtual text::CharFormat selFormat() const = 0;
    // Applies to the whole selection, or with nothing selected to the text typed next. The
    // whole font at once is one step for the box's undo.
    virtual void setSelFont(const text::Font& font) = 0;
    virtual void setSelColour(text::Colour colour) = 0;

    // The format of the paragraph the selection starts in.
    virtual text::ParagraphFormat selParagraphFormat() const = 0;
    // Sets every paragraph the selection touches (the one its end stands in too, even at that
    // paragraph's start), or the caret's paragraph: one step for the box's undo, reported as
    // an edit putting back the same characters of those paragraphs, their breaks excluded.
    virtual void setSelParagraphFormat(const text::ParagraphFormat& format) = 0;

    // Replaces the selection by the figure (U+FFFC in a run holding it, in the format at the
    // caret): one step for the box's undo, reported as an edit inserting U+FFFC; the caret
    // ends after it.
    virtual void insertFigure(const text::Figure& figure) = 0;
    // The figure when the selection is exactly one figure, or when nothing is selected and
    // the caret stands just after one.
    virtual std::optional<text::Figure> selFigure() const = 0;
    // Sets the width of the figure selFigure gives (nothing without one): one step for the
    // box's undo, reported as an edit putting back the same character.
    virtual void setSelFigureWidth(text::FigureWidth width) = 0;
    // The writer asked, from a figure's context menu, to set its width; the figure is then
    // selected.
    virtual void onFigureMenu(Callback figureMenu) = 0;

    // A dropped file goes to dropped instead of into the text, the caret first put at the drop
    // place; dropped text is inserted at the drop place as before.
    virtual void onFileDropped(FileDropped dropped) = 0;

    // How large the box shows its whole content, every format alike, in percent; 100 at the
    // start. A percent outside kMinZoomPercent..kMaxZoomPercent is clamped to it. The zoom is
    // the view's alone: text(), content(), the box's undo and the change reports do not see it.
    virtual void setZoomPercent(int percent) = 0;
    virtual int zoomPercent() const = 0;
    // The writer's zoom gestures over the box (Ctrl with the wheel; Ctrl+=, Ctrl+- and Ctrl+0
    // while it has the focus) go to requested; the box does not zoom by itself.
    virtual void onZoomRequested(ZoomRequested requested) = 0;
};

class ScrollBar : public Control {
public:
    virtual int value() const = 0;
    // Clamped to 0..max. Setting the value does not call the change handler; the caller pans
    // itself.
    virtual void setValue(int value) = 0;
    virtual int max() const = 0;
    // A value above the new maximum comes down to it.
    virtual void setMax(int max) = 0;
    virtual void setSteps(int smallStep, int largeStep) = 0;
};

// Shows one picture at its own size; geometry's left and top place it, its width and height
// are the picture's own (in twips) once loaded.
class Image : public Control {
public:
    virtual PictureResult loadPicture(const std::filesystem::path& path) = 0;
    virtual void clearPicture() = 0;
    virtual bool hasPicture() const = 0;
};

// The one window. Its caption is the title bar's text.
class Window : public Control {
public:
    // The client area below the menu bar, in twips.
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual bool minimized() const = 0;
};

}  // namespace pennory::platform
