#include "frmWaterAanpassing.h"

#include "CalcCore.h"

#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "platform/Twips.h"
#include "platform/WindowRoutines.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace mostarium {

namespace {

struct ZoutNamen {
    const char *label, *hydraat, *schuif, *maximum;
};
const std::array<ZoutNamen, calc::ZoutAantal> zoutNamen{{
    {"lblCalciumSulfaat", "txtAQCaSO4", "fsbCaSO4", "txtWABereikCaSO4"},
    {"lblCalciumChloride", "txtAQCaCl2", "fsbCaCl2", "txtWABereikCaCl2"},
    {"lblCalciumCarbonaat", "txtAQCaCO3", "fsbCaCO3", "txtWABereikCaCO3"},
    {"lblMagnesiumSulfaat", "txtAQMgSO4", "fsbMgSO4", "txtWABereikMgSO4"},
    {"lblNatriumChloride", "txtAQNaCl", "fsbNaCl", "txtWABereikNaCl"},
    {"lblNatriumWaterstofCarbonaat", "txtAQNaHCO3", "fsbNaHCO3", "txtWABereikNaHCO3"},
}};

constexpr int GridRows = 3;  // below the header: ours, the result, the target

void centred(NumericEdit *box, int width, int maxLength)
{
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(maxLength);
    box->setFixedWidth(layout::px(width));
}

}  // namespace

frmWaterAanpassing::frmWaterAanpassing(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmWaterAanpassing"), QStringLiteral("Wateraanpassing"), s, svc, parent)
{
    // The water to adjust.
    QGroupBox *water = frame("fraWAWater", QStringLiteral(" Aan te passen water "));
    auto *waterLay = new QHBoxLayout(water);
    m_volume = input("txtWAVolume", NumericEdit::Kind::Decimal, water);
    m_percDemi = input("txtWAPercDemi", NumericEdit::Kind::Decimal, water);
    centred(m_volume, 600, 3);
    centred(m_percDemi, 600, 3);
    waterLay->addWidget(label("lblWAVolume", QStringLiteral("Volume (L):"), water));
    waterLay->addWidget(m_volume);
    waterLay->addSpacing(layout::px(600));
    waterLay->addWidget(label("lblWAPercDemi", QStringLiteral("Gedemineraliseerd water (%):"), water));
    waterLay->addWidget(m_percDemi);
    waterLay->addStretch(1);

    // The three profiles.
    QGroupBox *profielen = frame(
        "fraWAOnsProfiel", QStringLiteral(" Waterprofielen: aan te passen water, resultante en gewenst water (mg/L) "));
    auto *profielLay = new QHBoxLayout(profielen);
    m_grid = new QTableWidget(GridRows, calc::WaterKolommen, profielen);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < calc::WaterKolommen; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(r, c, item);
        }
    auto *buttons = new QVBoxLayout;
    auto *ons = button("cmdWAOnsProf", QStringLiteral("Ons profiel"), profielen);
    ons->setToolTip(QStringLiteral("Aan te passen water profiel."));
    auto *doel = button("cmdWAGewenstProf", QStringLiteral("Doel profiel"), profielen);
    doel->setToolTip(QStringLiteral("Gewenst water profiel."));
    // Each button stands beside the row it loads.
    buttons->setSpacing(0);
    buttons->addSpacing(layout::px(275));
    buttons->addWidget(ons);
    buttons->addStretch(1);
    buttons->addWidget(doel);
    profielLay->addWidget(m_grid);
    profielLay->addLayout(buttons);
    connect(ons, &QPushButton::clicked, this, [this] {
        LoadProfiel(1);
        BerekenWaterProfiel();
    });
    connect(doel, &QPushButton::clicked, this, [this] { LoadProfiel(3); });

    // The six salts.
    QGroupBox *aanpassing = frame("fraWAAanpassing", QStringLiteral(" Aanpassing "));
    auto *zoutGrid = new QGridLayout(aanpassing);
    zoutGrid->addWidget(label("lblWAMax", QStringLiteral("Maximum"), aanpassing), 0, 4, 1, 2, Qt::AlignLeft);
    for (int z = 0; z < calc::ZoutAantal; ++z) {
        const ZoutNamen &n = zoutNamen[std::size_t(z)];
        ZoutRij &rij = m_zout[std::size_t(z)];
        rij.label = label(n.label, calc::zoutLabel(calc::Zout(z), 0), aanpassing);
        // Wide enough for the most grams the slider gives under a three-digit maximum.
        rij.label->setMinimumWidth(
            std::max(layout::px(3400), rij.label->fontMetrics().size(0, calc::zoutLabel(calc::Zout(z), 999)).width()));
        rij.hydraat = input(n.hydraat, NumericEdit::Kind::Digits, aanpassing);
        centred(rij.hydraat, 400, 2);
        QLabel *aq = label(qPrintable(QStringLiteral("lblAQ_%1").arg(z)), QStringLiteral("aq"), aanpassing);
        aq->setToolTip(QStringLiteral("aantal molekulen water in zout"));
        rij.schuif = new QScrollBar(Qt::Horizontal, aanpassing);
        rij.schuif->setObjectName(QLatin1String(n.schuif));
        rij.schuif->setRange(0, 100);
        rij.schuif->setSingleStep(1);
        rij.schuif->setPageStep(10);
        rij.schuif->setMinimumWidth(layout::px(3000));
        rij.maximum = input(n.maximum, NumericEdit::Kind::Decimal, aanpassing);
        centred(rij.maximum, 600, 3);
        QLabel *gr = label(qPrintable(QStringLiteral("lblWAgr_%1").arg(z)), QStringLiteral("gr."), aanpassing);
        const int row = z + 1;
        zoutGrid->addWidget(rij.label, row, 0);
        zoutGrid->addWidget(rij.hydraat, row, 1);
        zoutGrid->addWidget(aq, row, 2);
        zoutGrid->addWidget(rij.schuif, row, 3);
        zoutGrid->addWidget(rij.maximum, row, 4);
        zoutGrid->addWidget(gr, row, 5);
        connect(rij.schuif, &QScrollBar::valueChanged, this, [this, z] { schuifChange(z); });
    }
    zoutGrid->setColumnStretch(3, 1);

    auto *ok = button("cmdWAOK", QStringLiteral("&OK"));
    connect(ok, &QPushButton::clicked, this, [this] {
        playCompute();
        unload();
    });
    auto *onder = new QHBoxLayout;
    onder->addWidget(help("picWAHelp", QStringLiteral("MI_T_Wateraanpassing.htm")));
    onder->addStretch(1);
    onder->addWidget(ok);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 6, 6, 0);
    lay->addWidget(water);
    lay->addWidget(profielen);
    lay->addWidget(aanpassing);
    lay->addLayout(onder);
    lay->addWidget(statusBar("stbWaterAanpassing"));

    QWidget *order[] = {m_volume, m_percDemi, ons, doel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    QWidget *last = doel;
    for (const ZoutRij &rij : m_zout) {
        setTabOrder(last, rij.hydraat);
        setTabOrder(rij.hydraat, rij.maximum);
        last = rij.maximum;
    }
    setTabOrder(last, ok);
    setTabOrder(ok, m_grid);
    last = m_grid;
    for (const ZoutRij &rij : m_zout) {
        setTabOrder(last, rij.schuif);
        last = rij.schuif;
    }

    for (NumericEdit *box : findChildren<NumericEdit *>())
        box->installEventFilter(this);

    colourControls();
    QPalette p = m_grid->palette();
    p.setColor(QPalette::Base, MainBackColor());
    m_grid->setPalette(p);

    setStatus(QStringLiteral("Voor resultaat zie: ") + calc::waterRapportPad());
    InitWaterGrid();
}

QString frmWaterAanpassing::cell(int row, int column) const
{
    const QTableWidgetItem *item = m_grid->item(row - 1, column);
    return item ? item->text() : QString();
}

void frmWaterAanpassing::setCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = m_grid->item(row - 1, column))
        item->setText(text);
}

void frmWaterAanpassing::InitWaterGrid()
{
    m_volume->setText(QStringLiteral("100"));
    m_percDemi->setText(QStringLiteral("0"));
    for (ZoutRij &rij : m_zout) {
        rij.hydraat->setText(QStringLiteral("0"));
        rij.maximum->setText(QStringLiteral("10"));
    }

    QStringList heads;
    for (const QString &h : calc::waterKoppen())
        heads << h;
    m_grid->setHorizontalHeaderLabels(heads);
    for (int c = 0; c < calc::WaterKolommen; ++c)
        m_grid->setColumnWidth(c, layout::px(650));
    for (int r = 0; r < GridRows; ++r)
        m_grid->setRowHeight(r, layout::px(275));
    m_grid->horizontalHeader()->setFixedHeight(layout::px(275));
    const int frameWidth = 2 * m_grid->frameWidth();
    m_grid->setFixedSize(calc::WaterKolommen * layout::px(650) + frameWidth, layout::px(1100) + frameWidth);
    m_grid->setToolTip(QStringLiteral("Totale hardheid = (Ca + Mg*40/24)*100/40")
                       + QStringLiteral("   Alk = Alkaliniteit = HCO3*0.82 + CO3*1.67 "));

    QString standaard = paths::existingFile(QStringLiteral("WaterProfielen/Dozovorarez2002.txt"));
    if (standaard.isEmpty())
        standaard = paths::file(QStringLiteral("WaterProfielen/Dozovorarez2002.txt"));
    // A default profile that cannot be taken leaves the water to adjust at
    // zero, as a missing one does.
    for (int c = 0; c < calc::WaterKolommen; ++c)
        setCell(1, c, QStringLiteral("0"));
    LeesWaterProfiel(1, standaard);
    BerekenWaterProfiel();
    for (int c = 0; c < calc::WaterKolommen; ++c)
        setCell(3, c, QStringLiteral("0"));
}

void frmWaterAanpassing::LoadProfiel(int row)
{
    const std::optional<QString> path = m_svc.openFileName(QStringLiteral("Openen"), calc::waterProfielenMap(),
                                                           QStringLiteral("txt files (*.txt);;All files (*.*)"));
    if (path && !path->isEmpty())
        LeesWaterProfiel(row, *path);
}

void frmWaterAanpassing::LeesWaterProfiel(int row, const QString &path)
{
    QString fout;
    const std::optional<calc::WaterRij> values = calc::leesWaterProfiel(path, &fout);
    if (!values) {
        // The row keeps what it showed; the brewer learns which file to mend.
        m_svc.msgBox(fout, mb::Exclamation, QStringLiteral("Attentie!"));
        return;
    }
    for (int c = 0; c < calc::WaterKolommen; ++c)
        setCell(row, c, (*values)[std::size_t(c)]);
}

void frmWaterAanpassing::BerekenWaterProfiel()
{
    BusyCursor busy;
    calc::WaterInvoer in;
    in.volume = num::val(m_volume->text());
    in.demi = num::val(m_percDemi->text());
    in.ketelInhoud = m_s.recipe.KetelInhoud;
    for (int c = 0; c < calc::WaterKolommen; ++c)
        in.water[std::size_t(c)] = cell(1, c);
    std::array<QString, calc::ZoutAantal> labels;
    for (std::size_t z = 0; z < m_zout.size(); ++z) {
        const ZoutRij &rij = m_zout[z];
        in.zouten[z] = {num::val(rij.maximum->text()), rij.schuif->value(), num::val(rij.hydraat->text())};
        labels[z] = rij.label->text();
    }

    // A value beyond single precision ends the row where it stands.
    if (const std::optional<QStringList> row2 = calc::waterProfiel(in)) {
        for (int c = 0; c < row2->size(); ++c)
            setCell(2, c, row2->at(c));
    }
    // The report repeats the boxes as typed and holds no ion values, so it is
    // written in every case: the status bar never points at an older one.
    const QString pad = calc::waterRapportPad();
    if (calc::writeReport(pad, calc::waterRapport(m_volume->text(), m_percDemi->text(), labels))) {
        if (m_rapportFout)
            setStatus(QStringLiteral("Voor resultaat zie: ") + pad);
        m_rapportFout = false;
        return;
    }
    // What is shown stays; the message comes once, not at every move of a
    // scroll bar, until a report is written again.
    setStatus(notWrittenText(pad));
    if (!m_rapportFout) {
        m_rapportFout = true;
        showNotWritten(pad);
    }
}

void frmWaterAanpassing::schuifChange(int zout)
{
    ZoutRij &rij = m_zout[std::size_t(zout)];
    rij.label->setText(
        calc::zoutLabel(calc::Zout(zout), calc::zoutGram(rij.schuif->value(), num::val(rij.maximum->text()))));
    BerekenWaterProfiel();
}

void frmWaterAanpassing::lostFocus(NumericEdit *box)
{
    if (box == m_percDemi && num::val(box->text()) == 100) {
        for (int c = 0; c < calc::WaterKolommen; ++c)
            setCell(1, c, QStringLiteral("0"));
    }
    // A new maximum shows in its label at once, so that the report's grams
    // are the ones the result was computed with.
    for (std::size_t z = 0; z < m_zout.size(); ++z) {
        if (box == m_zout[z].maximum) {
            schuifChange(int(z));
            return;
        }
    }
    BerekenWaterProfiel();
}

bool frmWaterAanpassing::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Only a move of the focus inside the window counts, not another
        // window taking it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            if (auto *box = qobject_cast<NumericEdit *>(watched))
                lostFocus(box);
    }
    return CalcWindow::eventFilter(watched, event);
}

}  // namespace mostarium
