#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <array>
#include <unordered_map>
#include <vector>

class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextImageFormat;

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
// Where a word of `doc` longer than MaxWordLength gets a break: before the
// character that follows each MaxWordLength characters without a word end,
// never inside a letter of two UTF-16 units. Document positions, in order.
std::vector<int> longWordBreaks(const QTextDocument &doc);

// The most height text can take at NarrowestTextWidth pixels or wider, never
// by laying it out, in time proportional to its length.
//
// Every line of a paragraph is as tall as the tallest piece of text (a run
// of one format) on it, and starts the paragraph, follows a line break or
// follows a wrap. The line is counted once: at the first line of that piece,
// at the break, or, when the piece goes on from the line before, at the wrap.
// So a paragraph takes at most each piece's line height once and once per
// line break in it, plus its tallest line height for every wrap. A line
// wraps only when the next word does not fit it, so two lines after each
// other hold more than the room: a paragraph wraps fewer than twice its
// advance divided by the room times, and never more often than it has
// characters.
//
// A piece's line height is that of the font the layout uses for it (its
// size adjustment applied, as for headings), at least that of the
// document's own font, rounded up, and then as the paragraph's line height
// makes it (proportional, fixed, minimum or a distance added). Advances are
// the character's for Latin-1, the font's widest glyph beyond, with letter
// and word spacing and capitals; a tab advances a whole tab stop. The room
// is the width less the document's margin, the paragraph's indents and the
// margins, padding and borders of the frames around it; in a table cell, or
// beside a floating frame or picture, it is taken to be nothing. A picture
// takes its height and a line.
class TextHeightMeasure {
public:
    explicit TextHeightMeasure(const QTextDocument &doc);

    // A paragraph measured piece by piece.
    struct Paragraph {
        QTextBlockFormat format;
        qreal room = NarrowestTextWidth;
        qreal lines = 0;       // each piece's first line and its line breaks, at its own height
        qreal advance = 0;     // of the text and pictures since the paragraph began
        qreal characters = 0;  // since the paragraph began
        qreal tallest = 0;     // the tallest line of a piece since the paragraph began
        qreal pictures = 0;    // the pictures' heights
        qreal pictureCount = 0;
        qreal ended = 0;  // the wrapped lines and pictures of paragraphs the text has ended
    };
    // A paragraph of format `f` straight in the document's main frame.
    Paragraph paragraph(const QTextBlockFormat &f) const;
    // A paragraph of `block`, in whatever frame it stands.
    Paragraph paragraph(const QTextBlock &block) const;

    // Adds `text` in `format` to `p`; a paragraph separator in it starts a
    // paragraph of the same format. Returns how much height(p) grew.
    qreal add(Paragraph &p, QStringView text, const QTextCharFormat &format);
    // Adds `count` pictures of `picture`'s format; returns the growth.
    qreal addPicture(Paragraph &p, const QTextImageFormat &picture, int count = 1);
    // The most height the lines of `p` take (its spacing left out).
    qreal height(const Paragraph &p) const;

    // The height of a line of `format`'s font, before a paragraph's line
    // height applies.
    qreal lineSpacing(const QTextCharFormat &format);
    // A line `raw` pixels tall in a paragraph of format `f`.
    static qreal lineHeight(const QTextBlockFormat &f, qreal raw);
    // The spacing above and below a paragraph.
    static qreal spacing(const QTextBlockFormat &f);

    // The height of the frames (the main one too) and tables of the
    // document around their text: margins, padding, borders, spacing
    // between cells and a height given.
    qreal frameHeight() const;

private:
    struct Metrics {
        explicit Metrics(const QFont &f) : font(f) { advance.fill(-1); }
        QFontMetricsF font;
        QFont fontAsked;
        QRawFont primary;         // the font itself, without the fonts that stand in for it
        qreal fallbackLine = -1;  // a line holding a character of another font, measured when first asked
        qreal lineSpacing = 0;
        qreal widest = 0;  // any character beyond Latin-1, also from a fallback font
        qreal letterSpacing = 0, letterScale = 1, wordSpacing = 0;
        bool capitals = false;
        std::array<qreal, 256> advance;  // measured when first asked, -1 before
    };
    struct FontHash {
        size_t operator()(const QFont &f) const noexcept;
    };

    Metrics &metrics(const QTextCharFormat &format);
    static qreal advance(Metrics &m, char16_t c);
    // A picture's own size, when its format gives none.
    QSizeF pictureSize(const QString &name);
    qreal tabStop(const QTextBlockFormat &f) const;
    qreal room(const QTextBlockFormat &f) const;

    const QTextDocument &m_doc;
    QFont m_defaultFont;
    qreal m_margin;
    qreal m_indentWidth;
    QFontMetricsF m_plain;
    bool m_floats;  // the document holds a floating frame or picture
    std::unordered_map<QFont, Metrics, FontHash> m_metrics;
    std::unordered_map<QString, QSizeF> m_pictures;
};

// The most height `doc` could lay out to, measured as above paragraph by
// paragraph (its spacing, its text in each of its formats, its pictures,
// the frames around it), leaving out the characters from `skipFrom` up to
// `skipTo`: the document as it would be without a selection, the
// paragraphs the selection ends and starts in joined.
qreal textHeightBound(const QTextDocument &doc, int skipFrom = 0, int skipTo = 0);

// How much textHeightBound grows when `text`, typed in `format`, replaces
// the selection of `cursor`.
qreal textHeightTyped(const QTextCursor &cursor, QStringView text, const QTextCharFormat &format);

// How much more than textHeightBound of each the text of `cursor`'s
// document and `inserted` may take, `inserted` put in place of the
// selection: the lines where a paragraph of one goes on in the other.
qreal textHeightJoined(const QTextCursor &cursor, const QTextDocument &inserted);

}  // namespace mostarium
