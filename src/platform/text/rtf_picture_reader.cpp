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

}  // namespace

void RtfPictureReader::start(std::size_t groupStart) {
    *this = RtfPictureReader{};
    m_active = true;
    m_groupStart = groupStart;
}

bool RtfPictureReader::word(RtfKeyword keyword, bool hasParameter, std::int32_t parameter) {
    const int p = hasParameter ? std::clamp(parameter, 0, 1 << 30) : 0;
    switch (keyword) {
        case RtfKeyword::PictureWidth:
            m_widthPx = p;
            return true;
        case RtfKeyword::PictureHeight:
            m_heightPx = p;
            return true;
        case RtfKeyword::PictureGoalWidth:
            m_goalW = p;
            return true;
        case RtfKeyword::PictureGoalHeight:
            m_goalH = p;
            return true;
        case RtfKeyword::PictureScaleX:
            m_scaleX = hasParameter ? p : 100;
            return true;
        case RtfKeyword::PictureScaleY:
            m_scaleY = hasParameter ? p : 100;
            return true;
        case RtfKeyword::PngBlip:
            m_form = Form::Png;
            return true;
        case RtfKeyword::JpegBlip:
            m_form = Form::Jpeg;
            return true;
        case RtfKeyword::DibBitmap:
            m_form = Form::Dib;
            return true;
        case RtfKeyword::WindowsBitmap:
        case RtfKeyword::WindowsMetafile:
        case RtfKeyword::EmfBlip:
        case RtfKeyword::MacPicture:
        case RtfKeyword::Os2Metafile:
            m_form = Form::Unshown;
            return true;
        default:
            return false;
    }
}

void RtfPictureReader::hexText(std::string_view text) {
    if (m_data.size() + text.size() / 2 > kMaxPictureData) return;
    // Most of a file with photos is this data: a table, and whole pairs where they stand.
    const auto* c = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = c + text.size();
    const std::size_t at = m_data.size();
    m_data.resize(at + text.size() / 2 + 1);
    char* out = m_data.data() + at;
    for (; c < end; ++c) {
        const int v = kHexValues[*c];
        if (v < 0) continue;
        if (m_nibble >= 0) {
            *out++ = static_cast<char>((m_nibble << 4) | v);
            m_nibble = -1;
            continue;
        }
        if (c + 1 < end && kHexValues[c[1]] >= 0) {
            *out++ = static_cast<char>((v << 4) | kHexValues[c[1]]);
            ++c;
        } else {
            m_nibble = v;
        }
    }
    m_data.resize(static_cast<std::size_t>(out - m_data.data()));
}

void RtfPictureReader::binary(std::string_view data) {
    if (m_data.size() + data.size() > kMaxPictureData) return;
    m_data.append(data);
}

std::optional<Figure> RtfPictureReader::finish(std::string_view file, std::size_t groupEnd,
                                               const PictureChecker& check) {
    m_active = false;
    Figure figure;
    figure.goalWidthTwips = m_goalW;
    figure.goalHeightTwips = m_goalH;
    figure.widthPx = m_widthPx;
    figure.heightPx = m_heightPx;
    std::string bytes;
    if (m_gif) {
        figure.kind = FigureKind::Gif;
        bytes = std::move(m_data);
    } else if (m_form == Form::Png || m_form == Form::Jpeg) {
        figure.kind = m_form == Form::Png ? FigureKind::Png : FigureKind::Jpeg;
        bytes = std::move(m_data);
    } else if (m_form == Form::Dib && !m_data.empty()) {
        figure.kind = FigureKind::Bmp;
        bytes = bmpFromDib(m_data);
    }
    if (figure.kind != FigureKind::Other && !bytes.empty()) {
        PictureCheck checked{true, m_widthPx, m_heightPx};
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
    figure.widthPx = m_widthPx;
    figure.heightPx = m_heightPx;
    figure.goalWidthTwips = m_goalW;
    figure.goalHeightTwips = m_goalH;
    figure.origin = "rtf:pict";
    figure.bytes =
        std::make_shared<const std::string>(file.substr(m_groupStart, groupEnd - m_groupStart));
    return figure;
}

}  // namespace pennory::text
