#include "textshaping.h"

#include "fieldappearance.h"
#include "fontfallback.h"
#include "fontsubset.h"
#include "formfont.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <fribidi.h>
#include <hb.h>
#include <set>

struct TextShaper::Cluster {
    qsizetype start = 0; // in the line's code points
    qsizetype end = 0;
    int font = 0;
    QString text; // as the form's font draws it: composed
    int level = 0;
};

namespace
{

// The embedding level of every code point, as the bidirectional algorithm resolves them for
// a line that is a paragraph of its own, whitespace at its end included.
std::vector<FriBidiLevel> bidiLevels(const QList<uint> &text)
{
    const auto length = FriBidiStrIndex(text.size());
    const auto *chars = reinterpret_cast<const FriBidiChar *>(text.constData());
    std::vector<FriBidiCharType> types(text.size());
    std::vector<FriBidiBracketType> brackets(text.size());
    std::vector<FriBidiLevel> levels(text.size(), 0);
    fribidi_get_bidi_types(chars, length, types.data());
    fribidi_get_bracket_types(chars, length, types.data(), brackets.data());
    FriBidiParType base = FRIBIDI_PAR_ON;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &base,
                                            levels.data()) == 0 ||
        fribidi_reorder_line(0, types.data(), length, 0, base, levels.data(), nullptr, nullptr) ==
            0)
        std::fill(levels.begin(), levels.end(), 0);
    return levels;
}

// Spans of one font and level, reversed as the algorithm's rule L2 reverses them.
template <typename Span> void reorder(QList<Span> &spans)
{
    int highest = 0;
    int lowestOdd = 127;
    for (const Span &s : spans) {
        highest = std::max(highest, s.level);
        if (s.level % 2)
            lowestOdd = std::min(lowestOdd, s.level);
    }
    for (int level = highest; level >= lowestOdd; --level) {
        for (auto it = spans.begin(); it != spans.end();) {
            const auto end =
                std::find_if(it, spans.end(), [level](const Span &s) { return s.level < level; });
            std::reverse(it, end);
            it = end == spans.end() ? end : end + 1;
        }
    }
}

QString mirrored(const QString &text)
{
    QList<uint> chars = text.toUcs4();
    for (uint &c : chars) {
        FriBidiChar mirror = 0;
        if (fribidi_get_mirror_char(c, &mirror))
            c = mirror;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), chars.size());
}

QByteArray hex(const QByteArray &codes)
{
    return '<' + codes.toHex().toUpper() + '>';
}

} // namespace

double GlyphRun::advance() const
{
    double total = 0;
    for (const Glyph &g : glyphs)
        total += g.advance;
    return total;
}

QByteArray showRun(const GlyphRun &run, double size)
{
    using FieldAppearance::number;
    QByteArray shown;
    QByteArray items;   // of a TJ array
    QByteArray pending; // codes not yet written, shown as one string
    bool adjusted = false;
    const auto flush = [&] {
        if (!pending.isEmpty())
            items += hex(pending);
        pending.clear();
        if (!items.isEmpty())
            shown += adjusted ? '[' + items + "] TJ " : items + " Tj ";
        items.clear();
        adjusted = false;
    };
    // Where the viewer's pen stands after the glyphs it showed, and where shaping puts it.
    double viewer = 0;
    double pen = 0;
    double rise = 0;
    for (const Glyph &g : run.glyphs) {
        const double target = pen + g.xOffset;
        if (g.yOffset != rise) {
            flush();
            rise = g.yOffset;
            shown += number(rise * size / 1000) + " Ts ";
        }
        if (std::abs(viewer - target) > 0.01) {
            if (!pending.isEmpty())
                items += hex(pending);
            pending.clear();
            items += ' ' + number(viewer - target) + ' ';
            adjusted = true;
        }
        pending += g.code;
        viewer = target + g.width;
        pen += g.advance;
    }
    flush();
    if (rise != 0)
        shown += "0 Ts ";
    return shown.trimmed();
}

QStringList letters(const QString &text)
{
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    while (finder.toNextBoundary() != -1) {
        result << text.mid(from, finder.position() - from);
        from = finder.position();
    }
    return result;
}

TextShaper::TextShaper(const FormFont &formFont, FontFallback &fallback, EmbeddedFonts &fonts)
    : formFont_(formFont), fallback_(fallback), fonts_(fonts)
{
}

ShapedText TextShaper::shape(const QString &line)
{
    const QList<uint> text = line.toUcs4();
    if (text.isEmpty())
        return {};
    const std::vector<FriBidiLevel> levels = bidiLevels(text);

    struct Span {
        QList<Cluster> clusters;
        int level = 0;
    };
    QList<Span> spans;
    qsizetype at = 0;
    for (const QString &letter : letters(line)) {
        Cluster c;
        c.start = at;
        at += letter.toUcs4().size();
        c.end = at;
        c.level = levels[size_t(c.start)];
        c.text = letter.normalized(QString::NormalizationForm_C);
        if (!formFont_.canShow(c.text)) {
            if (const auto face = fallback_.faceFor(letter)) {
                c.font = fonts_.number(face);
                c.text = letter;
            }
        }
        if (spans.isEmpty() || spans.last().level != c.level ||
            spans.last().clusters.last().font != c.font)
            spans.append(Span{{}, c.level});
        spans.last().clusters.append(c);
    }
    reorder(spans);

    ShapedText shaped;
    for (const Span &s : std::as_const(spans)) {
        const bool rightToLeft = s.level % 2;
        shaped.runs << (s.clusters.first().font == 0 ? formFontRun(s.clusters, rightToLeft)
                                                     : shapedRun(text, s.clusters, rightToLeft));
        shaped.advance += shaped.runs.last().advance();
    }
    return shaped;
}

GlyphRun TextShaper::formFontRun(const QList<Cluster> &clusters, bool rightToLeft) const
{
    GlyphRun run;
    QList<Cluster> ordered = clusters;
    if (rightToLeft)
        std::reverse(ordered.begin(), ordered.end());
    for (const Cluster &c : std::as_const(ordered)) {
        for (char code : formFont_.codes(rightToLeft ? mirrored(c.text) : c.text)) {
            const double width = formFont_.width(code);
            run.glyphs.append(Glyph{QByteArray(1, code), width, width, 0, 0});
        }
    }
    return run;
}

GlyphRun TextShaper::shapedRun(const QList<uint> &text, const QList<Cluster> &clusters,
                               bool rightToLeft) const
{
    GlyphRun run;
    run.font = clusters.first().font;
    FontSubset &subset = fonts_.subset(run.font);
    const FontFace &face = subset.face();
    const auto start = unsigned(clusters.first().start);
    const auto end = unsigned(clusters.last().end);

    hb_buffer_t *buffer = hb_buffer_create();
    hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_CHARACTERS);
    // The whole line is the context, so that letters join across a change of font.
    hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t *>(text.constData()),
                        int(text.size()), start, int(end - start));
    hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(face.hbFont(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, nullptr);

    // What each glyph stands for: the characters of its cluster, given to its first glyph.
    std::set<unsigned> starts{end};
    for (unsigned i = 0; i < count; ++i)
        starts.insert(infos[i].cluster);
    std::set<unsigned> given;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned from = infos[i].cluster;
        QString stands;
        if (given.insert(from).second) {
            const unsigned to = *starts.upper_bound(from);
            stands = QString::fromUcs4(reinterpret_cast<const char32_t *>(text.constData()) + from,
                                       qsizetype(to - from));
        }
        const quint16 code = subset.code(infos[i].codepoint, stands);
        Glyph g;
        g.code.append(char(code >> 8)).append(char(code & 0xFF));
        g.width = face.advance(infos[i].codepoint);
        g.advance = face.thousandths(positions[i].x_advance);
        g.xOffset = face.thousandths(positions[i].x_offset);
        g.yOffset = face.thousandths(positions[i].y_offset);
        run.glyphs.append(g);
    }
    hb_buffer_destroy(buffer);
    return run;
}
