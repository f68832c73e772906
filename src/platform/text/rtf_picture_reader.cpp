#include "platform/text/rtf_picture_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/text/rtf_picture_writer.h"

namespace pennory::text {
namespace {

// The most data one picture group may hold, as a file's whole bytes may be at most this.
constexpr std::size_t kMaxPictureData = std::size_t(256) << 20;

// Each byte's value as a hex digit, -1 for any other byte.
constexpr auto kHexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i) {
        values['a' + i] = values['A' + i] = static_cast<std::int8_t>(10 + i);
    }
    return values;
}();

void putLe32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t le32(std::string_view b, std::size_t at) {
    if (b.size() < at + 4) return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24);
}

// A BMP file from a device-independent bitmap: the 14-byte file header put back before it,
// its pixels' offset after the info header and the colour table.
std::string bmpFromDib(std::string_view dib) {
    const std::uint32_t infoSize = le32(dib, 0);
    const std::uint32_t bitCount =
        dib.size() >= 16
            ? (static_cast<unsigned char>(dib[14]) | (static_cast<unsigned char>(dib[15]) << 8))
            : 0;
    std::uint32_t colours = le32(dib, 32);
    if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
    std::uint32_t masks = 0;
    if (infoSize == 40 && le32(dib, 16) == 3) masks = 12;  // BI_BITFIELDS
    std::string out = "BM";
    putLe32(out, static_cast<std::uint32_t>(dib.size() + 14));
    putLe32(out, 0);
    putLe32(out, 14 + infoSize + masks + colours * 4);
    out += dib;
    return out;
}

// Appends the bytes of the hex digits in text to out; nibble keeps a digit waiting for its
// pair from one piece of text to the next. Nothing is added past the budget.
void addHex(std::string& out, int& nibble, std::string_view text) {
    if (out.size() + text.size() / 2 > kMaxPictureData) return;
    // Most of a file with photos is this data: a table, and whole pairs where they stand.
    const auto* c = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = c + text.size();
    const std::size_t at = out.size();
    out.resize(at + text.size() / 2 + 1);
    char* to = out.data() + at;
    for (; c < end; ++c) {
        const int v = kHexValues[*c];
        if (v < 0) continue;
        if (nibble >= 0) {
            *to++ = static_cast<char>((nibble << 4) | v);
            nibble = -1;
            continue;
        }
        if (c + 1 < end && kHexValues[c[1]] >= 0) {
            *to++ = static_cast<char>((v << 4) | kHexValues[c[1]]);
            ++c;
        } else {
            nibble = v;
        }
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

}  // namespace

void RtfPictureReader::start(std::size_t groupStart) {
    *this = RtfPictureReader{};
    m_active = true;
    m_groupStart = groupStart;
}

bool RtfPictureReader::word(RtfKeyword keyword, bool hasParameter, std::int32_t parameter) {
    const int p = hasParameter ? std::clamp(parameter, 0, 1 << 30) : 0;
    RtfPictureData& d = m_picture;
    switch (keyword) {
        case RtfKeyword::PictureWidth:
            d.widthPx = p;
            return true;
        case RtfKeyword::PictureHeight:
            d.heightPx = p;
            return true;
        case RtfKeyword::PictureGoalWidth:
            d.goalW = p;
            return true;
        case RtfKeyword::PictureGoalHeight:
            d.goalH = p;
            return true;
        case RtfKeyword::PictureScaleX:
            m_scaleX = hasParameter ? p : 100;
            return true;
        case RtfKeyword::PictureScaleY:
            m_scaleY = hasParameter ? p : 100;
            return true;
        case RtfKeyword::PngBlip:
            d.form = RtfPictureForm::Png;
            return true;
        case RtfKeyword::JpegBlip:
            d.form = RtfPictureForm::Jpeg;
            return true;
        case RtfKeyword::DibBitmap:
            d.form = RtfPictureForm::Dib;
            return true;
        case RtfKeyword::EmfBlip:
            d.form = RtfPictureForm::Emf;
            return true;
        case RtfKeyword::WindowsMetafile:
            d.form = RtfPictureForm::Wmf;
            return true;
        case RtfKeyword::MacPicture:
            d.form = RtfPictureForm::MacPicture;
            return true;
        case RtfKeyword::WindowsBitmap:
        case RtfKeyword::Os2Metafile:
            d.form = RtfPictureForm::Unshown;
            return true;
        default:
            return false;
    }
}

void RtfPictureReader::hexText(std::string_view text) { addHex(m_picture.data, m_nibble, text); }

void RtfPictureReader::mediaText(std::string_view text) {
    // The type is the group's first word; the tokens end at line breaks, which no type holds.
    while (!m_typeDone && !text.empty()) {
        const std::size_t start = text.find_first_not_of(" \t");
        if (start == std::string_view::npos) return;
        text.remove_prefix(start);
        std::size_t end = text.find_first_of(" \t");
        if (end == std::string_view::npos) end = text.size();
        if (m_picture.mediaType.size() + end <= 255)
            m_picture.mediaType.append(text.substr(0, end));
        m_typeDone = true;
        text.remove_prefix(end);
    }
    hexText(text);
}

void RtfPictureReader::wmfHeaderText(std::string_view text) {
    addHex(m_picture.wmfHeader, m_headerNibble, text);
}

void RtfPictureReader::binary(std::string_view data) {
    if (m_picture.data.size() + data.size() > kMaxPictureData) return;
    m_picture.data.append(data);
}

std::optional<Figure> RtfPictureReader::finish(std::string_view file, std::size_t groupEnd,
                                               const PictureChecker& check) {
    m_active = false;
    RtfPictureData& d = m_picture;
    Figure figure;
    figure.goalWidthTwips = d.goalW;
    figure.goalHeightTwips = d.goalH;
    figure.widthPx = d.widthPx;
    figure.heightPx = d.heightPx;
    std::string bytes;
    if (!d.mediaType.empty()) {
        // A file of a form Pennory cannot show: a placeholder like any other.
    } else if (d.gif) {
        figure.kind = FigureKind::Gif;
        bytes = std::move(d.data);
    } else if (d.form == RtfPictureForm::Png || d.form == RtfPictureForm::Jpeg) {
        figure.kind = d.form == RtfPictureForm::Png ? FigureKind::Png : FigureKind::Jpeg;
        bytes = std::move(d.data);
    } else if (d.form == RtfPictureForm::Dib && !d.data.empty()) {
        figure.kind = FigureKind::Bmp;
        bytes = bmpFromDib(d.data);
    }
    if (figure.kind != FigureKind::Other && !bytes.empty()) {
        PictureCheck checked{true, d.widthPx, d.heightPx};
        if (check) checked = check(bytes);
        if (checked.ok) {
            figure.widthPx = checked.widthPx;
            figure.heightPx = checked.heightPx;
            // A goal that is just the pixels at 96 a inch asks for nothing: the natural size.
            if (figure.goalWidthTwips == figure.widthPx * 15 &&
                figure.goalHeightTwips == figure.heightPx * 15) {
                figure.goalWidthTwips = 0;
                figure.goalHeightTwips = 0;
            }
            if ((m_scaleX != 100 || m_scaleY != 100) && m_scaleX > 0) {
                const int natural = naturalTwips(figure).first;
                figure.width = {FigureWidth::Unit::Centimetres,
                                static_cast<float>(std::round(natural * m_scaleX / 100.0 /
                                                              kTwipsPerCentimetre * 100.0) /
                                                   100.0)};
            }
            // The data grew by doubling; a figure keeps only its bytes.
            bytes.shrink_to_fit();
            figure.bytes = std::make_shared<const std::string>(std::move(bytes));
            return figure;
        }
    }
    // Shown as a placeholder and written back as it came.
    if (groupEnd <= m_groupStart || groupEnd > file.size()) return std::nullopt;
    figure = Figure{};
    figure.kind = FigureKind::Other;
    figure.widthPx = d.widthPx;
    figure.heightPx = d.heightPx;
    figure.goalWidthTwips = d.goalW;
    figure.goalHeightTwips = d.goalH;
    figure.origin = "rtf:pict";
    figure.bytes =
        std::make_shared<const std::string>(file.substr(m_groupStart, groupEnd - m_groupStart));
    return figure;
}

}  // namespace pennory::text
