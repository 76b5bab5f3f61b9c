#include "TextHeight.h"

#include "InsertedBreaks.h"

#include <QHashFunctions>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>
#include <algorithm>
#include <cmath>

namespace mostarium {

namespace {

// Qt's default distance between tab stops, the most a tab advances.
constexpr qreal DefaultTabStop = 80;
// Fonts measured before the measure starts again, which keeps its memory small.
constexpr std::size_t MaxMeasured = 4096;

}  // namespace

TextHeightMeasure::TextHeightMeasure(const QTextDocument &doc)
    : m_defaultFont(doc.defaultFont()), m_margin(doc.documentMargin()), m_plain(doc.defaultFont())
{}

qreal TextHeightMeasure::text(QStringView text, const QTextCharFormat &format, const QTextBlockFormat &block)
{
    Metrics &m = metrics(format);
    const qreal room = std::max<qreal>(1.0, NarrowestTextWidth - 2 * m_margin - std::max(0.0, block.leftMargin())
                                                - std::max(0.0, block.rightMargin()) - std::abs(block.textIndent()));
    qreal advance = 0, lines = 1;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x2028 || u == QChar::ParagraphSeparator) {
            lines += 1;
        } else if (u == '\t') {
            advance += DefaultTabStop;
        } else if (u < 256) {
            qreal &a = m.advance[u];
            if (a < 0)
                // A character of no width still takes a line of its own where
                // there is no room at all.
                a = std::max<qreal>(1.0, m.font.horizontalAdvance(c));
            advance += a;
        } else {
            advance += m.widest;
        }
    }
    return (lines + 2 * advance / room) * m.lineSpacing;
}

qreal TextHeightMeasure::lineSpacing(const QTextCharFormat &format) { return metrics(format).lineSpacing; }

qreal TextHeightMeasure::spacing(const QTextBlockFormat &f)
{
    return std::max(0.0, f.topMargin()) + std::max(0.0, f.bottomMargin());
}

size_t TextHeightMeasure::KeyHash::operator()(const Key &k) const noexcept
{
    return qHashMulti(0, k.families, k.pointSize, k.pixelSize, k.weight, k.italic, k.letterSpacing, k.wordSpacing,
                      k.stretch, k.capitalization);
}

// Measured once per font and size: a document may change its font at every
// word, but holds few fonts and sizes.
TextHeightMeasure::Metrics &TextHeightMeasure::metrics(const QTextCharFormat &format)
{
    const Key key{format.fontFamilies().toStringList().join(QLatin1Char(',')),
                  format.fontPointSize(),
                  format.fontLetterSpacing(),
                  format.fontWordSpacing(),
                  format.intProperty(QTextFormat::FontPixelSize),
                  format.fontWeight(),
                  format.fontStretch(),
                  int(format.fontCapitalization()),
                  format.fontItalic()};
    if (const auto found = m_metrics.find(key); found != m_metrics.end())
        return found->second;
    if (m_metrics.size() >= MaxMeasured)
        m_metrics.clear();
    Metrics m(format.font().resolve(m_defaultFont));
    // A line of nothing but a break takes the height of the document's own
    // font when that is taller.
    m.lineSpacing = std::max({m.font.lineSpacing(), m.font.height(), m_plain.lineSpacing(), m_plain.height()});
    m.widest = std::max(m.font.maxWidth(), 2 * m.font.height());
    return m_metrics.emplace(key, std::move(m)).first->second;
}

qreal textHeightBound(const QTextDocument &doc, int skipFrom, int skipTo)
{
    TextHeightMeasure measure(doc);
    qreal height = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int blockStart = block.position();
        const QTextBlockFormat format = block.blockFormat();
        height += TextHeightMeasure::spacing(format);
        bool measured = false;
        // A break inserted into a long word is the word's format with a mark:
        // it is measured with the text around it, as one run.
        QString run;
        QTextCharFormat runFormat;
        const auto measureRun = [&] {
            if (run.isEmpty())
                return;
            height += measure.text(run, runFormat, format);
            measured = true;
            run.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(fragment.position(), blockStart);
            const int to = fragment.position() + fragment.length();
            QString text = fragment.text();
            // Leave out the part of the fragment that lies in the skipped range.
            const int cutFrom = std::clamp(skipFrom, from, to), cutTo = std::clamp(skipTo, from, to);
            if (cutTo > cutFrom)
                text.remove(cutFrom - from, cutTo - cutFrom);
            if (text.isEmpty())
                continue;
            QTextCharFormat charFormat = fragment.charFormat();
            if (charFormat.isImageFormat()) {
                measureRun();
                const qreal line = measure.lineSpacing(charFormat);
                height += text.size() * (std::max(0.0, charFormat.toImageFormat().height()) + line);
                continue;
            }
            if (isInsertedBreak(charFormat))
                charFormat = withoutBreakMark(charFormat);
            if (!(charFormat == runFormat))
                measureRun();
            runFormat = charFormat;
            run += text;
        }
        measureRun();
        if (!measured)
            height += measure.lineSpacing(block.charFormat());
    }
    return height;
}

}  // namespace mostarium
