#pragma once
// A figure placed in the manuscript: a circuit diagram or a photo. It keeps the bytes of the
// file it came from, so that every save writes them back unchanged and nothing is ever
// recompressed, and the size the writer gave it.
//
// In styled text a figure is the object character U+FFFC in a run whose format holds it.

#include <memory>
#include <string>

namespace pennory::text {

inline constexpr char16_t kObjectCharacter = u'\uFFFC';

// The width of the text on the page figures are sized against: A4 less the default margins.
inline constexpr double kTextWidthCm = 16.5;

enum class FigureKind {
    Png,
    Jpeg,
    Gif,
    Bmp,
    // A picture Pennory cannot show (a metafile, a format of another program): shown as a
    // placeholder and written back as it came where its file form is known.
    Other,
};

// How wide the figure is shown and printed; its height follows, the aspect kept. Natural is
// its own size (as the file asks for it, or its pixels at 96 a inch), never wider than the
// text.
struct FigureWidth {
    enum class Unit { Natural, PercentOfText, Centimetres };
    Unit unit = Unit::Natural;
    float value = 0.0f;

    bool operator==(const FigureWidth&) const = default;
};

struct Figure {
    FigureKind kind = FigureKind::Other;
    std::shared_ptr<const std::string> bytes;  // the picture file's bytes, shared by copies
    int widthPx = 0;                           // the picture's own size in pixels
    int heightPx = 0;
    // The size the file asked for, in twips (0: none given); what Natural shows.
    int goalWidthTwips = 0;
    int goalHeightTwips = 0;
    FigureWidth width;
    // For Other: the form it came in ("rtf:wmetafile8", "docx:image/x-emf", ...), so that
    // a writer of the same format can put the bytes back; empty when unknown.
    std::string origin;

    bool operator==(const Figure& other) const {
        const bool sameBytes = bytes == other.bytes || (bytes && other.bytes && *bytes == *other.bytes);
        return kind == other.kind && sameBytes && widthPx == other.widthPx &&
               heightPx == other.heightPx && goalWidthTwips == other.goalWidthTwips &&
               goalHeightTwips == other.goalHeightTwips && width == other.width &&
               origin == other.origin;
    }
};

// A shared, immutable figure that compares by value, so that a format holding one stays a
// cheap value and two texts with the same figures compare equal.
class FigureRef {
public:
    FigureRef() = default;
    explicit FigureRef(Figure figure) : m_figure(std::make_shared<const Figure>(std::move(figure))) {}

    explicit operator bool() const { return m_figure != nullptr; }
    const Figure& operator*() const { return *m_figure; }
    const Figure* operator->() const { return m_figure.get(); }

    bool operator==(const FigureRef& other) const {
        return m_figure == other.m_figure ||
               (m_figure && other.m_figure && *m_figure == *other.m_figure);
    }

private:
    std::shared_ptr<const Figure> m_figure;
};

}  // namespace pennory::text
