#pragma once

#include "CalcWindow.h"

#include <array>

class QGridLayout;
class QLabel;
class QPushButton;

namespace mostarium {

// The wort measured after sparging against the targets: its gravity at the
// target volume and the volume that gives the target OG, per beer.
class frmEindbeStemming : public CalcWindow {
    Q_OBJECT
public:
    frmEindbeStemming(Session &s, Services &svc, QWidget *parent = nullptr);

    // Told by the opener: the second beer's half shows exactly in a double brew.
    void setDubbelBrouw(bool dubbel);
    bool dubbelBrouw() const { return m_dubbel; }

private:
    struct Beer {
        QWidget *half = nullptr;
        QLabel *volumeD = nullptr, *ogD = nullptr;
        NumericEdit *volNaSpoelen = nullptr, *sgNaSpoelen = nullptr;
        QLabel *bestemmingVol = nullptr, *bestemmingOG = nullptr;
    };

    QWidget *makeHalf(int beer, Beer &b);
    void writeTargets();
    bool ControleerWaarden();
    void BerekenBestemming();
    float targetVolume(int beer) const;

    std::array<Beer, 2> m_beer;
    QGridLayout *m_grid = nullptr;
    QPushButton *m_bereken = nullptr, *m_klaar = nullptr;
    bool m_dubbel = false;
};

}  // namespace mostarium
