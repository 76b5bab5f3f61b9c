#pragma once

#include "platform/WindowBase.h"

class QPushButton;

namespace mostarium {

// The about window: title, revision, about text, disclaimer and the links to
// the online site and the guild's site. Start-up also shows it as a splash.
class frmInfo : public WindowBase {
    Q_OBJECT
public:
    frmInfo(Session &s, Services &svc, QWidget *parent = nullptr);

    // The about text for a given year, lines ended by CR LF, the last without.
    static QString beerwareText(int year);

    // Shown without its OK button, above all other windows; returns once it is
    // on the screen and painted (or after SplashPaintBoundMs without that).
    void showAsSplash();
    static constexpr int SplashPaintBoundMs = 1500;
    bool painted() const { return m_painted; }
    // Into or out of the topmost band; position and size stay.
    void setOnTop(bool onTop);

    void lblI_MostariumOnline_Click();
    void lblInfo_WWW_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void cmdOK_Click();

    QPushButton *m_ok = nullptr;
    bool m_painted = false;
};

}  // namespace mostarium
