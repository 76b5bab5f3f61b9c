#include "frmBierIndeling.h"

#include "core/BierIndeling.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "platform/Twips.h"

#include <QFont>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <algorithm>

namespace mostarium {

using layout::px;

namespace {

constexpr int MinimumTwips = 3500;

QTreeWidgetItem *makeItem(const BierIndeling &tree, int index)
{
    const IndelingNode &node = tree.nodes[size_t(index)];
    auto *item = new QTreeWidgetItem(QStringList{node.text});
    if (node.kind == IndelingNode::Kind::Root || node.kind == IndelingNode::Kind::Class) {
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
    }
    QList<QTreeWidgetItem *> children;
    children.reserve(qsizetype(node.children.size()));
    for (int child : node.children)
        children << makeItem(tree, child);
    item->addChildren(children);
    return item;
}

void collectExpanded(QTreeWidgetItem *item, QList<QTreeWidgetItem *> &open)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem *child = item->child(i);
        if (child->isExpanded())
            open << child;
        collectExpanded(child, open);
    }
}

}  // namespace

frmBierIndeling::frmBierIndeling(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmBierIndeling"), s, svc, parent)
{
    // Our own classification: there is no published guide to name.
    setWindowTitle(QStringLiteral("Klasse Indeling van Commerciele Bieren"));
    setSizeGripEnabled(true);

    m_tvIndeling = new QTreeWidget(this);
    m_tvIndeling->setObjectName(QStringLiteral("tvIndeling"));
    m_tvIndeling->setColumnCount(1);
    m_tvIndeling->setHeaderHidden(true);
    m_tvIndeling->setRootIsDecorated(false);
    connect(m_tvIndeling, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item, int) { tvIndeling_NodeClick(item); });

    m_cmdBI_Klaar = new QPushButton(QStringLiteral("&Klaar"), this);
    m_cmdBI_Klaar->setObjectName(QStringLiteral("cmdBI_Klaar"));
    m_cmdBI_Klaar->setDefault(true);
    m_cmdBI_Klaar->resize(px(1215), px(375));
    connect(m_cmdBI_Klaar, &QPushButton::clicked, this, &frmBierIndeling::cmdBI_Klaar_Click);

    m_picIndeling_Help = helpPicture(QStringLiteral("MI_T_Klassenindeling.htm"));
    m_picIndeling_Help->setObjectName(QStringLiteral("picIndeling_Help"));
    m_picIndeling_Help->adjustSize();

    setMinimumSize(px(MinimumTwips), px(MinimumTwips));
    resize(px(7500), px(8500));

    takeMainColours();
    LoadBierIndeling();
}

void frmBierIndeling::LoadBierIndeling()
{
    m_tvIndeling->clear();
    BierIndeling tree;
    const QString name = QStringLiteral("BierIndeling.txt");
    // In any letter case; else the exact name, so that a folder there is named.
    QString path = paths::existingFile(name);
    if (path.isEmpty())
        path = paths::file(name);
    const FileRead read = readBierIndeling(path, tree);
    // A missing file leaves the tree empty, as a stopped one stays half; a
    // folder or a huge file in its place is named.
    if (read != FileRead::Ok && read != FileRead::Missing)
        m_svc.msgBox(refusedFileText(name, read), mb::Exclamation, QStringLiteral("Attentie!"));
    if (!tree.empty())
        m_tvIndeling->addTopLevelItem(makeItem(tree, 0));
    if (read == FileRead::Ok && tree.stop == IndelingStop::None)
        applyDisplaySettings();
}

void frmBierIndeling::applyDisplaySettings()
{
    // Plus and minus boxes from the root down, a single fixed border, and the
    // selection still shown when the tree has no focus.
    m_tvIndeling->setRootIsDecorated(true);
    m_tvIndeling->setItemsExpandable(true);
    m_tvIndeling->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_tvIndeling->setLineWidth(1);
    QPalette p = m_tvIndeling->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    m_tvIndeling->setPalette(p);
}

void frmBierIndeling::tvIndeling_NodeClick(QTreeWidgetItem *node)
{
    if (!node || node->childCount() < 2)
        return;
    // Taking the children out folds them and all below: what was open opens again.
    QList<QTreeWidgetItem *> open;
    collectExpanded(node, open);
    QList<QTreeWidgetItem *> children = node->takeChildren();
    std::stable_sort(children.begin(), children.end(),
                     [](QTreeWidgetItem *a, QTreeWidgetItem *b) { return indelingLess(a->text(0), b->text(0)); });
    node->addChildren(children);
    for (QTreeWidgetItem *item : open)
        item->setExpanded(true);
}

void frmBierIndeling::cmdBI_Klaar_Click() { unload(); }

void frmBierIndeling::resizeEvent(QResizeEvent *event)
{
    WindowBase::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_tvIndeling->setGeometry(px(100), px(100), std::max(0, w - px(200)), std::max(0, h - px(900)));
    m_cmdBI_Klaar->move(w / 2 - m_cmdBI_Klaar->width() / 2, h - px(600));
    m_picIndeling_Help->move(px(100), h - px(600) + (m_cmdBI_Klaar->height() - m_picIndeling_Help->height()) / 2);
}

}  // namespace mostarium
