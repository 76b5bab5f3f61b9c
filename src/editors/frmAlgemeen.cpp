#include "frmAlgemeen.h"

#include "DutchDates.h"

#include "core/NumText.h"
#include "core/ScheduleDisplay.h"
#include "core/Services.h"
#include "core/Session.h"
#include "platform/Twips.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mostarium {

namespace {

constexpr int RowTop = 360, RowStep = 405;
constexpr int FrameHeight = RowTop + 8 * RowStep + 60;
constexpr int ButtonTop = 120 + FrameHeight + 165;
constexpr int CalendarLeft = 5040, CalendarWidth = 3900, CalendarHeight = 2775;

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

QString cell(const Table1D<QString> &t, int i) { return t.has(i) ? t(i) : QString(); }
float volume(const Table1D<float> &t, int i) { return t.has(i) ? t(i) : 0.0f; }

}  // namespace

void AlgemeenCaptions(Session &s)
{
    const RecipeState &r = s.recipe;
    const QString name = cell(r.Algemeen, 0);
    QString caption = QStringLiteral(" Brouwschema ") + name;
    if (r.hasStatus(StatusDoelstellingen)) {
        caption += u' ' + num::plain(volume(r.Doelstellingen, 1));
        if (s.app.dubbelBrouw)
            caption += u'/' + num::plain(volume(r.Doelstellingen, 6));
        caption += QStringLiteral(" L ");
    }
    if (r.ReceptAttr & 1)
        caption += QStringLiteral("  (Alleen lezen!) ");
    s.view.fraBrouwSchema.caption = caption;
    s.view.fraEvaluatie.caption = QStringLiteral(" Evaluatie ") + name;
}

frmAlgemeen::frmAlgemeen(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmAlgemeen"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Algemeen"));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    auto *frame = new QGroupBox(QStringLiteral(" Algemeen "), this);
    frame->setObjectName(QStringLiteral("fraAlgemeen"));
    place(frame, 120, 120, 4800, FrameHeight);
    int row = 0;
    const auto addRow = [&](const QString &labelName, const QString &caption, const QString &boxName) {
        auto *label = new QLabel(caption, frame);
        label->setObjectName(labelName);
        place(label, 120, RowTop + row * RowStep + 30, 1320, 285);
        auto *box = new QLineEdit(frame);
        box->setObjectName(boxName);
        place(box, 1440, RowTop + row * RowStep, 3195, 315);
        ++row;
        return box;
    };
    m_name = addRow(QStringLiteral("lblAlgBierNaam"), QStringLiteral("Biernaam: "), QStringLiteral("txtAlgBierNaam"));
    for (int i = 0; i < 5; ++i)
        m_brewers[std::size_t(i)] =
            addRow(QStringLiteral("lblAlgBrouwers_%1").arg(i), QStringLiteral("Brouwer%1: ").arg(i + 1),
                   QStringLiteral("txtAlgBrouwers_%1").arg(i));
    m_brewDate =
        addRow(QStringLiteral("lblAlgBrouwDatum"), QStringLiteral("Brouwdatum: "), QStringLiteral("txtAlgBrouwdatum"));
    m_bottlingDate = addRow(QStringLiteral("lblAlgBottelDatum"), QStringLiteral("Botteldatum: "),
                            QStringLiteral("txtAlgBotteldatum"));

    // Qt's own calendar, in Dutch whatever the user's language.
    const auto calendar = [this](const QString &name, int top, QLineEdit *box) {
        auto *c = new QCalendarWidget(this);
        c->setObjectName(name);
        c->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
        c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        place(c, CalendarLeft, top, CalendarWidth, CalendarHeight);
        connect(c, &QCalendarWidget::clicked, this, [box](QDate date) { box->setText(dates::format(date)); });
        return c;
    };
    m_brewCalendar = calendar(QStringLiteral("MonthView1"), 120, m_brewDate);
    m_bottlingCalendar = calendar(QStringLiteral("MonthView2"), 120 + CalendarHeight + 120, m_bottlingDate);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdAlgOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdAlgAnnuleer"));
    cancel->setAutoDefault(false);
    place(ok, 1440, ButtonTop, 1200, 375);
    place(cancel, 2880, ButtonTop, 1200, 375);
    connect(ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);
    ClickLabel *help = helpPicture(QStringLiteral("MI_R_Algemeen.htm"));
    help->setObjectName(QStringLiteral("picAlg_Help"));
    place(help, 180, ButtonTop - 30, 480, 480);

    // Load.
    const Table1D<QString> &a = m_s.recipe.Algemeen;
    // A box that the brewer leaves alone gives back its stored text whole,
    // however long.
    loadText(m_name, cell(a, 0));
    for (int i = 0; i < 5; ++i)
        loadText(m_brewers[std::size_t(i)], cell(a, i + 1));
    loadText(m_brewDate, cell(a, 6));
    loadText(m_bottlingDate, cell(a, 7));
    takeMainColours();
    const QDate today = m_svc.now().date();
    for (auto [box, c] : {std::pair{m_brewDate, m_brewCalendar}, std::pair{m_bottlingDate, m_bottlingCalendar}}) {
        const QDate d = dates::parse(box->text());
        c->setSelectedDate(d.isValid() ? d : today);
    }
    resize(layout::px(CalendarLeft + CalendarWidth + 120), layout::px(120 + 2 * CalendarHeight + 120 + 120));
}

void frmAlgemeen::store()
{
    RecipeState &r = m_s.recipe;
    if (r.Algemeen.ubound() < 7)
        r.Algemeen.redimPreserve(7);
    const Table1D<QString> before = r.Algemeen;
    r.Algemeen(0) = keptText(m_name);
    r.Algemeen(6) = keptText(m_brewDate);
    r.Algemeen(7) = keptText(m_bottlingDate);
    for (int i = 0; i < 5; ++i)
        r.Algemeen(i + 1) = keptText(m_brewers[std::size_t(i)]);

    r.clearStatus(StatusAlgemeen);
    // The bottling date alone makes no general data.
    for (int i = 0; i <= 6; ++i) {
        if (r.Algemeen(i).isEmpty())
            continue;
        r.ReceptGewijzigd = true;
        ShowBrouwschema(m_s);
        r.setStatus(StatusAlgemeen);
    }
    // A change that leaves no entry but the bottling date is still a change.
    if (r.Algemeen != before)
        r.ReceptGewijzigd = true;
}

void frmAlgemeen::afterStore()
{
    AlgemeenCaptions(m_s);
    UpdateStatusBar(m_s);
}

}  // namespace mostarium
