#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringView>
#include <array>
#include <unordered_map>

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;

namespace mostarium {

// Qt's text layout stalls for good on a document taller than 8,388,607
// pixels, the largest height it represents. A window that shows rich text
// keeps it at least NarrowestTextWidth pixels wide, printing lays it out at
// least that wide too, and no text that could lay out taller than
// MaxTextHeight at that width is taken: not when read, not by an edit.
inline constexpr qreal NarrowestTextWidth = 280;
inline constexpr qreal MaxTextHeight = 6'000'000;

// Text layout measures a word whole for every line it wraps over: a word
// longer than this gets an invisible break opportunity (a zero-width space)
// after every MaxWordLength characters, so that any text lays out in time
// proportional to its length. Far beyond any real word.
inline constexpr int MaxWordLength = 256;
inline constexpr char16_t ZeroWidthSpace = 0x200B;
// A character a word ends at, where layout may break a line.
constexpr bool endsWord(char16_t c) { return c == u' ' || c == u'\t' || c == 0x2028 || c == ZeroWidthSpace; }

// The most height text can take at NarrowestTextWidth pixels or wider, never
// by laying it out: every line break starts a line, and wrapped text fills
// at least half of each line it wraps over (a line ends early only when the
// next word does not fit), so it takes at most twice its advance divided by
// the room, plus its last line. Advances are those of the character's font
// for Latin-1, the widest glyph beyond; a line is at least as tall as one of
// the document's own font.
class TextHeightMeasure {
public:
    explicit TextHeightMeasure(const QTextDocument &doc);

    // `text` in `format`, in a block of `block`'s indents.
    qreal text(QStringView text, const QTextCharFormat &format, const QTextBlockFormat &block);
    // The height of a line of `format`'s font.
    qreal lineSpacing(const QTextCharFormat &format);
    // The spacing above and below a paragraph.
    static qreal spacing(const QTextBlockFormat &f);

private:
    struct Metrics {
        explicit Metrics(const QFont &f) : font(f) { advance.fill(-1); }
        QFontMetricsF font;
        qreal lineSpacing = 0;
        qreal widest = 0;                // any character beyond Latin-1, also from a fallback font
        std::array<qreal, 256> advance;  // measured when first asked, -1 before
    };
    // What sets a font's advances and height; underline, colour and the like
    // do not.
    struct Key {
        QString families;
        qreal pointSize, letterSpacing, wordSpacing;
        int pixelSize, weight, stretch, capitalization;
        bool italic;
        bool operator==(const Key &) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key &k) const noexcept;
    };

    Metrics &metrics(const QTextCharFormat &format);

    QFont m_defaultFont;
    qreal m_margin;
    QFontMetricsF m_plain;
    std::unordered_map<Key, Metrics, KeyHash> m_metrics;
};

// The most height `doc` could lay out to, measured as above paragraph by
// paragraph (its spacing, its text in each of its formats, a picture at its
// height and a line), leaving out the characters from `skipFrom` up to
// `skipTo`: the document as it would be without a selection.
qreal textHeightBound(const QTextDocument &doc, int skipFrom = 0, int skipTo = 0);

}  // namespace mostarium
