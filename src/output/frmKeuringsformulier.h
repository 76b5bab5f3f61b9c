#pragma once

#include "platform/WindowBase.h"

class QTextEdit;

namespace mostarium {

// A blank judging sheet from Templates\Keuringsformulier.rtf, to fill in on
// screen and print; nothing is saved.
class frmKeuringsformulier : public WindowBase {
    Q_OBJECT
public:
    frmKeuringsformulier(Session &s, Services &svc, QWidget *parent = nullptr);

    void mnuKFPrint_Click();
    QTextEdit *sheet() const { return m_sheet; }

private:
    void Form_Load();

    QTextEdit *m_sheet = nullptr;
};

}  // namespace mostarium
