#pragma once

#include "RecipeDialog.h"

#include <array>

class QCalendarWidget;
class QLineEdit;

namespace mostarium {

// The main window's schedule and evaluation frame captions after the general
// data changed: the beer name, with the target volumes once they are stored,
// and the read-only mark of the open file.
void AlgemeenCaptions(Session &s);

// The beer name, up to five brewers, the brew and the bottling date, all free
// text; a calendar beside each date writes a picked day into its box.
class frmAlgemeen : public RecipeDialog {
    Q_OBJECT
public:
    frmAlgemeen(Session &s, Services &svc, QWidget *parent = nullptr);

private:
    void store() override;
    void afterStore() override;
    // Each entry decides the changed flag itself.
    bool setsChangedFlag() const override { return false; }

    QLineEdit *m_name = nullptr;
    std::array<QLineEdit *, 5> m_brewers{};
    QLineEdit *m_brewDate = nullptr;
    QLineEdit *m_bottlingDate = nullptr;
    QCalendarWidget *m_brewCalendar = nullptr;
    QCalendarWidget *m_bottlingCalendar = nullptr;
};

}  // namespace mostarium
