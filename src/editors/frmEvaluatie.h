#pragma once

#include "RecipeDialog.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// The measured volume, OG and FG of each beer. Its OK stores them and runs the
// evaluation alone; it is no step of the wizard and has no help picture.
class frmEvaluatie : public RecipeDialog {
    Q_OBJECT
public:
    frmEvaluatie(Session &s, Services &svc, QWidget *parent = nullptr);

    // Every box of the beers shown marked red or white; true when none failed.
    bool ControleerWaarden();
    // The boxes into Evaluatie, with the evaluation bit.
    void BewaarMetingen();

protected:
    bool check() override { return ControleerWaarden(); }
    void beforeStore() override;
    void store() override { BewaarMetingen(); }
    void afterStore() override;
    bool inChain() const override { return false; }
    QString successor() const override { return {}; }

private:
    void Form_Load();

    QGroupBox *m_fra[2] = {};
    NumericEdit *m_vol[2] = {}, *m_og[2] = {}, *m_fg[2] = {};
    QPushButton *m_ok = nullptr, *m_cancel = nullptr;
};

}  // namespace mostarium
