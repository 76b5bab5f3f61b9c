#include "RtfReader.h"

#include "core/Cp1252.h"
#include "platform/InsertedBreaks.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QStyle>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace mostarium {

namespace {

// Deeper nesting than any real document: further groups share the last state.
constexpr int MaxDepth = 200;
constexpr int MaxPictures = 64;
constexpr qsizetype MaxPictureBytes = 16 * 1024 * 1024;
// Text layout lays out a paragraph whole: a paragraph longer than this goes
// on in a new block at a break, so that the window lays out the part it
// shows first. (A word longer than MaxWordLength gets invisible break
// opportunities.) Far beyond any real paragraph of a report.
constexpr int MaxBlockLength = 32768;
// Layout time grows with the square of the lines in one block: a paragraph
// of more line breaks than this goes on in a new block too.
constexpr int MaxBlockLines = 1024;
// Every paragraph and every change of character format costs the document
// a few microseconds to build. Beyond these counts, each far more than a
// report of a thousand pages holds, a paragraph ends in a line break within
// its block and the text keeps the format it has, so that any file is read
// in a fraction of a second; its text is all there.
constexpr int MaxParagraphs = 50000;
constexpr int MaxFormatRuns = 50000;
// Fonts in a size and style, each far more than a report uses.
constexpr std::size_t MaxFonts = 256;
// Text layout works in fixed point and runs away on margins of millions of
// pixels: an indent is kept within 22 inches either way (wider than any
// paper), and spacing between paragraphs is never negative. The height
// bound below counts what is left.
constexpr int MaxIndent = 31680;  // twips

enum class Dest { Text, Skip, FontTable, ColorTable, Picture };

struct State {
    Dest dest = Dest::Text;
    bool bold = false, italic = false, underline = false;
    int fontSize = 24;  // half points
    int color = 0;
    int highlight = 0;
    int font = -1;
    int uc = 1;
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0;  // twips
};

struct Picture {
    QByteArray hex;
    int goalWidth = 0, goalHeight = 0;  // twips
    int scaleX = 100, scaleY = 100;
};

class Reader {
public:
    Reader(const QByteArray &rtf, QTextDocument &doc) : m_in(rtf), m_doc(doc), m_cursor(&doc) {}

    bool run()
    {
        // One edit without undo: the document lays itself out once, after
        // the read, and keeps no copy of the text to undo.
        const bool undo = m_doc.isUndoRedoEnabled();
        m_doc.setUndoRedoEnabled(false);
        m_doc.clear();
        m_measure.emplace(m_doc);
        m_cursor = QTextCursor(&m_doc);
        m_cursor.beginEditBlock();
        m_blockFormat = m_cursor.blockFormat();
        m_paragraph = m_measure->paragraph(m_blockFormat);
        grow(m_measure->frameHeight());
        m_colors.push_back(QColor());
        while (m_pos < m_in.size() && !m_tooTall) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                ++m_pos;
                text(c);
            }
        }
        while (!m_stack.empty() && !m_tooTall)
            closeGroup();
        flush();
        setBlockFormat(blockFormat(m_continued, false));
        growBy(m_blockFormat);
        m_cursor.endEditBlock();
        if (m_tooTall)
            m_doc.clear();
        m_doc.setUndoRedoEnabled(undo);
        m_doc.setModified(false);
        return !m_tooTall;
    }

private:
    void openGroup()
    {
        if (m_dropped > 0 || int(m_stack.size()) >= MaxDepth) {
            ++m_dropped;
            return;
        }
        m_stack.push_back(m_st);
        m_groupStart = true;
    }

    void closeGroup()
    {
        if (m_dropped > 0) {
            --m_dropped;
            return;
        }
        if (m_stack.empty())
            return;
        const Dest was = m_st.dest;
        if (was == Dest::Picture && m_stack.back().dest != Dest::Picture)
            endPicture();
        if (was == Dest::FontTable)
            endFontName();
        flushIfFormatChanges(m_stack.back());
        m_st = m_stack.back();
        m_stack.pop_back();
    }

    static int clampInt(long long v) { return int(std::clamp<long long>(v, INT_MIN / 4, INT_MAX / 4)); }

    void controlWord()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!isAlpha(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isAlpha(m_in[m_pos]) && m_pos - start < 32)
            ++m_pos;
        const QByteArray word = m_in.mid(start, m_pos - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && m_in[m_pos] >= '0' && m_in[m_pos] <= '9') {
            if (digits < 10)
                param = param * 10 + (m_in[m_pos] - '0');
            ++digits;
            hasParam = true;
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        m_groupStart = false;
        apply(word, hasParam, clampInt(param));
    }

    void controlSymbol(char c)
    {
        const bool first = m_groupStart;
        m_groupStart = false;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            text(c);
            break;
        case '\'': {
            int v = 0, n = 0;
            while (n < 2 && m_pos < m_in.size() && hexValue(m_in[m_pos]) >= 0) {
                v = v * 16 + hexValue(m_in[m_pos]);
                ++m_pos;
                ++n;
            }
            if (n > 0)
                byte(char(v));
            break;
        }
        case '*':
            if (first)
                m_st.dest = Dest::Skip;
            break;
        case '~':
            unicode(0x00A0);
            break;
        case '_':
            unicode(0x2011);
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break;
        }
    }

    void apply(const QByteArray &w, bool hasParam, int p)
    {
        const bool on = !hasParam || p != 0;
        State before = m_st;
        if (w == "par" || w == "row" || w == "page" || w == "sect") {
            paragraph();
        } else if (w == "line") {
            unicode(0x2028);
        } else if (w == "tab" || w == "cell") {
            unicode('\t');
        } else if (w == "emdash") {
            unicode(0x2014);
        } else if (w == "endash") {
            unicode(0x2013);
        } else if (w == "bullet") {
            unicode(0x2022);
        } else if (w == "lquote") {
            unicode(0x2018);
        } else if (w == "rquote") {
            unicode(0x2019);
        } else if (w == "ldblquote") {
            unicode(0x201C);
        } else if (w == "rdblquote") {
            unicode(0x201D);
        } else if (w == "u") {
            unicode(char16_t(p < 0 ? p + 65536 : p));
            m_skip = m_st.uc;
        } else if (w == "uc") {
            m_st.uc = std::clamp(p, 0, 10);
        } else if (w == "bin") {
            m_pos = std::min<qsizetype>(m_in.size(), m_pos + std::max(p, 0));
        } else if (w == "b") {
            m_st.bold = on;
        } else if (w == "i") {
            m_st.italic = on;
        } else if (w == "ul") {
            m_st.underline = on;
        } else if (w == "ulnone") {
            m_st.underline = false;
        } else if (w == "fs") {
            m_st.fontSize = hasParam ? std::clamp(p, 2, 3276) : 24;
        } else if (w == "cf") {
            m_st.color = p;
        } else if (w == "highlight" || w == "cb") {
            m_st.highlight = p;
        } else if (w == "f") {
            if (m_st.dest == Dest::FontTable) {
                endFontName();
                m_fontNumber = p;
            } else {
                m_st.font = p;
            }
        } else if (w == "plain") {
            m_st.bold = m_st.italic = m_st.underline = false;
            m_st.fontSize = 24;
            m_st.color = m_st.highlight = 0;
            m_st.font = m_defaultFont;
        } else if (w == "pard") {
            m_st.align = Qt::AlignLeft;
            m_st.leftIndent = m_st.rightIndent = m_st.firstIndent = m_st.spaceBefore = m_st.spaceAfter = 0;
        } else if (w == "ql") {
            m_st.align = Qt::AlignLeft;
        } else if (w == "qc") {
            m_st.align = Qt::AlignHCenter;
        } else if (w == "qr") {
            m_st.align = Qt::AlignRight;
        } else if (w == "qj") {
            m_st.align = Qt::AlignJustify;
        } else if (w == "li") {
            m_st.leftIndent = std::clamp(p, -MaxIndent, MaxIndent);
        } else if (w == "ri") {
            m_st.rightIndent = std::clamp(p, -MaxIndent, MaxIndent);
        } else if (w == "fi") {
            m_st.firstIndent = std::clamp(p, -MaxIndent, MaxIndent);
        } else if (w == "sb") {
            m_st.spaceBefore = std::max(p, 0);
        } else if (w == "sa") {
            m_st.spaceAfter = std::max(p, 0);
        } else if (w == "deff") {
            m_defaultFont = p;
            m_st.font = p;
        } else if (w == "red" || w == "green" || w == "blue") {
            if (m_st.dest == Dest::ColorTable) {
                const int v = std::clamp(p, 0, 255);
                if (w == "red")
                    m_rgb[0] = v;
                else if (w == "green")
                    m_rgb[1] = v;
                else
                    m_rgb[2] = v;
            }
        } else if (w == "fonttbl") {
            m_st.dest = Dest::FontTable;
        } else if (w == "colortbl") {
            m_st.dest = Dest::ColorTable;
            m_rgb = {0, 0, 0};
            m_colors.clear();
            m_charFormatValid = false;
        } else if (w == "shppict") {
            // The picture an RTF file holds for readers that show pictures.
            m_st.dest = Dest::Text;
        } else if (w == "pict") {
            if (m_st.dest == Dest::Skip) {
                // A fallback copy of a picture already shown.
            } else if (m_pictures < MaxPictures) {
                m_st.dest = Dest::Picture;
                m_picture = Picture{};
            } else {
                m_st.dest = Dest::Skip;
            }
        } else if (m_st.dest == Dest::Picture) {
            if (w == "picwgoal")
                m_picture.goalWidth = p;
            else if (w == "pichgoal")
                m_picture.goalHeight = p;
            else if (w == "picscalex")
                m_picture.scaleX = p;
            else if (w == "picscaley")
                m_picture.scaleY = p;
        } else if (w == "stylesheet" || w == "info" || w == "header" || w == "footer" || w == "headerl"
                   || w == "headerr" || w == "footerl" || w == "footerr" || w == "fldinst" || w == "pntext"
                   || w == "pntxta" || w == "pntxtb" || w == "object" || w == "listtable" || w == "listoverridetable"
                   || w == "rsidtbl" || w == "generator" || w == "xmlnstbl" || w == "themedata"
                   || w == "colorschememapping" || w == "latentstyles" || w == "datastore" || w == "nonshppict"
                   || w == "footnote" || w == "filetbl" || w == "revtbl") {
            m_st.dest = Dest::Skip;
        }
        if (m_st.dest == Dest::Text)
            flushIfFormatChanges(before, true);
    }

    // Text already gathered keeps the format it was gathered under.
    void flushIfFormatChanges(const State &other, bool otherIsOld = false)
    {
        if (m_formatFrozen)
            return;
        const State &a = otherIsOld ? other : m_st;
        const State &b = otherIsOld ? m_st : other;
        if (!sameCharacters(a, b)) {
            if (otherIsOld)
                flushWith(a);
            else
                flush();
        }
    }

    static bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void text(char c)
    {
        m_groupStart = false;
        switch (m_st.dest) {
        case Dest::Picture:
            if (hexValue(c) >= 0 && m_picture.hex.size() < MaxPictureBytes * 2)
                m_picture.hex.append(c);
            return;
        case Dest::ColorTable:
            if (c == ';') {
                m_colors.push_back(QColor(m_rgb[0], m_rgb[1], m_rgb[2]));
                m_charFormatValid = false;
                m_rgb = {0, 0, 0};
            }
            return;
        case Dest::FontTable:
            if (c == ';')
                endFontName();
            else if (m_fontName.size() < 128)
                m_fontName.append(c);
            return;
        case Dest::Skip:
            return;
        case Dest::Text:
            break;
        }
        if (c == '\t') {
            unicode('\t');
            return;
        }
        byte(c);
    }

    void byte(char c)
    {
        if (m_st.dest == Dest::FontTable) {
            if (m_fontName.size() < 128)
                m_fontName.append(c);
            return;
        }
        if (m_st.dest != Dest::Text)
            return;
        if (static_cast<unsigned char>(c) < 0x80) {
            unicode(char16_t(static_cast<unsigned char>(c)));
            return;
        }
        const QString s = cp1252::decode(QByteArrayView(&c, 1));
        unicode(s.isEmpty() ? char16_t(0xFFFD) : s[0].unicode());
    }

    void unicode(char16_t c)
    {
        if (m_st.dest != Dest::Text)
            return;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (c == 0)
            return;
        if (c == 0x2028 && m_blockLines >= MaxBlockLines) {
            // The new block is the line break.
            continueParagraph();
            return;
        }
        const bool breaks = endsWord(c);
        if (!breaks && m_wordLength >= MaxWordLength && !QChar::isLowSurrogate(c)) {
            if (m_blockLength >= MaxBlockLength) {
                continueParagraph();
            } else {
                m_breaks.push_back(m_pending.size());
                m_pending.append(QChar(ZeroWidthSpace));
                ++m_blockLength;
            }
            m_wordLength = 0;
        }
        m_pending.append(QChar(c));
        ++m_blockLength;
        m_wordLength = breaks ? 0 : m_wordLength + 1;
        if (c == 0x2028)
            ++m_blockLines;
        if (breaks && m_blockLength >= MaxBlockLength)
            continueParagraph();
    }

    void paragraph()
    {
        if (m_st.dest != Dest::Text)
            return;
        m_skip = 0;
        if (m_paragraphs >= MaxParagraphs) {
            unicode(0x2028);
            return;
        }
        ++m_paragraphs;
        const QTextBlockFormat ending = blockFormat(m_continued, false);
        const QTextBlockFormat next = blockFormat();
        growBy(ending);
        if (ending == m_blockFormat && next == ending) {
            // Paragraphs alike go in with the text, which is much cheaper
            // than a block each; the new block takes the format of the last.
            m_pending.append(QChar::ParagraphSeparator);
        } else {
            flush();
            growByEmptyBlock();
            setBlockFormat(ending);
            m_cursor.insertBlock(next, charFormat(m_st));
            m_blockFormat = next;
            m_paragraph = m_measure->paragraph(m_blockFormat);
        }
        m_continued = false;
        m_blockLength = m_wordLength = m_blockLines = 0;
    }

    void setBlockFormat(const QTextBlockFormat &f)
    {
        if (f == m_blockFormat)
            return;
        m_cursor.setBlockFormat(f);
        m_blockFormat = f;
    }

    // An over-long paragraph goes on in a new block, which takes neither its
    // first-line indent nor the spacing between paragraphs.
    void continueParagraph()
    {
        flush();
        growBy(blockFormat(m_continued, true));
        setBlockFormat(blockFormat(m_continued, true));
        m_blockFormat = blockFormat(true, false);
        m_cursor.insertBlock(m_blockFormat, charFormat(m_st));
        m_paragraph = m_measure->paragraph(m_blockFormat);
        m_continued = true;
        m_blockLength = m_wordLength = m_blockLines = 0;
    }

    QTextBlockFormat blockFormat(bool continues = false, bool continued = false) const
    {
        QTextBlockFormat f;
        f.setAlignment(m_st.align);
        f.setLeftMargin(m_st.leftIndent / 15.0);
        f.setRightMargin(m_st.rightIndent / 15.0);
        f.setTextIndent(continues ? 0.0 : m_st.firstIndent / 15.0);
        f.setTopMargin(continues ? 0.0 : m_st.spaceBefore / 15.0);
        f.setBottomMargin(continued ? 0.0 : m_st.spaceAfter / 15.0);
        return f;
    }

    // The format of the last state asked for is kept: a document changes its
    // character format far less often than it asks for it.
    QTextCharFormat charFormat(const State &asked)
    {
        State st = m_formatFrozen ? m_frozenState : asked;
        if (m_charFormatValid && sameCharacters(st, m_charFormatState))
            return m_charFormat;
        // Every font in a new size or style costs a few hundred microseconds
        // to load, when measured here and again when laid out: beyond
        // MaxFonts of them, text asked in another keeps the font it has.
        const FontKey font{st.font, st.fontSize, st.bold, st.italic};
        if (std::find(m_fontsUsed.begin(), m_fontsUsed.end(), font) == m_fontsUsed.end()) {
            if (m_fontsUsed.size() < MaxFonts || !m_charFormatValid) {
                m_fontsUsed.push_back(font);
            } else {
                st.font = m_charFormatState.font;
                st.fontSize = m_charFormatState.fontSize;
                st.bold = m_charFormatState.bold;
                st.italic = m_charFormatState.italic;
                if (sameCharacters(st, m_charFormatState))
                    return m_charFormat;
            }
        }
        m_charFormat = makeCharFormat(st);
        m_charFormatState = st;
        m_charFormatValid = true;
        return m_charFormat;
    }

    struct FontKey {
        int font, size;
        bool bold, italic;
        bool operator==(const FontKey &) const = default;
    };

    static bool sameCharacters(const State &a, const State &b)
    {
        return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline && a.fontSize == b.fontSize
               && a.color == b.color && a.highlight == b.highlight && a.font == b.font;
    }

    QTextCharFormat makeCharFormat(const State &st) const
    {
        QTextCharFormat f;
        f.setFontWeight(st.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(st.italic);
        f.setFontUnderline(st.underline);
        f.setFontPointSize(st.fontSize / 2.0);
        const auto font =
            std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto &e) { return e.first == st.font; });
        if (font != m_fonts.end() && !font->second.isEmpty())
            f.setFontFamilies({font->second});
        if (st.color > 0 && st.color < int(m_colors.size()) && m_colors[std::size_t(st.color)].isValid())
            f.setForeground(m_colors[std::size_t(st.color)]);
        if (st.highlight > 0 && st.highlight < int(m_colors.size()) && m_colors[std::size_t(st.highlight)].isValid())
            f.setBackground(m_colors[std::size_t(st.highlight)]);
        return f;
    }

    void flush() { flushWith(m_st); }
    void flushWith(const State &st)
    {
        if (m_pending.isEmpty())
            return;
        const QTextCharFormat format = charFormat(st);
        measure(format);
        insertPending(format);
        if (!m_formatFrozen && ++m_formatRuns >= MaxFormatRuns) {
            m_formatFrozen = true;
            m_frozenState = st;
        }
    }

    // The text gathered, in `format`; the breaks inserted into it go in with
    // the same format and the mark of an inserted break (InsertedBreaks.h),
    // so that the words leave the box whole.
    void insertPending(const QTextCharFormat &format)
    {
        if (!m_breaks.empty()) {
            if (!(m_breakAround == format)) {
                m_breakAround = format;
                m_breakFormat = insertedBreakFormat(format);
            }
            const QString zeroWidthSpace{QChar(ZeroWidthSpace)};
            qsizetype from = 0;
            for (const qsizetype at : m_breaks) {
                if (at > from)
                    m_cursor.insertText(m_pending.mid(from, at - from), format);
                m_cursor.insertText(zeroWidthSpace, m_breakFormat);
                from = at + 1;
            }
            m_pending.remove(0, from);
            m_breaks.clear();
        }
        if (!m_pending.isEmpty())
            m_cursor.insertText(m_pending, format);
        m_pending.clear();
    }

    void endFontName()
    {
        QString name = QString::fromLatin1(m_fontName).trimmed();
        m_fontName.clear();
        if (m_fontNumber < 0 || name.isEmpty())
            return;
        if (m_fonts.size() < 256)
            m_fonts.emplace_back(m_fontNumber, name);
        m_charFormatValid = false;
        m_fontNumber = -1;
    }

    void endPicture()
    {
        ++m_pictures;
        QByteArray data = QByteArray::fromHex(m_picture.hex);
        m_picture.hex.clear();
        QImage image;
        if (data.isEmpty() || !image.loadFromData(data) || image.isNull())
            return;
        flush();
        const QUrl name(QStringLiteral("rtfpicture://%1").arg(m_pictures));
        m_doc.addResource(QTextDocument::ImageResource, name, image);
        QTextImageFormat f;
        f.setName(name.toString());
        double w = m_picture.goalWidth > 0 ? m_picture.goalWidth / 15.0 : image.width();
        double h = m_picture.goalHeight > 0 ? m_picture.goalHeight / 15.0 : image.height();
        w = std::clamp(w * std::clamp(m_picture.scaleX, 1, 1000) / 100.0, 1.0, 4000.0);
        h = std::clamp(h * std::clamp(m_picture.scaleY, 1, 1000) / 100.0, 1.0, 4000.0);
        f.setWidth(w);
        f.setHeight(h);
        // Measured in the font of the text around it.
        QTextImageFormat measured = f;
        measured.merge(charFormat(m_st));
        grow(m_measure->addPicture(m_paragraph, measured));
        m_cursor.insertImage(f);
    }

    void measure(const QTextCharFormat &format) { grow(m_measure->add(m_paragraph, m_pending, format)); }

    // A block that ends without text still takes a line of its own font;
    // the text of any other has been measured.
    void growByEmptyBlock()
    {
        if (m_cursor.block().length() <= 1)
            grow(TextHeightMeasure::lineHeight(m_blockFormat, m_measure->lineSpacing(m_cursor.blockCharFormat())));
    }

    // The spacing above and below a paragraph.
    void growBy(const QTextBlockFormat &f) { grow(TextHeightMeasure::spacing(f)); }

    void grow(qreal pixels)
    {
        m_height += pixels;
        if (m_height > MaxTextHeight)
            m_tooTall = true;
    }

    std::optional<TextHeightMeasure> m_measure;  // of the document once cleared
    TextHeightMeasure::Paragraph m_paragraph;    // the cursor's
    qreal m_height = 0;
    bool m_tooTall = false;

    const QByteArray &m_in;
    QTextDocument &m_doc;
    QTextCursor m_cursor;
    qsizetype m_pos = 0;
    std::vector<State> m_stack;
    int m_dropped = 0;
    State m_st;
    bool m_groupStart = false;
    int m_skip = 0;
    QString m_pending;
    std::vector<qsizetype> m_breaks;  // where m_pending holds an inserted break
    int m_blockLength = 0;            // characters in the current block
    int m_wordLength = 0;             // characters since the last break opportunity
    int m_blockLines = 0;             // line breaks in the current block
    bool m_continued = false;         // the current block goes on with a paragraph
    QTextBlockFormat m_blockFormat;   // the format of the cursor's block
    QTextCharFormat m_charFormat;
    QTextCharFormat m_breakAround, m_breakFormat;  // the last inserted break's
    State m_charFormatState;
    bool m_charFormatValid = false;
    int m_paragraphs = 0;
    int m_formatRuns = 0;
    bool m_formatFrozen = false;
    State m_frozenState;
    std::vector<FontKey> m_fontsUsed;
    std::vector<QColor> m_colors;
    std::array<int, 3> m_rgb{0, 0, 0};
    std::vector<std::pair<int, QString>> m_fonts;
    QByteArray m_fontName;
    int m_fontNumber = -1;
    int m_defaultFont = -1;
    Picture m_picture;
    int m_pictures = 0;
};

}  // namespace

bool readRtf(const QByteArray &rtf, QTextDocument &doc) { return Reader(rtf, doc).run(); }

int leastRtfBoxWidth(const QTextEdit &box)
{
    return int(NarrowestTextWidth) + 2 * box.frameWidth() + box.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
}

}  // namespace mostarium
