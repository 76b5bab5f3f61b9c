#include "EntryListDialog.h"

#include "TwipsPlace.h"

#include "core/LinkFiles.h"
#include "core/ScheduleDisplay.h"
#include "core/Session.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace mostarium {

namespace {

constexpr int FrameLeft[2] = {180, 6360};
constexpr int FrameWidth = 6000, FrameHeight = 2460, RowGap = 420;
constexpr int ButtonWidth = 1200, ButtonHeight = 400;
constexpr int OkLeft = 3480, CancelLeft = 4800;

}  // namespace

EntryListDialog::EntryListDialog(const Names &names, Table1D<QString> RecipeState::*entries, int bit, Session &s,
                                 Services &svc, QWidget *parent)
    : RecipeDialog(QLatin1String(names.window), s, svc, parent), m_entries(entries), m_bit(bit), m_names(names)
{
    setWindowTitle(QString::fromLatin1(names.caption));

    const char *const frameNames[2] = {names.frame1, names.frame2};
    const char *const labelNames[2] = {names.label1, names.label2};
    const char *const boxNames[2] = {names.box1, names.box2};
    for (int b = 0; b < 2; ++b) {
        m_frame[b] = new QGroupBox(b == 0 ? QStringLiteral(" (dik)bier ") : QStringLiteral(" dunbier "), this);
        m_frame[b]->setObjectName(QLatin1String(frameNames[b]));
        placeTwips(m_frame[b], FrameLeft[b], names.frameTop, FrameWidth, FrameHeight);
        for (int i = 0; i < 5; ++i) {
            const int top = 300 + i * RowGap;
            auto *label = new QLabel(QLatin1String(names.labelWord) + QString::number(i + 1) + u':', m_frame[b]);
            label->setObjectName(QLatin1String(labelNames[b]) + u'_' + QString::number(i));
            placeTwips(label, 120, top + 30, 900, 285);
            m_box[b][i] = new QLineEdit(m_frame[b]);
            m_box[b][i]->setObjectName(QLatin1String(boxNames[b]) + u'_' + QString::number(i));
            placeTwips(m_box[b][i], 1080, top, 4740, 315);
        }
    }

    const int buttonTop = names.frameTop + FrameHeight + 180;
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QLatin1String(names.ok));
    m_ok->setDefault(true);
    placeTwips(m_ok, OkLeft, buttonTop, ButtonWidth, ButtonHeight);
    m_cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    m_cancel->setObjectName(QLatin1String(names.cancel));
    placeTwips(m_cancel, CancelLeft, buttonTop, ButtonWidth, ButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);

    ClickLabel *help = helpPicture(QLatin1String(names.topic));
    help->setObjectName(QLatin1String(names.help));
    placeTwips(help, FrameLeft[0], buttonTop - 40, 480, 480);

    setFixedHeight(layout::px(buttonTop + ButtonHeight + 240));
}

void EntryListDialog::Form_Load()
{
    takeMainColours();
    m_loadedDubbel = dubbel();
    layoutFor(m_loadedDubbel);
    const Table1D<QString> &e = m_s.recipe.*m_entries;
    for (int b = 0; b < (m_loadedDubbel ? 2 : 1); ++b)
        for (int i = 0; i < 5; ++i)
            if (e.has(b * 5 + i))
                loadText(m_box[b][i], e(b * 5 + i));
}

void EntryListDialog::layoutFor(bool db)
{
    m_width = db ? m_names.wideWidth : m_names.narrowWidth;
    if (db) {
        m_ok->move(layout::px(FrameLeft[0] + FrameWidth - ButtonWidth), m_ok->y());
        m_cancel->move(layout::px(FrameLeft[1]), m_cancel->y());
    }
    setFixedWidth(clientPx(m_width));
    // Beyond the right edge the second beer's boxes would still take the focus.
    m_frame[1]->setVisible(db);
}

void EntryListDialog::store()
{
    Table1D<QString> &e = m_s.recipe.*m_entries;
    if (e.ubound() < 10)
        e.redimPreserve(10);
    const Table1D<QString> before = e;
    // Boxes that were never filled (loaded in a single brew) do not overwrite
    // the second beer's entries.
    const bool db = dubbel() && m_loadedDubbel;
    for (int b = 0; b < (db ? 2 : 1); ++b)
        for (int i = 0; i < 5; ++i)
            e(b * 5 + i) = keptText(m_box[b][i]);

    bool any = false;
    for (int i = 0; i <= 9; ++i) {
        if (!e(i).isEmpty()) {
            any = true;
            m_s.recipe.ReceptGewijzigd = true;
            ShowBrouwschema(m_s);
            m_s.recipe.setStatus(m_bit);
        }
    }
    // Emptied entries are a change too, or the file would keep the old ones.
    if (!any && !(e == before))
        m_s.recipe.ReceptGewijzigd = true;
}

void EntryListDialog::afterStore() { m_s.viewChanged(); }

// The additions.

frmToevoegingen::frmToevoegingen(Session &s, Services &svc, QWidget *parent)
    : EntryListDialog({"frmToevoegingen", "Toevoegingen (kruiden/specerijen/anders)", "fraToeV", "fraToeV2", "lblToeV",
                       "lblToeV2", "txtToev", "txtToev2", "#", "cmdToeVOK", "cmdToeVAnnuleer", "picToevHelp",
                       "MI_R_Toevoegingen.htm", 6315, 12630, 120},
                      &RecipeState::Toevoegingen, StatusToevoegingen, s, svc, parent)
{
    Form_Load();
}

QString frmToevoegingen::successor() const
{
    // In the wizard the yeasts follow, whatever the brew mode.
    return m_s.app.wizardActief ? QStringLiteral("frmGistKeuze") : QString();
}

// The yeasts.

namespace {
InternetShortCut yeastLink()
{
    for (const InternetShortCut &row : internetShortCuts())
        if (row.fileName == YeastLinkFile)
            return row;
    return {YeastLinkFile, QString()};
}
}  // namespace

frmGistKeuze::frmGistKeuze(Session &s, Services &svc, QWidget *parent)
    : EntryListDialog({"frmGistKeuze", "Gistkeuze", "fraGKDikBier", "fraGKDunBier", "lblGKGist", "lblGKGist2",
                       "txtGKgist", "txtGKgist2", "gist #", "cmdGKOK", "cmdGKAnnuleer", "picGKHelp",
                       "MI_R_Gistkeuze.htm", 6400, 12795, 480},
                      &RecipeState::Gistkeuze, StatusGistkeuze, s, svc, parent)
{
    auto *url = new ClickLabel(this);
    url->setObjectName(QStringLiteral("lblGKURL"));
    url->setText(QUrl(yeastLink().address).host());
    url->setCursor(Qt::PointingHandCursor);
    QFont f = url->font();
    f.setUnderline(true);
    url->setFont(f);
    url->onClick = [this] { lblGKURL_Click(); };
    url->adjustSize();
    url->move(0, layout::px(120));
    m_url = url;

    Form_Load();

    // Blue after the main colours, which would otherwise stay on the label.
    QPalette p = url->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    url->setPalette(p);
}

void frmGistKeuze::layoutFor(bool db)
{
    EntryListDialog::layoutFor(db);
    // Centred in either width.
    if (m_url)
        m_url->move(clientPx(dialogWidth()) / 2 - m_url->width() / 2, m_url->y());
}

void frmGistKeuze::afterStore()
{
    EntryListDialog::afterStore();
    m_s.app.wizardActief = false;
}

void frmGistKeuze::lblGKURL_Click()
{
    const InternetShortCut link = yeastLink();
    openSiteLinkOrShowNotWritten(link.fileName, link.address);
}

}  // namespace mostarium
