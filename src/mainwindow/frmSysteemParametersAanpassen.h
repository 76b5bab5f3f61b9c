#pragma once

#include "platform/WindowBase.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace mostarium {

// The question raised when an opened recipe was saved with other equipment
// values: both sets side by side, work with the recipe's values until the
// program ends, or keep the installation's.
class frmSysteemParametersAanpassen : public WindowBase {
    Q_OBJECT
public:
    frmSysteemParametersAanpassen(Session &s, Services &svc, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdSP_Overnemen_Click();
    void cmdSP_NietOvernemen_Click();

    QGroupBox *fraSysteemParametersAanpassen = nullptr;
    QGroupBox *fraSP_Recept = nullptr;
    QLineEdit *m_installatie[6] = {};
    QLineEdit *m_recept[6] = {};
    QPushButton *cmdSP_NietOvernemen = nullptr;
    QPushButton *cmdSP_Overnemen = nullptr;
};

// Asks the question modally, without an owner window; returns when it closed.
// The about window, which may still stand as the splash, goes first.
void ShowSysteemParametersAanpassen(Session &s);

}  // namespace mostarium
