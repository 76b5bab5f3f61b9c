#include "frmBiertypen1.h"

#include "ReceptSuggestie.h"

#include "core/Cp1252.h"
#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/ScheduleDisplay.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>

namespace mostarium {

namespace {
ReceptSuggestieSteps &steps()
{
    static ReceptSuggestieSteps s;
    return s;
}

constexpr int ReceptField = 8;
}  // namespace

void setReceptSuggestieSteps(ReceptSuggestieSteps s) { steps() = std::move(s); }
const ReceptSuggestieSteps &receptSuggestieSteps() { return steps(); }

frmBiertypen1::frmBiertypen1(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmBiertypen1"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Biertypen"));
    setSizeGripEnabled(true);
    resize(layout::px(9600), layout::px(5800));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdDataGrid"));
    m_model = new QStandardItemModel(this);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setDefaultSectionSize(layout::px(255));
    // Any move of the grid's current row by the user (a click on a cell or a
    // row heading) moves the records too.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { gridClicked(i.row()); });

    m_picButtons = new QWidget(this);
    m_picButtons->setObjectName(QStringLiteral("picButtons"));
    m_picButtons->setAutoFillBackground(true);
    m_cmdClose = new QPushButton(QStringLiteral("&Klaar"), m_picButtons);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdOpen = new QPushButton(QStringLiteral("Open &Recept"), m_picButtons);
    m_cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    for (QPushButton *b : {m_cmdClose, m_cmdOpen}) {
        b->setAutoDefault(false);
        b->setFixedSize(layout::px(1300), layout::px(375));
    }
    connect(m_cmdClose, &QPushButton::clicked, this, &frmBiertypen1::cmdClose_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &frmBiertypen1::cmdOpen_Click);

    m_picStatBox = new QWidget(this);
    m_picStatBox->setObjectName(QStringLiteral("picStatBox"));
    m_picStatBox->setAutoFillBackground(true);
    auto arrow = [this](const char *name, QStyle::StandardPixmap icon, void (frmBiertypen1::*slot)()) {
        auto *b = new QPushButton(m_picStatBox);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(icon));
        b->setAutoDefault(false);
        b->setFixedSize(layout::px(345), layout::px(300));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_cmdFirst = arrow("cmdFirst", QStyle::SP_MediaSkipBackward, &frmBiertypen1::cmdFirst_Click);
    m_cmdPrevious = arrow("cmdPrevious", QStyle::SP_MediaSeekBackward, &frmBiertypen1::cmdPrevious_Click);
    m_cmdNext = arrow("cmdNext", QStyle::SP_MediaSeekForward, &frmBiertypen1::cmdNext_Click);
    m_cmdLast = arrow("cmdLast", QStyle::SP_MediaSkipForward, &frmBiertypen1::cmdLast_Click);
    m_lblStatus = new QLabel(m_picStatBox);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setAutoFillBackground(true);
    m_lblStatus->setFrameShape(QFrame::Panel);
    m_lblStatus->setFrameShadow(QFrame::Sunken);
    m_lblStatus->setIndent(4);

    // The window sees the keys before its controls do.
    for (QWidget *c : findChildren<QWidget *>())
        c->installEventFilter(this);
    installEventFilter(this);

    Form_Load();
}

frmBiertypen1::~frmBiertypen1() = default;

void frmBiertypen1::Form_Load()
{
    takeMainColours();
    QPalette white = m_lblStatus->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_lblStatus->setPalette(white);
    m_picButtons->setFixedHeight(layout::px(600));
    m_picStatBox->setFixedHeight(layout::px(450));

    const QString file = paths::existingFile(QStringLiteral("Biertypen.mdb"));
    if (!m_records.load(file)) {
        m_svc.msgBox(BiertypenOpenFout, mb::OKOnly + mb::Exclamation, QStringLiteral("Attentie!"));
        return;
    }
    fillGrid();
    if (m_records.count() > 0)
        adoPrimaryRS_MoveComplete();
}

void frmBiertypen1::fillGrid()
{
    m_model->clear();
    m_model->setColumnCount(m_records.fieldNames().size());
    m_model->setHorizontalHeaderLabels(m_records.fieldNames());
    for (int r = 0; r < m_records.count(); ++r) {
        QList<QStandardItem *> items;
        for (int f = 0; f < m_records.fieldNames().size(); ++f) {
            auto *item = new QStandardItem(m_records.value(r, f).toString());
            item->setEditable(false);
            if (f >= 1 && f <= 7)
                item->setTextAlignment(Qt::AlignCenter);
            items << item;
        }
        m_model->appendRow(items);
    }
    // The style names are read whole; the other widths are the layout's.
    m_grid->resizeColumnToContents(0);
    const std::pair<int, int> widths[] = {{1, 700}, {3, 700}, {4, 700}, {5, 1500}, {7, 2500}};
    for (const auto &[column, twips] : widths)
        if (column < m_model->columnCount())
            m_grid->setColumnWidth(column, layout::px(twips));
}

void frmBiertypen1::resizeEvent(QResizeEvent *event)
{
    WindowBase::resizeEvent(event);
    Form_Resize();
}

void frmBiertypen1::Form_Resize()
{
    // In pixels, after the twips of the layout rules.
    const int w = width(), h = height();
    const int statH = m_picStatBox->height(), buttonsH = m_picButtons->height();
    const int gridH = std::max(0, h - layout::px(30) - buttonsH - statH);
    m_grid->setGeometry(0, 0, w, gridH);
    m_picStatBox->setGeometry(0, gridH, w, statH);
    m_picButtons->setGeometry(0, gridH + statH, w, buttonsH);

    const int top = (statH - m_cmdFirst->height()) / 2;
    m_cmdFirst->move(0, top);
    m_cmdPrevious->move(m_cmdFirst->width(), top);
    const int lblW = std::max(0, w - layout::px(1500));
    m_lblStatus->setGeometry(layout::px(700), top, lblW, m_cmdFirst->height());
    m_cmdNext->move(lblW + layout::px(700), top);
    m_cmdLast->move(m_cmdNext->x() + layout::px(340), top);

    const int btop = (buttonsH - m_cmdClose->height()) / 2;
    m_cmdClose->move(w / 2 - m_cmdClose->width() - layout::px(120), btop);
    m_cmdOpen->move(m_cmdClose->x() + m_cmdClose->width() + layout::px(240), btop);
}

// ---------------------------------------------------------------- navigation

void frmBiertypen1::moved(bool ok)
{
    if (!ok) {
        m_svc.msgBox(RecordsGesloten, mb::OKOnly, AppTitle);
        return;
    }
    adoPrimaryRS_MoveComplete();
}

void frmBiertypen1::adoPrimaryRS_MoveComplete()
{
    const int pos = m_records.absolutePosition();
    if (pos < 1)
        return;
    m_lblStatus->setText(QStringLiteral("Record: ") + QString::number(pos));
    m_syncing = true;
    m_grid->selectRow(pos - 1);
    m_grid->setCurrentIndex(m_model->index(pos - 1, 0));
    m_syncing = false;
}

void frmBiertypen1::gridClicked(int row)
{
    if (!m_syncing && m_records.moveTo(row))
        adoPrimaryRS_MoveComplete();
}

void frmBiertypen1::cmdFirst_Click() { moved(m_records.moveFirst()); }

void frmBiertypen1::cmdLast_Click() { moved(m_records.moveLast()); }

void frmBiertypen1::cmdNext_Click()
{
    if (!m_records.isOpen()) {
        moved(false);
        return;
    }
    if (m_records.eof())
        return;
    m_records.moveNext();
    if (m_records.eof() && m_records.count() > 0) {
        m_svc.beep();
        m_records.moveLast();
    }
    adoPrimaryRS_MoveComplete();
}

void frmBiertypen1::cmdPrevious_Click()
{
    if (!m_records.isOpen()) {
        moved(false);
        return;
    }
    if (m_records.bof())
        return;
    m_records.movePrevious();
    if (m_records.bof() && m_records.count() > 0) {
        m_svc.beep();
        m_records.moveFirst();
    }
    adoPrimaryRS_MoveComplete();
}

bool frmBiertypen1::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // The keypad flag of the arrow keys does not count as a modifier.
    const bool ctrl = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Escape:
        cmdClose_Click();
        return true;
    case Qt::Key_End:
        cmdLast_Click();
        return true;
    case Qt::Key_Home:
        cmdFirst_Click();
        return true;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        ctrl ? cmdFirst_Click() : cmdPrevious_Click();
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        ctrl ? cmdLast_Click() : cmdNext_Click();
        return true;
    default:
        return false;
    }
}

bool frmBiertypen1::eventFilter(QObject *watched, QEvent *event)
{
    // The grid does not move again after the window moved the records.
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (Form_KeyDown(k->key(), k->modifiers()))
            return true;
    }
    return WindowBase::eventFilter(watched, event);
}

// ---------------------------------------------------------------- Open Recept, close

void frmBiertypen1::cmdOpen_Click()
{
    if (refuseWhileOptimising(m_s))
        return;
    const QString recept = m_records.field(ReceptField).toString();
    if (recept.trimmed().isEmpty())
        return;
    const QString style = m_records.field(0).toString().trimmed();
    const ReceptSuggestieSteps &st = receptSuggestieSteps();
    if (!st.openAsNew)
        return;
    // The brewer's own changes first: the suggestion replaces the recipe.
    if (st.vraagOpslaan && !st.vraagOpslaan())
        return;
    const QString path = paths::file(QStringLiteral("\\temp\\ReceptSuggestie.zlv"));
    paths::makeFolderOf(path);
    QString text = recept;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    // Line ends as in every recipe file, whatever the stored text holds.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    // Not opened from an older suggestion that happens to be there.
    if (!writeWholeFile(path, cp1252::encode(text + QStringLiteral("\r\n")))) {
        showNotWritten(path);
        return;
    }
    WisBrouwschema(m_s);
    st.openAsNew(path, style);
    playClick();
}

// The records and their connection go with the window, when it is deleted.
void frmBiertypen1::cmdClose_Click() { unload(); }

}  // namespace mostarium
