#include "frmContinueHoppen.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "platform/Twips.h"
#include "platform/TypedList.h"
#include "platform/WindowRoutines.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mostarium {

namespace {
const QString aantalCaption = QStringLiteral("Aantal Hopgiften:");
const QString totaalCaption = QStringLiteral("Totale Hopgift (gr):");
}  // namespace

frmContinueHoppen::frmContinueHoppen(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmContinueHoppen"), QStringLiteral("Continue Hoppen"), s, svc, parent)
{
    QGroupBox *invoerFrame = frame("fraCH_Invoer", QStringLiteral(" Invoer "));
    auto *grid = new QGridLayout(invoerFrame);
    int row = 0;
    auto addRow = [&](const char *labelName, const QString &caption, const QString &tip, QWidget *box) {
        QLabel *l = label(labelName, caption, invoerFrame);
        l->setToolTip(tip);
        box->setParent(invoerFrame);
        grid->addWidget(l, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
        return l;
    };
    m_doelEBU = input("txtCH_DoelEBU");
    m_kooktijd = input("txtCH_Kooktijd", NumericEdit::Kind::WholeMinutes);
    m_interval = input("txtCH_Interval", NumericEdit::Kind::WholeMinutes);
    m_startSG = input("txtCH_StartSG");
    m_eindSG = input("txtCH_EindSG");
    m_alfazuur = input("txtCH_Alfazuur");
    m_hoedanigheid = choice("comCH_Hoedanigheid", {QStringLiteral("bloemen"), QStringLiteral("pellets")});
    makeTypedList(m_hoedanigheid);
    m_hoedanigheid->setCurrentIndex(0);
    m_volume = input("txtCH_Volume");
    m_prefix = new QLineEdit(this);
    m_prefix->setObjectName(QStringLiteral("txtCH_Prefix"));
    m_prefix->setMaxLength(32);
    markBad(m_prefix, false);

    const QString sgTip = QStringLiteral("Moet tussen 1020 en 1150 kg/m3 zijn");
    m_reportLabels = {
        addRow("lblCH_DoelEBU", QStringLiteral("Gewenste bitterheid (EBU):"),
               QStringLiteral("Moet tussen 0 en 200 EBU zijn"), m_doelEBU),
        addRow("lblCH_Kooktijd", QStringLiteral("Kooktijd (min):"),
               QStringLiteral("In gehele minuten. Moet tussen 0 en 150 minuten zijn"), m_kooktijd),
        addRow("lblCH_Interval", QStringLiteral("Interval (min):"),
               QStringLiteral("In gehele minuten. Moet groter als 0 en kleiner als kooktijd in minuten zijn"),
               m_interval),
        addRow("lblCH_StartSG", QStringLiteral("SG bij start koken (kg/m3):"), sgTip, m_startSG),
        addRow("lblCH_EindSG", QStringLiteral("SG bij eind koken (kg/m3):"), sgTip, m_eindSG),
        addRow("lblCH_Alfazuur", QStringLiteral("Alfazuurgehalte (%):"), QStringLiteral("Moet tussen 0 en 25 % zijn"),
               m_alfazuur),
        addRow("lblCH_Hoedanigheid", QStringLiteral("Hop hoedanigheid:"), QString(), m_hoedanigheid),
        addRow("lblCH_Volume", QStringLiteral("Volume (L):"), QStringLiteral("Moet groter als 0 zijn"), m_volume),
        nullptr,
    };
    addRow("lblCH_Prefix", QStringLiteral("Prefix ContinueHoppen.csv: "), QString(), m_prefix);

    QGroupBox *modusFrame = frame("fraCH_Modus", QStringLiteral(" Modus "));
    auto *modusLay = new QGridLayout(modusFrame);
    const QStringList modi{QStringLiteral("Gelijke hoeveelheid hop in grammen toevoegen"),
                           QStringLiteral("Gelijke hoeveelheid hop in EBU toevoegen"),
                           QStringLiteral("EBU lineair oplopend(+)/aflopend(-)")};
    for (std::size_t i = 0; i < m_modus.size(); ++i) {
        m_modus[i] = new QRadioButton(modi.value(int(i)), modusFrame);
        m_modus[i]->setObjectName(QStringLiteral("optModus_%1").arg(i));
        modusLay->addWidget(m_modus[i], int(i), 0, 1, 2);
    }
    m_modus[0]->setChecked(true);
    m_ebuVerschil = input("txtCH_EBUverschil", NumericEdit::Kind::Signed, modusFrame);
    m_ebuVerschil->setMaxLength(32);
    m_ebuVerschil->setText(QStringLiteral("0"));
    m_reportLabels[8] = label("lblCH_EBUverschil", QStringLiteral("EBU verschil:"), modusFrame);
    modusLay->addWidget(m_reportLabels[8], 3, 0);
    modusLay->addWidget(m_ebuVerschil, 3, 1);

    QGroupBox *hopgiften = frame("fraCH_Hopgiften", QStringLiteral(" Continue Hopgiften "));
    auto *hopLay = new QVBoxLayout(hopgiften);
    m_aantal = label("lblCH_AantalHopgiften", aantalCaption, hopgiften);
    m_totaal = label("lblCH_TotaleHopgift", totaalCaption, hopgiften);
    m_grid = new QTableWidget(hopgiften);
    m_grid->setObjectName(QStringLiteral("fgdCH_Overview"));
    hopLay->addWidget(m_aantal);
    hopLay->addWidget(m_totaal);
    hopLay->addWidget(m_grid, 1);

    QPushButton *bereken = button("cmdCHBereken", QStringLiteral("&Bereken"));
    bereken->setDefault(true);
    // Klaar closes without a sound.
    QPushButton *klaar = button("cmdCHKlaar", QStringLiteral("&Klaar"));
    connect(klaar, &QPushButton::clicked, this, &WindowBase::unload);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help("picContHop_Help", QStringLiteral("MI_T_ContinueHoppen.htm")));
    buttons->addStretch(1);
    buttons->addWidget(bereken);
    buttons->addWidget(klaar);

    auto *links = new QVBoxLayout;
    links->addWidget(invoerFrame);
    links->addWidget(modusFrame);
    links->addStretch(1);
    auto *boven = new QHBoxLayout;
    boven->addLayout(links);
    boven->addWidget(hopgiften, 1);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(boven, 1);
    lay->addLayout(buttons);
    lay->addWidget(statusBar("stbContinueHoppen"));

    connect(bereken, &QPushButton::clicked, this, &frmContinueHoppen::cmdCHBereken_Click);

    colourControls();
    QPalette gridColours = m_grid->palette();
    gridColours.setColor(QPalette::Base, MainBackColor());
    m_grid->setPalette(gridColours);
    setStatus(QStringLiteral("Voer gegevens in."));
    InitOverzichtGrid();
}

QString frmContinueHoppen::reportPath() const
{
    return calc::reportPath(m_prefix->text() + QStringLiteral("ContinueHoppen.csv"));
}

void frmContinueHoppen::InitOverzichtGrid()
{
    m_grid->setColumnCount(calc::ChColumns);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->verticalHeader()->hide();
    QHeaderView *header = m_grid->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    for (int c = 0; c < calc::ChColumns; ++c) {
        auto *item = new QTableWidgetItem(calc::chHeader()[std::size_t(c)]);
        item->setTextAlignment(Qt::AlignCenter);
        m_grid->setHorizontalHeaderItem(c, item);
        // A bold head may need more than its column's width.
        m_grid->setColumnWidth(c, std::max(layout::px(c == 0 ? 500 : 1000), header->sectionSizeHint(c)));
    }
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    int breedte = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < calc::ChColumns; ++c)
        breedte += m_grid->columnWidth(c);
    m_grid->setMinimumWidth(std::max(layout::px(6700), breedte));
    m_grid->setRowCount(1);
}

calc::ContinueHoppenInput frmContinueHoppen::invoer() const
{
    calc::ContinueHoppenInput in;
    in.doelEBU = m_doelEBU->text();
    in.kooktijd = m_kooktijd->text();
    in.interval = m_interval->text();
    in.startSG = m_startSG->text();
    in.eindSG = m_eindSG->text();
    in.alfazuur = m_alfazuur->text();
    in.vorm = m_hoedanigheid->currentText();
    in.volume = m_volume->text();
    in.ebuVerschil = m_ebuVerschil->text();
    in.prefix = m_prefix->text();
    // The last checked option counts; none is the first.
    int modus = 0;
    for (std::size_t i = 0; i < m_modus.size(); ++i)
        if (m_modus[i]->isChecked())
            modus = int(i);
    in.modus = calc::ChModus(modus);
    return in;
}

bool frmContinueHoppen::ControleerWaarden()
{
    const calc::ContinueHoppenCheck c = calc::controleerContinueHoppen(invoer());
    m_doelEBU->setBad(c.doelEBU);
    m_kooktijd->setBad(c.kooktijd);
    m_interval->setBad(c.interval);
    m_startSG->setBad(c.startSG);
    m_eindSG->setBad(c.eindSG);
    m_alfazuur->setBad(c.alfazuur);
    m_volume->setBad(c.volume);
    markBad(m_hoedanigheid, c.vorm);
    markBad(m_prefix, c.prefix);
    if (!c.status.isEmpty())
        setStatus(c.status);
    return c.good();
}

void frmContinueHoppen::geenSchema()
{
    m_aantal->setText(aantalCaption);
    m_totaal->setText(totaalCaption);
    m_grid->clearContents();
    m_grid->setRowCount(1);
}

void frmContinueHoppen::toonSchema(const calc::ContinueHoppenSchema &schema)
{
    m_aantal->setText(calc::aantalText(schema.n));
    m_totaal->setText(calc::totaalText(schema.totaal));
    m_grid->setUpdatesEnabled(false);
    m_grid->clearContents();
    m_grid->setRowCount(int(schema.rows.size()));
    for (int r = 0; r < int(schema.rows.size()); ++r)
        for (int c = 0; c < calc::ChColumns; ++c) {
            auto *item = new QTableWidgetItem(schema.rows[std::size_t(r)][std::size_t(c)]);
            item->setTextAlignment(c == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
            m_grid->setItem(r, c, item);
        }
    m_grid->setUpdatesEnabled(true);
}

bool frmContinueHoppen::BerekenSchema()
{
    const calc::ContinueHoppenInput in = invoer();
    calc::ContinueHoppenSchema schema;
    try {
        schema = calc::continueHoppen(in);
    } catch (const CalcError &) {
        geenSchema();
        setStatus(QStringLiteral("Error in BerekenSchema!"));
        return false;
    }
    if (in.modus == calc::ChModus::LineaireEBU)
        m_ebuVerschil->setBad(schema.teGroot);
    if (schema.teGroot) {
        geenSchema();
        setStatus(calc::teGrootText());
        return false;
    }
    toonSchema(schema);
    return true;
}

bool frmContinueHoppen::SaveContinueHoppenCSV()
{
    QStringList labelled;
    const std::array<QString, 9> texts{m_doelEBU->text(),
                                       m_kooktijd->text(),
                                       m_interval->text(),
                                       m_startSG->text(),
                                       m_eindSG->text(),
                                       m_alfazuur->text(),
                                       m_hoedanigheid->currentText(),
                                       m_volume->text(),
                                       m_ebuVerschil->text()};
    for (std::size_t i = 0; i < texts.size(); ++i)
        labelled << m_reportLabels[i]->text() + QLatin1Char(' ') + texts[i];
    // The grid as it shows: header texts with their blanks, every cell's text.
    std::vector<calc::ChRow> rows;
    calc::ChRow header;
    for (int c = 0; c < calc::ChColumns; ++c)
        header[std::size_t(c)] = m_grid->horizontalHeaderItem(c)->text();
    rows.push_back(header);
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        calc::ChRow row;
        for (int c = 0; c < calc::ChColumns; ++c)
            if (const QTableWidgetItem *item = m_grid->item(r, c))
                row[std::size_t(c)] = item->text();
        rows.push_back(row);
    }
    return calc::writeReport(reportPath(), calc::continueHoppenLines(labelled, rows));
}

void frmContinueHoppen::cmdCHBereken_Click()
{
    if (!ControleerWaarden()) {
        setStatus(QStringLiteral("Incorrecte invoer!"));
    } else {
        setStatus(QStringLiteral("Correcte invoer!"));
        // A stopped schedule keeps its message and writes no report; a
        // report that was not written is not pointed to.
        if (BerekenSchema()) {
            if (SaveContinueHoppenCSV())
                setStatus(QStringLiteral("Zie ") + reportPath());
            else
                setStatus(QStringLiteral("Error in SaveContinueHoppenCSV!"));
        }
    }
    playCompute();
}

}  // namespace mostarium
