#pragma once

#include "CalcWindow.h"
#include "HopPartitionCore.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace mostarium {

// HopPartition Magic: the bitterness of one hop addition divided over up to
// four varieties at hand; the report goes to temp\HopPartition.txt.
class frmHopPartition : public CalcWindow {
    Q_OBJECT
public:
    frmHopPartition(Session &s, Services &svc, QWidget *parent = nullptr);

    static QString reportPath();
    int rowCount() const { return m_n; }

private:
    void ToonHopRijen();
    void cmbHP_Aantal_Click();
    void cmdHP_Bereken_Click();
    bool ControleerInvoer();
    void BerekenHopOnderverdeling();
    [[nodiscard]] bool ArchiveerHopOnderverdeling();

    calc::HopPartitionInput invoer() const;
    void attentie(const QString &text);

    static constexpr std::size_t Rows = calc::MaxHopSoorten;
    NumericEdit *m_gramNodig = nullptr, *m_aPerc = nullptr;
    QComboBox *m_aantal = nullptr;
    std::array<QLabel *, Rows> m_nummer{}, m_starAlfa{}, m_starGram{};
    std::array<NumericEdit *, Rows> m_alfa{}, m_gram{};
    std::array<QLineEdit *, Rows> m_perc{};
    int m_n = 2;
};

}  // namespace mostarium
