#include "StatusBarView.h"

#include "Layout.h"
#include "core/DisplayModel.h"
#include "core/Services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace mostarium {

namespace {
// The panels keep their widths in twips; their fixed texts (the parts of a
// recipe, the brew mode, the date and time) must show whole in them.
QFont panelFont(const QFont &base)
{
    const DisplayModel fresh;
    const std::array<double, 10> widths = layout::panelWidths(15000);
    std::vector<layout::TextWidth> texts;
    auto add = [&](const QString &text, int panel) {
        // Less the sunken frame on either side and a pixel to spare.
        texts.emplace_back(text, layout::px(widths[std::size_t(panel)]) - 3);
    };
    add(QStringLiteral("DB"), 0);
    for (int i = 1; i < 7; ++i)
        add(fresh.panels[std::size_t(i)].text, i);
    add(QStringLiteral("88-88-88"), 8);
    add(QStringLiteral("88:88:88"), 9);
    return layout::narrowedToFit(base, texts);
}
}  // namespace

StatusBarView::StatusBarView(QStatusBar *bar)
{
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    auto *row = new QWidget(bar);
    row->setObjectName(QStringLiteral("StatusBarPanels"));
    row->setFont(panelFont(bar->font()));
    auto *lay = new QHBoxLayout(row);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    for (int i = 1; i <= 10; ++i) {
        auto *p = new QLabel(row);
        p->setObjectName(QStringLiteral("StatusBar_Panel%1").arg(i));
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setTextFormat(Qt::PlainText);
        p->setAlignment(Qt::AlignCenter);
        p->setMinimumWidth(0);
        // A greyed recipe part must still be read on the window's grey: the
        // style's own disabled text nearly vanishes there.
        QPalette pal = p->palette();
        pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor::fromRgb(GreyedPanelText));
        p->setPalette(pal);
        lay->addWidget(p);
        m_panels << p;
    }
    lay->addStretch(1);
    bar->addWidget(row, 1);
    setWidths(layout::panelWidths(15000));
    tick();
}

void StatusBarView::setWidths(const std::array<double, 10> &twips)
{
    for (int i = 0; i < 10; ++i)
        m_panels[i]->setFixedWidth(std::max(0, layout::px(twips[std::size_t(i)])));
}

void StatusBarView::refresh(const DisplayModel &model)
{
    for (int i = 0; i < 8; ++i) {
        const PanelSlot &slot = model.panels[std::size_t(i)];
        QLabel *p = m_panels[i];
        if (p->text() != slot.text)
            p->setText(slot.text);
        p->setEnabled(slot.enabled);
        p->setToolTip(slot.toolTip);
        // The recipe's path is right-aligned once it is too long to show
        // whole, so that its file name stays in view.
        const bool right = i == 7 && slot.text.size() >= 76;
        p->setAlignment(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignHCenter));
    }
}

void StatusBarView::tick()
{
    const QDateTime now = services().now();
    // Day first, as a Dutch reader reads a date.
    m_panels[8]->setText(now.toString(QStringLiteral("dd-MM-yy")));
    m_panels[9]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace mostarium
