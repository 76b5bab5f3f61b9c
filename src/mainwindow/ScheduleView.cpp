#include "ScheduleView.h"

#include "Layout.h"
#include "core/DisplayModel.h"
#include "platform/WindowRoutines.h"

#include <QGroupBox>
#include <QLabel>

namespace mostarium {

namespace {
constexpr int RowStep = 240;
constexpr int RowHeight = 240;
constexpr int LabelRightMargin = 90;

int labelWidthTwips(int frameWidth, int left) { return frameWidth - left - LabelRightMargin; }

// The widest texts that brews up to the kettle's capacity, with two-decimal
// mash thicknesses, write into the narrowest frames: the mash schedule, the
// sparge figures and the evaluation.
struct WidestText {
    int frameWidth, left;
    const char16_t *text;
};
constexpr WidestText Widest[] = {
    {2895, 180, u"Inmaischen met 888 L (10.85 L/kg)"}, {2895, 180, u"Decoc: 888 L 100 \u00b0C + 888 L 40 \u00b0C"},
    {2895, 180, u"Geschat volume maisch (L): 888"},    {3675, 150, u"SG na spoelen: 1088 kg/m3 = 18.8 \u00baPlato"},
    {3290, 180, u"OG: 1088  Eind SG: 1018 (kg/m3)"},
};

QFont scheduleFont(const QFont &base)
{
    std::vector<layout::TextWidth> texts;
    for (const WidestText &t : Widest)
        // A pixel to spare for the last glyph's overhang.
        texts.emplace_back(QString::fromUtf16(t.text), layout::px(labelWidthTwips(t.frameWidth, t.left)) - 1);
    return layout::narrowedToFit(base, texts);
}

void setRole(QWidget *w, QPalette::ColorRole role, const std::optional<Rgb> &rgb, const QPalette &base)
{
    const QColor wanted = rgb ? QColor::fromRgb(*rgb) : base.color(role);
    // Every refresh passes here for every label: leave unchanged ones alone.
    if (w->palette().color(role) == wanted)
        return;
    QPalette p = w->palette();
    p.setColor(role, wanted);
    w->setPalette(p);
}
}  // namespace

void ScheduleView::place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

void ScheduleView::move(QWidget *w, double left, double top) { w->move(layout::px(left), layout::px(top)); }

void ScheduleView::setHeight(QWidget *w, double height) { w->resize(w->width(), layout::px(height)); }

ScheduleView::ScheduleView(QWidget *area)
{
    const QFont font = scheduleFont(area->font());
    QGroupBox *bs = addFrame(area, QStringLiteral("fraBrouwSchema"), 210, 180, 13995, 6645);
    bs->setFont(font);
    QGroupBox *ingr = addFrame(bs, QStringLiteral("fraBSIngrdienten"), 180, 300, 6700, 3015);
    addRows(ingr, QStringLiteral("lbl_StIngred"), 10, 180, 360);

    QGroupBox *ms = addFrame(bs, QStringLiteral("fraBSMaiscschema"), 7020, 300, 2895, 3015);
    addRows(ms, QStringLiteral("lbl_MS"), 7, 180, 300);
    addLabel(ms, QStringLiteral("lblMDecoctieStap"), 180, 1965);
    addLabel(ms, QStringLiteral("lbl_L_inmaischen"), 180, 2220);
    addLabel(ms, QStringLiteral("lbl_pH_Maisch"), 180, 2460);
    addLabel(ms, QStringLiteral("lbl_vol_maisch"), 180, 2700);

    QGroupBox *sp = addFrame(bs, QStringLiteral("fraBSSpoelen"), 10020, 300, 3675, 3015);
    const char *spoelen[] = {"lbl_SG_Hoofdwort", "lbl_Plato_Hoofdwort",  "lbl_SpoelenTot",
                             "lbl_L_spoelwater", "lbl_L_WortnaSpoelen",  "lbl_VerwachtSGNaSpoelen",
                             "lbl_verwachtOG",   "lbl_VerwachtOG2",      "lbl_SGOvergang",
                             "lbl_VolOvergang",  "lbl_VerwachteKooktijd"};
    for (int i = 0; i < 11; ++i)
        addLabel(sp, QLatin1String(spoelen[i]), 150, 300 + RowStep * i);

    addRows(addFrame(bs, QStringLiteral("fraBSAHop"), 180, 3420, 6700, 1500), QStringLiteral("lbl_Ahop"), 4, 180, 360);
    addRows(addFrame(bs, QStringLiteral("fraBSBHop"), 7020, 3420, 6700, 1500), QStringLiteral("lbl_Bhop"), 4, 180, 360);
    addRows(addFrame(bs, QStringLiteral("fraAhop2"), 180, 5040, 6700, 1500), QStringLiteral("lbl_Ahop2"), 4, 180, 360);
    addRows(addFrame(bs, QStringLiteral("fraBhop2"), 7020, 5040, 6700, 1500), QStringLiteral("lbl_Bhop2"), 4, 180, 360);

    QGroupBox *ev = addFrame(area, QStringLiteral("fraEvaluatie"), 210, 7020, 13995, 2295);
    ev->setFont(font);
    addRows(addFrame(ev, QStringLiteral("fraEvalDS"), 180, 360, 3290, 1695), QStringLiteral("lbl_EvDS"), 5, 180, 360);
    addRows(addFrame(ev, QStringLiteral("fraEvalDS2"), 3540, 360, 3290, 1695), QStringLiteral("lbl_EvDS2"), 5, 180,
            360);
    QGroupBox *evEv = addFrame(ev, QStringLiteral("fraEvalEv"), 7020, 360, 3290, 1695);
    QGroupBox *evEv2 = addFrame(ev, QStringLiteral("fraEvalEv2"), 10380, 360, 3290, 1695);
    const char *evalNames[] = {"vol", "FGOG", "BZR", "EBU", "EBC"};
    for (int i = 0; i < 5; ++i) {
        addLabel(evEv, QStringLiteral("lbl_Eval_") + QLatin1String(evalNames[i]), 180, 360 + RowStep * i);
        addLabel(evEv2, QStringLiteral("lbl_Eval2_") + QLatin1String(evalNames[i]), 180, 360 + RowStep * i);
    }
}

QGroupBox *ScheduleView::addFrame(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *f = new QGroupBox(parent);
    f->setObjectName(name);
    place(f, left, top, width, height);
    m_frames.insert(name, f);
    m_frameOrder << name;
    return f;
}

void ScheduleView::addLabel(QGroupBox *frame, const QString &name, int left, int top)
{
    auto *l = new QLabel(frame);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(false);
    // A click on a label is the label's, not the frame's: it does nothing.
    l->setAttribute(Qt::WA_NoMousePropagation);
    const int frameWidth = frame->width() * layout::TwipsPerPixel;
    place(l, left, top, labelWidthTwips(frameWidth, left), RowHeight);
    m_labels.insert(name, l);
}

void ScheduleView::addRows(QGroupBox *frame, const QString &array, int count, int left, int top)
{
    for (int i = 0; i < count; ++i)
        addLabel(frame, QStringLiteral("%1_%2").arg(array).arg(i), left, top + RowStep * i);
}

void ScheduleView::refresh(DisplayModel &m)
{
    m.forEachFrame([&](const QString &name, FrameSlot &slot) {
        QGroupBox *f = m_frames.value(name);
        if (!f)
            return;
        // The caption as the frame can hold it: the title is shaped again at
        // every repaint, so a long recipe name is cut here once. The model
        // holds the caption as typed; the title doubles its "&" so that a
        // beer named "R&D" shows no shortcut letter.
        const int room = titleRoom(f);
        Shown &shown = m_captions[f];
        if (shown.caption != slot.caption || shown.room != room) {
            shown = {slot.caption, room};
            const QString fitted = fittedCaption(slot.caption, f->fontMetrics(), room);
            if (f->title() != fitted)
                f->setTitle(fitted);
        }
        f->setVisible(slot.visible);
    });
    m.forEachLabel([&](const QString &name, LabelSlot &slot) {
        QLabel *l = m_labels.value(name);
        if (!l)
            return;
        // A text with more letters than the label has pixels (a name of
        // megabytes from a recipe file or an import) would be shaped whole at
        // every repaint: the label gets what it can hold of it, its start and
        // its end. Shorter texts are shown as they are.
        const QString shown =
            slot.text.size() > l->width() ? fittedText(slot.text, l->fontMetrics(), l->width()) : slot.text;
        if (l->text() != shown)
            l->setText(shown);
        const QPalette base = l->parentWidget()->palette();
        setRole(l, QPalette::WindowText, slot.fore, base);
        setRole(l, QPalette::Window, slot.back, base);
        if (l->autoFillBackground() != slot.back.has_value())
            l->setAutoFillBackground(slot.back.has_value());
        if (l->toolTip() != slot.toolTip)
            l->setToolTip(slot.toolTip);
        if (l->isVisibleTo(l->parentWidget()) != slot.visible)
            l->setVisible(slot.visible);
    });
}

}  // namespace mostarium
