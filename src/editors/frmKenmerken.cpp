#include "frmKenmerken.h"

#include "TwipsPlace.h"

#include "core/Ini.h"
#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/RecipeFile.h"
#include "core/Session.h"
#include "core/WholeFile.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace mostarium {

namespace {

constexpr int Koolzuur = 6;
constexpr int RowTop = 360, RowGap = 420;

void setLabelColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

}  // namespace

const std::vector<frmKenmerken::Scale> &frmKenmerken::scales()
{
    static const std::vector<Scale> s = {
        {"Kleur",
         "Kleur:",
         {"bleek", "lichtblond", "blond", "geel", "goud", "amber koper", "donker koper", "bruin", "rood", "robijn rood",
          "zwart (doorschijnend)", "zwart (niet doorschijnend)"}},
        {"Helderheid",
         "Helderheid:",
         {"briljant", "briljant/helder", "helder", "helder/tweeschijn", "tweeschijn", "tweeschijn/mistig", "mistig",
          "mistig/troebel", "troebel", "troebel/melkachtig", "melkachtig"}},
        {"Schuim",
         "Schuim:",
         {"mousse", "mousse/slagroom", "slagroom", "slagroom/ongelijkmatig", "ongelijkmatig",
          "ongelijkmatig/grove bellen", "grove bellen"}},
        {"SchuimStabiliteit",
         "Schuimstabiliteit:",
         {"blijvende laag", "blijvende laag/laagje", "laagje", "laagje/ring", "ring", "ring/ringetje", "ringetje",
          "ringetje/cola-achtig", "cola-achtig"}},
        {"Body",
         "Body:",
         {"dun", "dun/medium", "medium", "medium/tamelijk vol", "tamelijk vol", "tamelijk vol/vol", "vol"}},
        {"MondGevoel",
         "Mondgevoel:",
         {"plakkend", "plakkerig", "droog", "branderig", "samentrekkend", "metaal", "wrang", "alcoholwarmend"}},
        {"Koolzuur",
         "Koolzuur:",
         {"weinig", "weinig/normaal", "normaal", "normaal/tamelijk veel", "tamelijk veel", "tamelijk veel/veel",
          "veel"}},
    };
    return s;
}

frmKenmerken::frmKenmerken(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmKenmerken"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Kenmerken"));

    const int frameHeight = RowTop + 7 * RowGap;
    auto *frame = new QGroupBox(QStringLiteral(" Waargenomen Kenmerken Eindresultaat Recept "), this);
    frame->setObjectName(QStringLiteral("fraKenmerken"));
    placeTwips(frame, 120, 120, 7800, frameHeight);

    for (int i = 0; i < 7; ++i) {
        const Scale &sc = scales()[std::size_t(i)];
        const QString tag = QLatin1String(sc.tag);
        const int top = RowTop + i * RowGap;
        m_caption[i] = new QLabel(QLatin1String(sc.caption), frame);
        m_caption[i]->setObjectName(QStringLiteral("lblKM_") + tag);
        placeTwips(m_caption[i], 120, top, 1680, 255);

        m_bar[i] = new QScrollBar(Qt::Horizontal, frame);
        m_bar[i]->setObjectName(QStringLiteral("hsbKM_") + tag);
        m_bar[i]->setRange(0, int(sc.words.size()) - 1);
        m_bar[i]->setSingleStep(1);
        m_bar[i]->setPageStep(1);
        // A bar takes the focus (by default it takes none), so that its
        // labels can show which scale the keys move.
        m_bar[i]->setFocusPolicy(Qt::StrongFocus);
        placeTwips(m_bar[i], 1860, top, 2700, 255);
        m_bar[i]->installEventFilter(this);

        m_word[i] = new QLabel(sc.words.first(), frame);
        m_word[i]->setObjectName(QStringLiteral("lblKM_") + tag + u'R');
        placeTwips(m_word[i], 4680, top, 3000, 255);

        connect(m_bar[i], &QScrollBar::valueChanged, this, [this, i](int p) { display(i, p); });
        // The word follows the thumb while it is dragged.
        connect(m_bar[i], &QScrollBar::sliderMoved, this, [this, i](int p) { display(i, p); });
    }

    const int buttonTop = 120 + frameHeight + 180;
    ClickLabel *help = helpPicture(QStringLiteral("MI_R_Kenmerken.htm"));
    help->setObjectName(QStringLiteral("picKMHelp"));
    help->setToolTip(QString());
    placeTwips(help, 120, buttonTop - 40, 480, 480);

    auto *opslaan = new QPushButton(QStringLiteral("&Opslaan"), this);
    opslaan->setObjectName(QStringLiteral("cmdKM_OpSlaan"));
    placeTwips(opslaan, 5280, buttonTop, 1200, 400);
    connect(opslaan, &QPushButton::clicked, this, &frmKenmerken::WriteKenmerken);
    auto *klaar = new QPushButton(QStringLiteral("&Klaar"), this);
    klaar->setObjectName(QStringLiteral("cmdKM_Annuleren"));
    placeTwips(klaar, 6600, buttonTop, 1200, 400);
    connect(klaar, &QPushButton::clicked, this, &WindowBase::unload);

    setFixedSize(layout::px(8040), layout::px(buttonTop + 400 + 240));
    Form_Load();
}

void frmKenmerken::Form_Load()
{
    takeMainColours();
    ReadKenmerken();
}

void frmKenmerken::display(int scale, int position)
{
    const QStringList &words = scales()[std::size_t(scale)].words;
    if (position >= 0 && position < words.size())
        m_word[scale]->setText(words[position]);
}

void frmKenmerken::ReadKenmerken()
{
    RecipeState &r = m_s.recipe;
    if (!r.hasStatus(StatusKenmerken))
        return;
    for (int i = 0; i < 7; ++i) {
        const QStringList &words = scales()[std::size_t(i)].words;
        // A scale without a word reads as its first word.
        const QString value = r.Kenmerken[i].isEmpty() ? words.first() : r.Kenmerken[i];
        const int p = int(words.indexOf(value));
        if (p < 0)
            continue;
        m_bar[i]->setValue(p);
        if (i == Koolzuur) {
            r.Kenmerken[i] = value;
            if (QString why; SaveKenmerk(m_s, i, &why) == KeysSaved::Failed)
                showNotWritten(m_s.app.fileName, why);
        }
    }
}

void frmKenmerken::WriteKenmerken()
{
    if (refuseWhileOptimising(m_s))
        return;
    RecipeState &r = m_s.recipe;
    const QString scratch = paths::file(QStringLiteral("temp/Kenmerken.ini"));
    QByteArray bytes;
    if (QFileInfo::exists(scratch))
        readWholeFile(scratch, MaxTextFileSize, bytes);
    const bool newBit = !r.hasStatus(StatusKenmerken);
    if (newBit)
        bytes = iniWithValue(bytes, QStringLiteral("ReceptStatus"), QStringLiteral("Status"),
                             QString::number(r.ReceptStatus | StatusKenmerken));
    std::array<QString, 7> words;
    for (int i = 0; i < 7; ++i) {
        words[std::size_t(i)] = scales()[std::size_t(i)].words[m_bar[i]->value()];
        bytes = iniWithValue(bytes, QStringLiteral("Kenmerken"), QString::fromLatin1(KenmerkenKeys[i]),
                             words[std::size_t(i)]);
    }
    // Each key is replaced where it stands; the file is written once. A
    // store that did not reach it changes nothing, so that no later step
    // copies words that were never stored.
    if (QString why; !writeWholeFile(scratch, bytes, &why)) {
        showNotWritten(scratch, why);
        return;
    }
    if (newBit)
        r.setStatus(StatusKenmerken);
    for (int i = 0; i < 7; ++i)
        r.Kenmerken[i] = words[std::size_t(i)];
    // The words are the recipe's now: a recipe file that did not take them
    // gets them with the next Save, which the changed flag asks for.
    if (QString why; SaveKenmerken(m_s, &why) == KeysSaved::Failed)
        showNotWritten(m_s.app.fileName, why);
    r.ReceptGewijzigd = true;
    m_s.recipeChanged();
}

bool frmKenmerken::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (int i = 0; i < 7; ++i) {
            if (watched != m_bar[i])
                continue;
            const QColor colour = event->type() == QEvent::FocusIn ? QColor(0, 0, 255) : QColor(0, 0, 0);
            setLabelColour(m_caption[i], colour);
            setLabelColour(m_word[i], colour);
        }
    }
    return WindowBase::eventFilter(watched, event);
}

}  // namespace mostarium
