#include "winpaint/GdiGlyphs.h"

#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

double Value(FIXED f) { return f.value + f.fract / 65536.0; }
// GDI's outline points are y up from the base line; the glyph units' are y down.
PicturePoint PointOf(const POINTFX& p) { return {Value(p.x), -Value(p.y)}; }

HFONT FontNamed(const std::wstring& face) {
    LOGFONTW font{};
    font.lfHeight = -100;  // an em of 100 pixels
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&font);
}

}  // namespace

GdiGlyphs::GdiGlyphs() : dc_(::CreateCompatibleDC(nullptr)) {
    for (const std::wstring& face : {Wide(kPictureFontFamily), std::wstring(L"MS Gothic")}) {
        font_ = FontNamed(face);
        old_ = ::SelectObject(dc_, font_);
        wchar_t chosen[LF_FACESIZE] = {};
        ::GetTextFaceW(dc_, LF_FACESIZE, chosen);
        face_ = Utf8(chosen) + "/100";
        if (_wcsicmp(chosen, face.c_str()) == 0) return;
        ::SelectObject(dc_, old_);
        ::DeleteObject(font_);
    }
    font_ = FontNamed(L"MS Gothic");  // whatever the system gives for it
    old_ = ::SelectObject(dc_, font_);
}

GdiGlyphs::~GdiGlyphs() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(font_);
    ::DeleteDC(dc_);
}

std::vector<GlyphOutlines::Glyph> GdiGlyphs::GlyphsOf(std::string_view utf8) const {
    const std::wstring text = Wide(utf8);
    std::vector<Glyph> glyphs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size())
            ++i;  // outside the font's basic plane: its missing glyph
        WORD index = 0;
        ::GetGlyphIndicesW(dc_, &text[i], 1, &index, 0);
        GLYPHMETRICS metrics{};
        ::GetGlyphOutlineW(dc_, index, GGO_METRICS | GGO_GLYPH_INDEX, &metrics, 0, nullptr, &kIdentity);
        glyphs.push_back({index, static_cast<double>(metrics.gmCellIncX)});
    }
    return glyphs;
}

void GdiGlyphs::Outline(std::uint32_t glyph, PicturePath& path, PictureBounds& box) const {
    GLYPHMETRICS metrics{};
    const UINT format = GGO_NATIVE | GGO_GLYPH_INDEX | GGO_UNHINTED;
    const DWORD size = ::GetGlyphOutlineW(dc_, glyph, format, &metrics, 0, nullptr, &kIdentity);
    box.min = {static_cast<double>(metrics.gmptGlyphOrigin.x), -static_cast<double>(metrics.gmptGlyphOrigin.y)};
    box.max = {box.min.x + metrics.gmBlackBoxX, box.min.y + metrics.gmBlackBoxY};
    if (size == GDI_ERROR || size == 0) return;
    std::vector<BYTE> buffer(size);
    if (::GetGlyphOutlineW(dc_, glyph, format, &metrics, size, buffer.data(), &kIdentity) == GDI_ERROR) return;
    // Contours: a header with the start, then lines and quadratic splines
    // (off-curve points, an on-curve point implied between two of them).
    for (DWORD at = 0; at + sizeof(TTPOLYGONHEADER) <= size;) {
        const auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(buffer.data() + at);
        if (header->cb < sizeof(TTPOLYGONHEADER) || at + header->cb > size) break;
        const PicturePoint start = PointOf(header->pfxStart);
        path.push_back({PathElement::Kind::Move, start, {}, {}});
        PicturePoint current = start;
        for (DWORD c = at + sizeof(TTPOLYGONHEADER); c + sizeof(TTPOLYCURVE) - sizeof(POINTFX) <= at + header->cb;) {
            const auto* curve = reinterpret_cast<const TTPOLYCURVE*>(buffer.data() + c);
            const WORD n = curve->cpfx;
            if (curve->wType == TT_PRIM_LINE) {
                for (WORD i = 0; i < n; ++i)
                    path.push_back({PathElement::Kind::Line, current = PointOf(curve->apfx[i]), {}, {}});
            } else {
                for (WORD i = 0; i + 1 < n; ++i) {
                    const PicturePoint control = PointOf(curve->apfx[i]);
                    const PicturePoint next = i + 2 < n ? PicturePoint{(control.x + PointOf(curve->apfx[i + 1]).x) / 2,
                                                                       (control.y + PointOf(curve->apfx[i + 1]).y) / 2}
                                                        : PointOf(curve->apfx[i + 1]);
                    // The quadratic as the cubic that draws it.
                    path.push_back(
                        {PathElement::Kind::Curve,
                         next,
                         {current.x + 2.0 / 3 * (control.x - current.x), current.y + 2.0 / 3 * (control.y - current.y)},
                         {next.x + 2.0 / 3 * (control.x - next.x), next.y + 2.0 / 3 * (control.y - next.y)}});
                    current = next;
                }
            }
            c += sizeof(TTPOLYCURVE) + (n > 0 ? n - 1 : 0) * sizeof(POINTFX);
        }
        path.push_back({PathElement::Kind::Line, start, {}, {}});
        at += header->cb;
    }
}

}  // namespace orvik::win
