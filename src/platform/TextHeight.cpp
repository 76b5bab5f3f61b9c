#include "TextHeight.h"

#include "InsertedBreaks.h"

#include <QHashFunctions>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <QPixmap>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace mostarium {

namespace {

// Fonts measured before the measure starts again, which keeps its memory small.
constexpr std::size_t MaxMeasured = 4096;
// The size Qt gives a font of an HTML size adjustment, as a part of the
// document's own: sizes 1 to 7.
constexpr std::array<qreal, 7> SizeAdjustments{0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};

// The tallest line, as a part of the font size, of any font installed:
// a character the font lacks is shown in another font, which makes its line
// as tall as that font's.
qreal fallbackLineRatio()
{
    static const qreal ratio = [] {
        constexpr int size = 200;
        qreal most = 0;
        for (const QString &family : QFontDatabase::families()) {
            if (!QFontDatabase::isScalable(family))
                continue;
            QFont font(family);
            font.setPixelSize(size);
            for (const bool bold : {false, true}) {
                font.setBold(bold);
                const QFontMetricsF m(font);
                most = std::max({most, m.lineSpacing(), m.height()});
            }
        }
        return most / size;
    }();
    return ratio;
}

qreal positive(qreal v) { return std::isfinite(v) ? std::max<qreal>(0.0, v) : 0.0; }

// The height of a frame's margins, padding and borders, and of a height it
// is given.
qreal aroundFrame(const QTextFrameFormat &f)
{
    qreal height =
        positive(f.topMargin()) + positive(f.bottomMargin()) + 2 * positive(f.padding()) + 2 * positive(f.border());
    if (f.height().type() == QTextLength::FixedLength)
        height += positive(f.height().rawValue());
    return height;
}

// The height a table takes besides its cells' text: spacing and borders
// around every row, each cell's padding and borders.
qreal aroundCells(const QTextTable &table)
{
    const QTextTableFormat f = table.format();
    const int rows = table.rows(), columns = table.columns();
    qreal height = (rows + 1) * (positive(f.cellSpacing()) + 2 * positive(f.border()));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (!cell.isValid() || cell.row() != r || cell.column() != c)
                continue;
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            height += 2 * positive(f.cellPadding()) + positive(cf.topPadding()) + positive(cf.bottomPadding())
                      + positive(cf.topBorder()) + positive(cf.bottomBorder());
        }
    }
    return height;
}

// True when a frame in `frame` floats beside the text; a floating picture
// stands in a frame of its own.
bool floats(const QTextFrame &frame)
{
    for (const QTextFrame *child : frame.childFrames())
        if (child->frameFormat().position() != QTextFrameFormat::InFlow || floats(*child))
            return true;
    return false;
}

qreal framesHeight(const QTextFrame &frame)
{
    qreal height = aroundFrame(frame.frameFormat());
    if (const auto *table = qobject_cast<const QTextTable *>(&frame))
        height += aroundCells(*table);
    for (const QTextFrame *child : frame.childFrames())
        height += framesHeight(*child);
    return height;
}

}  // namespace

TextHeightMeasure::TextHeightMeasure(const QTextDocument &doc)
    : m_doc(doc), m_defaultFont(doc.defaultFont()), m_margin(doc.documentMargin()), m_indentWidth(doc.indentWidth()),
      m_plain(doc.defaultFont()), m_floats(floats(*doc.rootFrame()))
{}

qreal TextHeightMeasure::room(const QTextBlockFormat &f) const
{
    return NarrowestTextWidth - 2 * positive(m_margin) - positive(f.leftMargin()) - positive(f.rightMargin())
           - (std::isfinite(f.textIndent()) ? std::abs(f.textIndent()) : 0.0)
           - std::max(0, f.indent()) * positive(m_indentWidth);
}

TextHeightMeasure::Paragraph TextHeightMeasure::paragraph(const QTextBlockFormat &f) const
{
    Paragraph p;
    p.format = f;
    p.room = m_floats ? 0.0 : room(f);
    return p;
}

TextHeightMeasure::Paragraph TextHeightMeasure::paragraph(const QTextBlock &block) const
{
    Paragraph p = paragraph(block.blockFormat());
    if (const QTextList *list = block.textList())
        p.room -= std::max(0, list->format().indent()) * positive(m_indentWidth);
    if (m_doc.rootFrame()->childFrames().isEmpty())
        return p;
    for (const QTextFrame *frame = QTextCursor(block).currentFrame(); frame && frame != m_doc.rootFrame();
         frame = frame->parentFrame()) {
        if (qobject_cast<const QTextTable *>(frame)) {
            p.room = 0;
            return p;
        }
        const QTextFrameFormat f = frame->frameFormat();
        p.room -=
            positive(f.leftMargin()) + positive(f.rightMargin()) + 2 * positive(f.padding()) + 2 * positive(f.border());
        if (f.width().type() == QTextLength::FixedLength)
            p.room = std::min(p.room, f.width().rawValue());
        else if (f.width().type() == QTextLength::PercentageLength)
            p.room = std::min(p.room, p.room * f.width().rawValue() / 100);
    }
    return p;
}

qreal TextHeightMeasure::lineHeight(const QTextBlockFormat &f, qreal raw)
{
    const qreal given = f.lineHeight();
    if (!std::isfinite(given))
        return raw;
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        return std::max(raw, raw * given / 100);
    case QTextBlockFormat::FixedHeight:
    case QTextBlockFormat::MinimumHeight:
        return std::max(raw, given);
    case QTextBlockFormat::LineDistanceHeight:
        return raw + positive(given);
    default:
        return raw;
    }
}

qreal TextHeightMeasure::tabStop(const QTextBlockFormat &f) const
{
    qreal stop = std::max<qreal>(80, positive(m_doc.defaultTextOption().tabStopDistance()));
    for (const QTextOption::Tab &tab : f.tabPositions())
        stop = std::max(stop, positive(tab.position));
    return stop;
}

qreal TextHeightMeasure::advance(Metrics &m, char16_t c)
{
    qreal &a = m.advance[c];
    if (a >= 0)
        return a;
    const QChar ch(c);
    qreal width = m.font.horizontalAdvance(ch);
    // Shown in capitals, a letter may be wider than typed.
    if (m.capitals)
        width = std::max(width, m.font.horizontalAdvance(QString(ch).toUpper()));
    width = width * m.letterScale + m.letterSpacing;
    if (ch.isSpace())
        width += m.wordSpacing;
    // A character of no width still takes a line of its own where there is
    // no room at all.
    a = std::max<qreal>(1.0, width);
    return a;
}

qreal TextHeightMeasure::add(Paragraph &p, QStringView text, const QTextCharFormat &format)
{
    Metrics &m = metrics(format);
    const qreal before = height(p);
    qreal raw = m.lineSpacing, line = lineHeight(p.format, raw);
    qreal tab = -1;
    bool fallback = false;
    p.tallest = std::max(p.tallest, raw);
    const qreal linesBefore = p.lines;
    p.lines += line;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x2028) {
            p.lines += line;
            p.characters += 1;
        } else if (u == QChar::ParagraphSeparator) {
            const qreal wrapped = height(p) - p.lines - p.ended;
            p.ended += wrapped;
            p.advance = p.characters = p.pictures = p.pictureCount = 0;
            p.tallest = raw;
            p.lines += line;
        } else {
            p.characters += 1;
            if (!fallback && u >= 256 && c.category() != QChar::Other_Format && !m.primary.supportsCharacter(c)) {
                // A character from another font may make each line taller.
                fallback = true;
                if (m.fallbackLine < 0)
                    m.fallbackLine = std::ceil(fallbackLineRatio() * QFontInfo(m.fontAsked).pixelSize()) + 1;
                if (m.fallbackLine > raw && line > 0) {
                    p.lines += (p.lines - linesBefore) / line * (lineHeight(p.format, m.fallbackLine) - line);
                    raw = m.fallbackLine;
                    line = lineHeight(p.format, raw);
                    p.tallest = std::max(p.tallest, raw);
                }
            }
            if (u == u'\t') {
                if (tab < 0)
                    tab = tabStop(p.format);
                p.advance += tab;
            } else {
                p.advance += u < 256 ? advance(m, u) : m.widest;
            }
        }
    }
    return height(p) - before;
}

qreal TextHeightMeasure::addPicture(Paragraph &p, const QTextImageFormat &picture, int count)
{
    const qreal before = height(p);
    const bool hasWidth = picture.hasProperty(QTextFormat::ImageWidth),
               hasHeight = picture.hasProperty(QTextFormat::ImageHeight);
    qreal width = positive(picture.width()), height = positive(picture.height());
    if (!hasWidth || !hasHeight) {
        // Laid out at its own size, or scaled to the one side given.
        const QSizeF own = pictureSize(picture.name());
        if (!hasWidth)
            width = hasHeight ? (own.height() > 0 ? height * own.width() / own.height() : own.width()) : own.width();
        if (!hasHeight)
            height = hasWidth ? (own.width() > 0 ? width * own.height() / own.width() : own.height()) : own.height();
    }
    p.tallest = std::max(p.tallest, lineSpacing(picture));
    p.pictures += count * lineHeight(p.format, std::ceil(height));
    p.pictureCount += count;
    p.advance += count * width;
    p.characters += count;
    return this->height(p) - before;
}

QSizeF TextHeightMeasure::pictureSize(const QString &name)
{
    if (const auto found = m_pictures.find(name); found != m_pictures.end())
        return found->second;
    // What the layout shows when it finds no picture of that name is
    // smaller than this.
    QSizeF size(32, 32);
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(name));
    QImage image;
    if (resource.userType() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.userType() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else if (resource.userType() == QMetaType::QByteArray)
        image.loadFromData(resource.toByteArray());
    if (!image.isNull())
        size = QSizeF(image.width(), image.height()) / std::max<qreal>(1.0, image.devicePixelRatio());
    if (m_pictures.size() >= MaxMeasured)
        m_pictures.clear();
    m_pictures.emplace(name, size);
    return size;
}

qreal TextHeightMeasure::height(const Paragraph &p) const
{
    const qreal wraps = p.room >= 1 ? std::min(2 * p.advance / p.room, p.characters) : p.characters;
    const qreal tallest = lineHeight(p.format, p.tallest);
    return p.ended + p.lines + wraps * tallest + p.pictures + p.pictureCount * tallest;
}

qreal TextHeightMeasure::lineSpacing(const QTextCharFormat &format) { return metrics(format).lineSpacing; }

qreal TextHeightMeasure::spacing(const QTextBlockFormat &f)
{
    return positive(f.topMargin()) + positive(f.bottomMargin());
}

qreal TextHeightMeasure::frameHeight() const { return framesHeight(*m_doc.rootFrame()); }

size_t TextHeightMeasure::FontHash::operator()(const QFont &f) const noexcept { return qHash(f); }

// Measured once per font and size: a document may change its font at every
// word, but holds few fonts and sizes.
TextHeightMeasure::Metrics &TextHeightMeasure::metrics(const QTextCharFormat &format)
{
    QFont font = format.font().resolve(m_defaultFont);
    // The size a size adjustment gives, as the document gives it, in place
    // of the size the format names.
    if (format.hasProperty(QTextFormat::FontSizeAdjustment)) {
        const qreal scale =
            SizeAdjustments[std::size_t(std::clamp(format.intProperty(QTextFormat::FontSizeAdjustment) + 2, 0, 6))];
        if (m_defaultFont.pointSizeF() > 0)
            font.setPointSizeF(std::max(font.pointSizeF(), scale * m_defaultFont.pointSizeF()));
        else
            font.setPixelSize(std::max(font.pixelSize(), qRound(scale * m_defaultFont.pixelSize())));
    }
    if (const auto found = m_metrics.find(font); found != m_metrics.end())
        return found->second;
    if (m_metrics.size() >= MaxMeasured)
        m_metrics.clear();
    Metrics m(font);
    m.fontAsked = font;
    m.primary = QRawFont::fromFont(font);
    // A line of nothing but a break takes the height of the document's own
    // font when that is taller; the layout rounds a line's height up.
    m.lineSpacing =
        std::ceil(std::max({m.font.lineSpacing(), m.font.height(), m_plain.lineSpacing(), m_plain.height()}));
    m.widest = std::max(m.font.maxWidth(), 2 * m.font.height());
    // Letter spacing widens every character, word spacing a space.
    const qreal letters = font.letterSpacing();
    if (font.letterSpacingType() == QFont::AbsoluteSpacing)
        m.letterSpacing = positive(letters);
    else if (letters > 100)
        m.letterScale = letters / 100;
    m.wordSpacing = positive(font.wordSpacing());
    m.capitals = font.capitalization() != QFont::MixedCase;
    m.widest = m.widest * m.letterScale + m.letterSpacing + m.wordSpacing;
    return m_metrics.emplace(font, std::move(m)).first->second;
}

std::vector<int> longWordBreaks(const QTextDocument &doc)
{
    std::vector<int> at;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.size() <= MaxWordLength)
            continue;
        int word = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (endsWord(c.unicode())) {
                word = 0;
            } else if (word >= MaxWordLength && !c.isLowSurrogate()) {
                at.push_back(block.position() + int(i));
                word = 1;
            } else {
                ++word;
            }
        }
    }
    return at;
}

namespace {

// The pieces of a paragraph as the layout sees them: pieces whose formats
// differ only in the mark of an inserted break are one run of text, measured
// as one, so the breaks in a long word add no line of their own.
class Runs {
public:
    Runs(TextHeightMeasure &measure, TextHeightMeasure::Paragraph &p) : m_measure(measure), m_p(p) {}
    void text(QStringView text, QTextCharFormat format)
    {
        if (isInsertedBreak(format))
            format = withoutBreakMark(format);
        if (!m_text.isEmpty() && !(format == m_format))
            flush();
        m_format = format;
        m_text += text;
    }
    void picture(const QTextImageFormat &picture, int count)
    {
        flush();
        m_measure.addPicture(m_p, picture, count);
    }
    // Adds what of `fragment` lies outside [skipFrom, skipTo); true when that
    // is anything.
    bool fragment(const QTextFragment &fragment, int skipFrom, int skipTo)
    {
        const int from = fragment.position(), to = from + fragment.length();
        QString text = fragment.text();
        const int cutFrom = std::clamp(skipFrom, from, to), cutTo = std::clamp(skipTo, from, to);
        if (cutTo > cutFrom)
            text.remove(cutFrom - from, cutTo - cutFrom);
        if (text.isEmpty())
            return false;
        if (const QTextCharFormat format = fragment.charFormat(); format.isImageFormat())
            picture(format.toImageFormat(), int(text.size()));
        else
            this->text(text, format);
        return true;
    }
    void flush()
    {
        if (m_text.isEmpty())
            return;
        m_measure.add(m_p, m_text, m_format);
        m_text.clear();
    }

private:
    TextHeightMeasure &m_measure;
    TextHeightMeasure::Paragraph &m_p;
    QString m_text;
    QTextCharFormat m_format;
};

}  // namespace

qreal textHeightBound(const QTextDocument &doc, int skipFrom, int skipTo)
{
    TextHeightMeasure measure(doc);
    qreal height = measure.frameHeight();
    TextHeightMeasure::Paragraph p;
    bool joining = false, measured = false;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int blockStart = block.position();
        if (!joining) {
            p = measure.paragraph(block);
            height += TextHeightMeasure::spacing(p.format);
            measured = false;
        }
        Runs runs(measure, p);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            measured = runs.fragment(it.fragment(), skipFrom, skipTo) || measured;
        }
        runs.flush();
        // A selection over the end of the paragraph joins it to the next.
        const int end = blockStart + block.length() - 1;
        joining = skipFrom <= end && end < skipTo && block.next().isValid();
        if (joining)
            continue;
        if (!measured)
            height += TextHeightMeasure::lineHeight(p.format, measure.lineSpacing(block.charFormat()));
        height += measure.height(p);
    }
    return height;
}

namespace {

// The paragraph that `cursor`'s selection leaves: from the start of the
// paragraph it starts in to the end of the one it ends in, without it.
TextHeightMeasure::Paragraph around(TextHeightMeasure &measure, const QTextCursor &cursor)
{
    const QTextDocument &doc = *cursor.document();
    const int skipFrom = cursor.selectionStart(), skipTo = cursor.selectionEnd();
    const QTextBlock first = doc.findBlock(skipFrom), last = doc.findBlock(skipTo);
    TextHeightMeasure::Paragraph p = measure.paragraph(first);
    Runs runs(measure, p);
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            runs.fragment(it.fragment(), skipFrom, skipTo);
        }
        runs.flush();
        if (block == last)
            break;
    }
    return p;
}

}  // namespace

qreal textHeightTyped(const QTextCursor &cursor, QStringView text, const QTextCharFormat &format)
{
    TextHeightMeasure measure(*cursor.document());
    TextHeightMeasure::Paragraph p = around(measure, cursor);
    // Text of another format typed inside a piece of text splits it in two.
    qreal split = 0;
    const QTextBlock block = cursor.block();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.position() < cursor.selectionStart()
            && cursor.selectionEnd() < fragment.position() + fragment.length() && fragment.charFormat() != format)
            split = TextHeightMeasure::lineHeight(p.format, measure.lineSpacing(fragment.charFormat()));
    }
    // A new paragraph takes its spacing more.
    return measure.add(p, text, format) + split + TextHeightMeasure::spacing(cursor.blockFormat());
}

qreal textHeightJoined(const QTextCursor &cursor, const QTextDocument &inserted)
{
    TextHeightMeasure measure(*cursor.document());
    const TextHeightMeasure::Paragraph p = around(measure, cursor);
    qreal tallest = p.tallest;
    TextHeightMeasure other(inserted);
    for (QTextBlock block = inserted.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            tallest = std::max(tallest, other.lineSpacing(it.fragment().charFormat()));
    const QTextBlockFormat formats[] = {p.format, inserted.begin().blockFormat(), inserted.lastBlock().blockFormat()};
    qreal line = 0;
    for (const QTextBlockFormat &f : formats)
        line = std::max(line, TextHeightMeasure::lineHeight(f, tallest));
    // Where the inserted text begins and where it ends, a line may hold both
    // texts, and the line after it go on from a wrap in it.
    return 4 * line;
}

}  // namespace mostarium
