#pragma once

#include "CalcWindow.h"
#include "ContinueHoppenCore.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace mostarium {

// Continuous hopping: a schedule of additions at a fixed interval, shown in a
// grid and written to temp\<prefix>ContinueHoppen.csv.
class frmContinueHoppen : public CalcWindow {
    Q_OBJECT
public:
    frmContinueHoppen(Session &s, Services &svc, QWidget *parent = nullptr);

    QString reportPath() const;

private:
    void InitOverzichtGrid();
    bool ControleerWaarden();
    // False when no schedule came of it.
    bool BerekenSchema();
    [[nodiscard]] bool SaveContinueHoppenCSV();
    void cmdCHBereken_Click();

    calc::ContinueHoppenInput invoer() const;
    void toonSchema(const calc::ContinueHoppenSchema &schema);
    void geenSchema();

    NumericEdit *m_doelEBU = nullptr, *m_kooktijd = nullptr, *m_interval = nullptr, *m_startSG = nullptr,
                *m_eindSG = nullptr, *m_alfazuur = nullptr, *m_volume = nullptr, *m_ebuVerschil = nullptr;
    QComboBox *m_hoedanigheid = nullptr;
    QLineEdit *m_prefix = nullptr;
    std::array<QRadioButton *, 3> m_modus{};
    QLabel *m_aantal = nullptr, *m_totaal = nullptr;
    QTableWidget *m_grid = nullptr;
    // The labels whose captions head the report's lines.
    std::array<QLabel *, 9> m_reportLabels{};
};

}  // namespace mostarium
