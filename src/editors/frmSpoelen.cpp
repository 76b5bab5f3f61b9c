#include "frmSpoelen.h"

#include "core/CalcError.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Recalc.h"
#include "core/ScheduleDisplay.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/Sparge.h"
#include "core/WholeFile.h"
#include "platform/NumericEdit.h"
#include "platform/Twips.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>

#include <cmath>

namespace mostarium {

namespace {

constexpr int Width = 11700, Height = 8700;  // twips

void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

QLabel *label(const char *name, const QString &caption, QWidget *parent, double left, double top, double width)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    place(l, left, top, width, 240);
    return l;
}

QGroupBox *frame(const char *name, const char *caption, QWidget *parent, double left, double width)
{
    auto *f = new QGroupBox(QString::fromUtf8(caption), parent);
    f->setObjectName(QLatin1String(name));
    place(f, left, 60, width, 1680);
    return f;
}

const QString kPlato = QStringLiteral("\u00BAPlato");

}  // namespace

frmSpoelen::frmSpoelen(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmSpoelen"), s, svc, parent)
{
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    resize(layout::px(Width), layout::px(Height));
    setMouseTracking(true);

    QGroupBox *verwacht = frame("fraSpVerwacht", " Verwachting ", this, 120, 3400);
    lblSpSGHoofdWort = label("lblSpSGHoofdWort", {}, verwacht, 120, 300, 3160);
    lblSpSGHoofdwortPlato = label("lblSpSGHoofdwortPlato", {}, verwacht, 120, 600, 3160);
    lblSpVolHoofdWort = label("lblSpVolHoofdWort", {}, verwacht, 120, 900, 3160);

    QGroupBox *water = frame("fraSpSpoelWater", " Spoelwater/Wort na spoelen ", this, 3640, 4000);
    lblSPVolWort = label("lblSPVolWort", {}, water, 120, 300, 3760);
    lblSpSpoelwater = label("lblSpSpoelwater", {}, water, 120, 600, 3760);
    lblSPWisselVolume =
        label("lblSPWisselVolume", QStringLiteral("Overgang dikbier-dunbier (L):"), water, 120, 900, 3760);
    lblSPWisselSG =
        label("lblSPWisselSG", QStringLiteral("Overgang SG dikbier-dunbier (") + kPlato + QStringLiteral("): "), water,
              120, 1200, 3760);
    lblSPWisselVolume->hide();
    lblSPWisselSG->hide();

    QGroupBox *condities = frame("fraSpCondities", " Spoel condities (ad hoc aanpassing) ", this, 7760, 3820);
    label("lblSPWerkelijkSGHoofdwort", QStringLiteral("Werkelijk SG Hoofdwort (") + kPlato + QStringLiteral("): "),
          condities, 120, 330, 2760);
    txtSpWerkelijkSGHoofdwort = new NumericEdit(QStringLiteral("txtSpWerkelijkSGHoofdwort"), false, condities);
    txtSpWerkelijkSGHoofdwort->setToolTip(
        QStringLiteral("Onwaarschijnlijk als deze meer dan 25% afwijkt van de geschatte!!"));
    place(txtSpWerkelijkSGHoofdwort, 2880, 300, 780, 300);
    label("lblSpSpoeleTot", QStringLiteral("Spoelen tot (") + kPlato + QStringLiteral("): "), condities, 120, 930,
          2700);
    txtSPSpoelenTot = new NumericEdit(QStringLiteral("txtSPSpoelenTot"), false, condities);
    txtSPSpoelenTot->setToolTip(QStringLiteral("Grenswaarden: 3 of meer en kleiner dan OG Hoofdwort"));
    place(txtSPSpoelenTot, 2880, 900, 780, 300);
    for (NumericEdit *box : {txtSpWerkelijkSGHoofdwort, txtSPSpoelenTot})
        box->installEventFilter(this);

    lblSPCoordinaten = new QLabel(QStringLiteral("Coordinaten"), this);
    lblSPCoordinaten->setObjectName(QStringLiteral("lblSPCoordinaten"));
    cmdSpoelOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdSpoelOK->setObjectName(QStringLiteral("cmdSpoelOK"));
    cmdSpoelOK->setDefault(true);
    cmdSpoelAnnuleer = new QPushButton(QStringLiteral("&Annuleren"), this);
    cmdSpoelAnnuleer->setObjectName(QStringLiteral("cmdSpoelAnnuleer"));
    picSHelp = helpPicture(QStringLiteral("MI_R_Spoelen.htm"));
    picSHelp->setObjectName(QStringLiteral("picSHelp"));
    connect(cmdSpoelOK, &QPushButton::clicked, this, [this] { leave(&RecipeDialog::ok); });
    connect(cmdSpoelAnnuleer, &QPushButton::clicked, this, [this] { leave(&RecipeDialog::cancel); });
    placeBottomRow();

    // Load.
    const RecipeState &r = m_s.recipe;
    setWindowTitle(fittedWindowTitle(QStringLiteral("Spoelgegevens ")
                                     + (r.Algemeen.has(0) ? r.Algemeen(0).trimmed() : QString())));
    takeMainColours();
    m_keptSpoelenTot = r.SpoelenTot;
    m_keptHWSG = r.HWSG;
    // A fresh dialog shows its design captions until the model writes them.
    m_s.view.spoelen = SpargeView{};
    if (HeeftHoofdwort(r)) {
        try {
            UpdateHoofdwort(m_s);
            UpdateSpoelen(m_s);
            txtSPSpoelenTot->setText(m_s.view.spoelen.txtSPSpoelenTot);
            txtSpWerkelijkSGHoofdwort->setText(m_s.view.spoelen.txtSpWerkelijkSGHoofdwort);
            CalculateSpoelcurve();
            PlotGraph();
        } catch (const CalcError &) {
            // A model that cannot be solved shows no figures and no curve.
        }
        m_s.viewChanged();
    }
    showFigures();
}

void frmSpoelen::leave(void (RecipeDialog::*how)())
{
    QScopedValueRollback guard(m_leaving, true);
    (this->*how)();
}

void frmSpoelen::onCancel() { leave(&RecipeDialog::cancel); }

void frmSpoelen::placeBottomRow()
{
    const double w = width() * layout::TwipsPerPixel, h = height() * layout::TwipsPerPixel;
    place(lblSPCoordinaten, 120, h - 660, std::max(w - 4200, 1000.0), 240);
    place(cmdSpoelOK, w - 3840, h - 540, 1260, 375);
    place(cmdSpoelAnnuleer, w - 2460, h - 540, 1260, 375);
    place(picSHelp, w - 1080, h - 600, 480, 480);
}

void frmSpoelen::showFigures()
{
    const SpargeView &v = m_s.view.spoelen;
    lblSpSGHoofdWort->setText(v.lblSpSGHoofdWort);
    lblSpSGHoofdwortPlato->setText(v.lblSpSGHoofdwortPlato);
    lblSpVolHoofdWort->setText(v.lblSpVolHoofdWort);
    lblSpVolHoofdWort->setToolTip(v.lblSpVolHoofdWortToolTip);
    lblSPVolWort->setText(v.lblSPVolWort);
    lblSpSpoelwater->setText(v.lblSpSpoelwater);
}

SpoelControle frmSpoelen::ControleerSpoelen()
{
    const RecipeState &r = m_s.recipe;
    const SpoelControle c = mostarium::ControleerSpoelen(txtSPSpoelenTot->text(), txtSpWerkelijkSGHoofdwort->text(),
                                                         m_keptHWSG, r.CoefficientA, r.CoefficientB);
    txtSPSpoelenTot->setBad(c.spoelenTotBad);
    txtSpWerkelijkSGHoofdwort->setBad(c.hoofdwortBad);
    return c;
}

void frmSpoelen::CalculateSpoelcurve()
{
    std::optional<Spoelcurve> c =
        mostarium::CalculateSpoelcurve(m_s, txtSPSpoelenTot->text(), txtSpWerkelijkSGHoofdwort->text());
    if (!c)
        return;  // the previous curve stays
    // Said once, not at every box the brewer leaves, until it is written again.
    if (!c->scratchWritten && !m_dumpFailureShown)
        showNotWritten(SpoelcurveTekstBestand());
    m_dumpFailureShown = !c->scratchWritten;
    m_curve = std::move(c);
    if (!dubbel())
        return;
    // The same switch-over as the schedule's, at the planned volume.
    const std::optional<OmslagPunt> &p = m_curve->omslag;
    lblSPWisselSG->setVisible(p.has_value());
    lblSPWisselVolume->setVisible(p.has_value());
    if (p) {
        lblSPWisselSG->setText(QStringLiteral("Overgang SG dikbier-dunbier (") + kPlato + QStringLiteral("): ~")
                               + num::format(p->plato, u"##.0"));
        lblSPWisselVolume->setText(QStringLiteral("Overgang dikbier-dunbier (L): ~")
                                   + num::format(double(p->litres), u"###"));
    }
}

void frmSpoelen::PlotGraph()
{
    if (!m_curve)
        return;
    m_image = QImage(size(), QImage::Format_RGB32);
    m_transform = mostarium::PlotGraph(m_image, m_curve->data, m_curve->settings, palette().color(QPalette::Window));
    update();
}

void frmSpoelen::lostFocus(NumericEdit *box)
{
    if (!ControleerSpoelen().ok)
        return;  // only the marks change
    RecipeState &r = m_s.recipe;
    try {
        if (box == txtSpWerkelijkSGHoofdwort)
            r.HWSG = PlatoToSG(num::toSingle(num::val(box->text())));
        // The typed gravity, not stored until OK.
        UpdateSpoelen(m_s, num::val(txtSPSpoelenTot->text()));
    } catch (const CalcError &) {
        return;
    }
    CalculateSpoelcurve();
    PlotGraph();
    showFigures();
    m_s.viewChanged();
}

bool frmSpoelen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == txtSPSpoelenTot || watched == txtSpWerkelijkSGHoofdwort)) {
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        // Another window, a context menu or the dialog closing: the box was
        // not left.
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason && !m_leaving && isVisible())
            lostFocus(static_cast<NumericEdit *>(watched));
    }
    return RecipeDialog::eventFilter(watched, event);
}

bool frmSpoelen::check() { return ControleerSpoelen().ok; }

void frmSpoelen::store()
{
    const float tot = num::toSingle(num::val(txtSPSpoelenTot->text()));
    if (tot != m_s.recipe.SpoelenTot)
        m_s.recipe.ReceptGewijzigd = true;
    m_s.recipe.SpoelenTot = tot;
}

void frmSpoelen::afterStore()
{
    // The recalculation closes this dialog when it runs the sparge model.
    UpdateBrouwschema(m_s);
    if (dubbel() && HeeftHoofdwort(m_s.recipe)) {
        try {
            UpdateHoofdwort(m_s);
        } catch (const CalcError &) {
            // The recalculation has already said what is wrong.
        }
    }
    ShowBrouwschema(m_s);
    SaveSpoelcurveBitmap(m_s, size());
    m_s.viewChanged();
}

void frmSpoelen::onCancelled()
{
    m_s.recipe.SpoelenTot = m_keptSpoelenTot;
    if (m_s.recipe.ReceptStatus > 0) {
        UpdateBrouwschema(m_s);
        m_s.viewChanged();
    }
}

void frmSpoelen::paintEvent(QPaintEvent *event)
{
    RecipeDialog::paintEvent(event);
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void frmSpoelen::resizeEvent(QResizeEvent *event)
{
    RecipeDialog::resizeEvent(event);
    placeBottomRow();
    PlotGraph();
}

ChartPoint frmSpoelen::pointer(const QPointF &pos) const
{
    return ScreenToWorld(m_transform, float(pos.x() * layout::TwipsPerPixel), float(pos.y() * layout::TwipsPerPixel));
}

void frmSpoelen::mouseMoveEvent(QMouseEvent *event)
{
    RecipeDialog::mouseMoveEvent(event);
    // Nothing to read before there is a curve, nor beyond its litres.
    const ChartPoint w = pointer(event->position());
    const double litre = std::nearbyint(double(w.X));
    if (!m_curve || !(litre >= 0 && litre <= m_curve->data.rowUbound())) {
        lblSPCoordinaten->clear();
        return;
    }
    lblSPCoordinaten->setText(QStringLiteral("(L,\u00B0 Plato) = (") + num::format(w.X, u"##0.0")
                              + QStringLiteral(" , ") + num::format(w.Y, u"#0.0") + QStringLiteral(")")
                              + QStringLiteral("     Spoelopbrengst: ") + num::format(w.X, u"##0")
                              + QStringLiteral(" L ~ ") + num::format(m_curve->data(int(litre), 2), u"#0.0")
                              + QStringLiteral(" kg"));
}

void frmSpoelen::mousePressEvent(QMouseEvent *event)
{
    RecipeDialog::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    const ChartPoint w = pointer(event->position());
    m_svc.msgBox(QStringLiteral("(L,\u00B0 Plato) = (") + num::format(w.X, u"##0.0") + QStringLiteral(" , ")
                     + num::format(w.Y, u"#0.0") + QStringLiteral(")"),
                 mb::OKOnly, QStringLiteral("Coordinaten L en \u00B0 Plato"));
}

void SaveSpoelcurveBitmap(Session &s, const QSize &size)
{
    const QString path = SpoelcurvePlaatje(s.recipe);
    if (!s.app.spoelcurveRecept) {
        if (QFileInfo::exists(path))
            QFile::remove(path);
        return;
    }
    QImage image(size, QImage::Format_RGB32);
    const QColor back = MainBackColor();
    image.fill(back);
    try {
        if (HeeftHoofdwort(s.recipe)) {
            const SpargeView &v = s.view.spoelen;
            if (const auto curve = CalculateSpoelcurve(s, v.txtSPSpoelenTot, v.txtSpWerkelijkSGHoofdwort))
                PlotGraph(image, curve->data, curve->settings, back);
        }
    } catch (const CalcError &) {
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The reports insert whatever picture is there: one that could not be
    // replaced goes, rather than show an older curve.
    if (!image.save(&buffer, "BMP") || !writeWholeFile(path, bytes)) {
        QFile::remove(path);
        showNotWritten(path);
    }
}

}  // namespace mostarium
