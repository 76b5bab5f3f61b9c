#include "frmAantekeningen.h"

#include "TwipsPlace.h"

#include "core/Cp1252.h"
#include "core/RecipeFile.h"
#include "core/WholeFile.h"
#include "core/Session.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <vector>

namespace mostarium {

namespace {

// The box holds "\n"; the recipe keeps its line breaks as CR LF. Every
// character that starts a new line in a text document is a line break: CR LF,
// CR, the line and paragraph separators and Qt's frame marks.
QString toBox(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar &ch : text)
        if (ch == u'\r' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator || ch == QChar(0xFDD0)
            || ch == QChar(0xFDD1))
            ch = u'\n';
    return text;
}

QString fromBox(QString text)
{
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

// Blanks off both ends; line breaks there stay.
QString trimBlanks(const QString &text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == u' ')
        ++from;
    while (to > from && text[to - 1] == u' ')
        --to;
    return text.mid(from, to - from);
}

// Set on the line that continues the piece before it: the break between them
// is the box's own, not a line break of the text. Deleting that break deletes
// the mark with it, as a line keeps the format of the break that starts it.
constexpr int ContinuesPiece = QTextFormat::UserProperty + 1;

bool continuesPiece(const QTextBlock &b) { return b.blockFormat().boolProperty(ContinuesPiece); }

// The format of a line the brewer starts: never a continuation.
QTextBlockFormat ownLine(QTextBlockFormat f)
{
    f.clearProperty(ContinuesPiece);
    return f;
}

// Where the piece that starts at `from` ends: after the last blank of its
// second half, else at its full length (never inside a surrogate pair).
qsizetype pieceEnd(QStringView text, qsizetype from)
{
    const qsizetype end = from + LimitedTextEdit::PieceLength;
    if (end >= text.size())
        return text.size();
    for (qsizetype i = end; i > from + LimitedTextEdit::PieceLength / 2; --i)
        if (text[i - 1] == u' ')
            return i;
    return text[end - 1].isHighSurrogate() ? end - 1 : end;
}

}  // namespace

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_max(maxLength)
{
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void LimitedTextEdit::setNotesText(const QString &given)
{
    const QString text = toBox(given);
    // The pieces go in as lines; the lines that continue a piece are marked
    // afterwards, in one step that the brewer cannot undo.
    QString shown;
    shown.reserve(text.size() + text.size() / (PieceLength / 2) + 1);
    std::vector<int> continuing;
    int line = 0;
    qsizetype from = 0;
    while (true) {
        qsizetype lineEnd = text.indexOf(u'\n', from);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView paragraph = QStringView(text).mid(from, lineEnd - from);
        for (qsizetype at = 0; at < paragraph.size();) {
            const qsizetype end = pieceEnd(paragraph, at);
            if (at > 0) {
                shown += u'\n';
                continuing.push_back(++line);
            }
            shown += paragraph.mid(at, end - at);
            at = end;
        }
        if (lineEnd == text.size())
            break;
        shown += u'\n';
        ++line;
        from = lineEnd + 1;
    }
    QPlainTextEdit::setPlainText(shown);
    if (continuing.empty())
        return;
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor c(doc);
    c.beginEditBlock();
    for (const int n : continuing) {
        const QTextBlock b = doc->findBlockByNumber(n);
        c.setPosition(b.position());
        QTextBlockFormat f = b.blockFormat();
        f.setProperty(ContinuesPiece, true);
        c.setBlockFormat(f);
    }
    c.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    doc->setModified(false);
}

QString LimitedTextEdit::textBetween(int from, int to) const
{
    QString out;
    if (to <= from)
        return out;
    out.reserve(to - from);
    const QTextDocument *doc = document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        // The break before this line, when it lies in the range.
        const int breakAt = b.position() - 1;
        if (breakAt >= from && breakAt < to && !continuesPiece(b))
            out += u'\n';
        const int start = std::max(from, b.position());
        const int end = std::min(to, b.position() + b.length() - 1);
        if (end > start)
            out += QStringView(b.text()).mid(start - b.position(), end - start);
    }
    // A line separator inside a line (as QPlainTextEdit::insertPlainText
    // leaves one) shows as a line break and is one; every other character,
    // the non-breaking space among them, stays as it is.
    for (QChar &c : out)
        if (c == QChar::LineSeparator)
            c = u'\n';
    return out;
}

QString LimitedTextEdit::notesText() const { return textBetween(0, document()->characterCount() - 1); }

QString LimitedTextEdit::selectedText() const
{
    const QTextCursor c = textCursor();
    return textBetween(c.selectionStart(), c.selectionEnd());
}

int LimitedTextEdit::lengthOf(const QString &text)
{
    int n = int(text.size());
    for (QChar c : text)
        if (c == u'\n' || c == QChar::ParagraphSeparator)
            ++n;
    return n;
}

int LimitedTextEdit::length() const { return lengthOf(notesText()); }

int LimitedTextEdit::room() const { return m_max - (length() - lengthOf(selectedText())); }

void LimitedTextEdit::insertLines(const QString &text)
{
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.removeSelectedText();
    qsizetype from = 0;
    while (true) {
        const qsizetype end = text.indexOf(u'\n', from);
        c.insertText(text.mid(from, end < 0 ? -1 : end - from));
        if (end < 0)
            break;
        c.insertBlock(ownLine(c.blockFormat()), c.charFormat());
        from = end + 1;
    }
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *e)
{
    QString typed;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & Qt::ControlModifier))
        typed = QStringLiteral("\n");
    else if (!e->text().isEmpty() && e->text()[0].isPrint())
        typed = e->text();
    if (!typed.isEmpty() && lengthOf(typed) > room()) {
        e->accept();
        return;
    }
    if (!isReadOnly() && stepsOverPieceBreak(e))
        return;
    if (typed == QLatin1String("\n") && !isReadOnly()) {
        // A line of its own, also inside a piece of a long line.
        insertLines(typed);
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

bool LimitedTextEdit::stepsOverPieceBreak(QKeyEvent *e)
{
    // Backspace at the start of a piece, or Delete at the end of the one
    // before the next piece, takes the character beyond the break: the break
    // itself is no character of the text.
    QTextCursor c = textCursor();
    if (c.hasSelection() || e->modifiers() != Qt::NoModifier)
        return false;
    const QTextBlock b = c.block();
    if (e->key() == Qt::Key_Backspace && c.atBlockStart() && continuesPiece(b))
        c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, 2);
    else if (e->key() == Qt::Key_Delete && c.atBlockEnd() && b.next().isValid() && continuesPiece(b.next()))
        c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 2);
    else
        return false;
    c.removeSelectedText();
    setTextCursor(c);
    e->accept();
    return true;
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    const QString text = toBox(source->text());
    // As much of the text as fits; a line break needs room for two.
    int left = room();
    qsizetype n = 0;
    for (; n < text.size(); ++n) {
        const int cost = text[n] == u'\n' ? 2 : 1;
        if (cost > left)
            break;
        left -= cost;
    }
    if (n > 0)
        insertLines(text.left(n));
}

QMimeData *LimitedTextEdit::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedText());
    return data;
}

frmAantekeningen::frmAantekeningen(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmAantekeningen"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Aantekeningen"));

    auto *frame = new QGroupBox(QStringLiteral(" Aantekeningen "), this);
    frame->setObjectName(QStringLiteral("fraAantekeningen"));
    placeTwips(frame, 120, 120, 6600, 3600);

    auto *lead = new QLabel(QStringLiteral("Voeg aantekening toe, maximaal 250 karakters"), frame);
    lead->setObjectName(QStringLiteral("lblAanT_Aantekening"));
    placeTwips(lead, 120, 300, 6360, 255);

    m_text = new LimitedTextEdit(250, frame);
    m_text->setObjectName(QStringLiteral("txtAantekeningen"));
    placeTwips(m_text, 120, 600, 6360, 2160);

    m_counter = new QLabel(QStringLiteral("Aantal Karakters over"), frame);
    m_counter->setObjectName(QStringLiteral("lblAanT_Karakters"));
    placeTwips(m_counter, 120, 2820, 6360, 255);

    m_inRecept = new QCheckBox(QStringLiteral("Zet de aantekeningen op het bierrecept."), frame);
    m_inRecept->setObjectName(QStringLiteral("chkAantekeningen"));
    placeTwips(m_inRecept, 120, 3180, 6360, 285);

    ClickLabel *help = helpPicture(QStringLiteral("MI_R_Aantekeningen.htm"));
    help->setObjectName(QStringLiteral("picAantekeningen_Help"));
    placeTwips(help, 120, 3860, 480, 480);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdAanT_OK"));
    placeTwips(ok, 4200, 3900, 1200, 400);
    auto *cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdAant_Annuleren"));
    placeTwips(cancel, 5520, 3900, 1200, 400);
    connect(ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);

    setFixedSize(layout::px(6840), layout::px(4540));

    // Form_Load.
    takeMainColours();
    ShowAantekeningen();
    connect(m_text, &QPlainTextEdit::textChanged, this, &frmAantekeningen::txtAantekeningen_Change);
}

void frmAantekeningen::ShowAantekeningen()
{
    const RecipeState &r = m_s.recipe;
    m_inRecept->setChecked(r.InRecept == 1);
    m_text->setNotesText(r.Aantekening);
    m_shown = m_text->notesText();
    // Setting a text is its first change; an empty one changes nothing.
    if (!r.Aantekening.isEmpty())
        txtAantekeningen_Change();
}

void frmAantekeningen::txtAantekeningen_Change()
{
    const int left = std::max(0, m_text->maxLength() - m_text->length());
    m_counter->setText(QString::number(left) + QStringLiteral(" karakters voor aantekeningen over"));
}

void frmAantekeningen::StoreAantekeningen()
{
    RecipeState &r = m_s.recipe;
    const QString oldText = r.Aantekening;
    const std::int16_t oldInRecept = r.InRecept;
    r.InRecept = m_inRecept->isChecked() ? 1 : 0;
    // Notes left as they were shown stay as the recipe holds them, character
    // for character; an edit is kept as typed, blanks off its ends.
    const QString boxText = m_text->notesText();
    if (boxText != m_shown)
        r.Aantekening = trimBlanks(cp1252::storable(fromBox(boxText)));
    // The box shows what is kept.
    if (toBox(r.Aantekening) != boxText)
        m_text->setNotesText(r.Aantekening);
    m_shown = m_text->notesText();
    // A change that did not reach the recipe file is one the next Save must write.
    const bool changed = r.Aantekening != oldText || r.InRecept != oldInRecept;
    QString why;
    const KeysSaved saved = SaveAantekeningen(m_s, &why);
    if (saved == KeysSaved::Failed)
        showNotWritten(m_s.app.fileName, why);
    if (saved != KeysSaved::Written && changed)
        r.ReceptGewijzigd = true;
}

}  // namespace mostarium
