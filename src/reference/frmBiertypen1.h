#pragma once

#include "StyleRecords.h"

#include "platform/WindowBase.h"

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QWidget;

namespace mostarium {

// The style database browser: the styles with their figures, read-only, and
// Open Recept, which makes a style's suggested recipe the open recipe.
class frmBiertypen1 : public WindowBase {
    Q_OBJECT
public:
    explicit frmBiertypen1(Session &s, Services &svc, QWidget *parent = nullptr);
    ~frmBiertypen1() override;

    void cmdOpen_Click();
    void cmdClose_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();

    const StyleRecords &records() const { return m_records; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    // Handles a navigation key as the window does; false for other keys.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void adoPrimaryRS_MoveComplete();
    void moved(bool ok);
    void gridClicked(int row);
    void fillGrid();

    StyleRecords m_records;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    QWidget *m_picButtons = nullptr, *m_picStatBox = nullptr;
    QPushButton *m_cmdClose = nullptr, *m_cmdOpen = nullptr;
    QPushButton *m_cmdFirst = nullptr, *m_cmdPrevious = nullptr, *m_cmdNext = nullptr, *m_cmdLast = nullptr;
    QLabel *m_lblStatus = nullptr;
    bool m_syncing = false;
};

}  // namespace mostarium
