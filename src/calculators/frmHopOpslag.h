#pragma once

#include "CalcCore.h"
#include "CalcWindow.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace mostarium {

// How much alpha acid a hop has lost in storage; a recipe hop fills in its
// alpha and form by one pick. The report goes to temp\<prefix>HopOpslagFactor.txt.
class frmHopOpslag : public CalcWindow {
    Q_OBJECT
public:
    frmHopOpslag(Session &s, Services &svc, QWidget *parent = nullptr);

    QString reportPath() const;

private:
    void FillHopRecept();
    bool ControleerWaarden();
    void BerekenHopOpslagFactor();
    [[nodiscard]] bool ArchiveerHopOpslagFactor();

    void cmbHopRecept_Click(int k);
    void cmdHOBereken_Click();

    QString caption(const char *labelName) const;

    QComboBox *m_hopRecept = nullptr;
    NumericEdit *m_alfa = nullptr, *m_beta = nullptr, *m_tijd = nullptr, *m_temp = nullptr;
    QComboBox *m_bloemPel = nullptr, *m_vacuum = nullptr, *m_zuurstof = nullptr;
    QLineEdit *m_prefix = nullptr;
    QLineEdit *m_factor = nullptr, *m_huidigAlfa = nullptr;
    std::vector<calc::ReceptHop> m_hopReceptTabel;
};

}  // namespace mostarium
