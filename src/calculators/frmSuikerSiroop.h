#pragma once

#include "CalcWindow.h"

#include <array>

class QLineEdit;

namespace mostarium {

// Priming sugar for the batch and per bottle; the report goes to
// temp\SuikerHoeveelheid.txt.
class frmSuikerSiroop : public CalcWindow {
    Q_OBJECT
public:
    frmSuikerSiroop(Session &s, Services &svc, QWidget *parent = nullptr);

    static QString reportPath();

private:
    void ClearResults();
    bool ControleerWaarden();
    void BerekenSuikerSiroop();
    [[nodiscard]] bool Archiveer();
    void cmdSSBereken_Click();

    QString caption(const char *name) const;

    NumericEdit *m_aanwezig = nullptr, *m_gewenst = nullptr, *m_volume = nullptr, *m_xxVolume = nullptr;
    QLineEdit *m_suikerNodig = nullptr, *m_mlSiroop = nullptr, *m_grSiroop = nullptr;
    std::array<QLineEdit *, 4> m_gram{}, m_siroop{};
    QLineEdit *m_gramxx = nullptr, *m_siroopxx = nullptr;
};

}  // namespace mostarium
