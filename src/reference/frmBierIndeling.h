#pragma once

#include "platform/WindowBase.h"

class QPushButton;
class QResizeEvent;
class QTreeWidget;
class QTreeWidgetItem;

namespace mostarium {

class ClickLabel;

// The classification of commercial beers as a tree, read from
// BierIndeling.txt each time the window opens; it only shows it.
class frmBierIndeling : public WindowBase {
    Q_OBJECT
public:
    explicit frmBierIndeling(Session &s, Services &svc, QWidget *parent = nullptr);

    void LoadBierIndeling();
    // A node with more than one child gets its children sorted.
    void tvIndeling_NodeClick(QTreeWidgetItem *node);
    void cmdBI_Klaar_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The settings a whole file earns; a stopped one goes without.
    void applyDisplaySettings();

    QTreeWidget *m_tvIndeling = nullptr;
    QPushButton *m_cmdBI_Klaar = nullptr;
    ClickLabel *m_picIndeling_Help = nullptr;
};

}  // namespace mostarium
