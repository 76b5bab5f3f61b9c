#pragma once

#include "CalcWindow.h"
#include "WaterCore.h"

#include <array>

class QLabel;
class QScrollBar;
class QTableWidget;

namespace mostarium {

// How the brewing water changes with demineralised water and six salts;
// every change is computed at once and written to temp\WaterProfiel.txt.
class frmWaterAanpassing : public CalcWindow {
    Q_OBJECT
public:
    frmWaterAanpassing(Session &s, Services &svc, QWidget *parent = nullptr);

    // Text of a grid cell; row 1 the water to adjust, 2 the result, 3 the target.
    QString cell(int row, int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ZoutRij {
        QLabel *label = nullptr;
        NumericEdit *hydraat = nullptr;
        QScrollBar *schuif = nullptr;
        NumericEdit *maximum = nullptr;
    };

    void InitWaterGrid();
    void LoadProfiel(int row);
    void LeesWaterProfiel(int row, const QString &path);
    void BerekenWaterProfiel();
    void setCell(int row, int column, const QString &text);
    void schuifChange(int zout);
    void lostFocus(NumericEdit *box);

    NumericEdit *m_volume = nullptr, *m_percDemi = nullptr;
    QTableWidget *m_grid = nullptr;
    std::array<ZoutRij, calc::ZoutAantal> m_zout{};
    // The last report could not be written: its message has been shown, and
    // the status bar says so instead of pointing at the file.
    bool m_rapportFout = false;
};

}  // namespace mostarium
