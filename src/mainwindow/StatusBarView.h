#pragma once

#include <QList>
#include <QRgb>
#include <array>

class QLabel;
class QStatusBar;
class QTimer;

namespace mostarium {

struct DisplayModel;

// Text of a greyed panel: plainly grey, yet readable on the window's grey.
inline constexpr QRgb GreyedPanelText = 0xFF585858;  // RGB(88, 88, 88)

// The ten panels of the main window's status bar: brew mode, the six recipe
// parts, the recipe's path, the date and the time. Panels 1 to 8 show the
// display model; the date and time panels keep themselves current.
class StatusBarView {
public:
    explicit StatusBarView(QStatusBar *bar);

    void refresh(const DisplayModel &model);
    // Widths in twips, panels 1..10.
    void setWidths(const std::array<double, 10> &twips);
    // Date and time from the services' clock.
    void tick();

    QLabel *panel(int oneBased) const { return m_panels.value(oneBased - 1); }

private:
    QList<QLabel *> m_panels;
};

}  // namespace mostarium
