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

namespace mostarium {

namespace {

// The box holds "\n"; the recipe keeps its line breaks as CR LF.
QString toBox(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString fromBox(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
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

}  // namespace

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_max(maxLength)
{
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int LimitedTextEdit::lengthOf(const QString &text)
{
    int n = int(text.size());
    for (QChar c : text)
        if (c == u'\n' || c == QChar::ParagraphSeparator)
            ++n;
    return n;
}

int LimitedTextEdit::length() const { return lengthOf(toPlainText()); }

int LimitedTextEdit::room() const { return m_max - (length() - lengthOf(textCursor().selectedText())); }

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
    QPlainTextEdit::keyPressEvent(e);
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
        insertPlainText(text.left(n));
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
    m_text->setPlainText(toBox(r.Aantekening));
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
    r.Aantekening = trimBlanks(cp1252::storable(fromBox(m_text->toPlainText())));
    // The box shows what is kept.
    if (toBox(r.Aantekening) != m_text->toPlainText())
        m_text->setPlainText(toBox(r.Aantekening));
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
