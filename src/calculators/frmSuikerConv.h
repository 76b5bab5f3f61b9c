#pragma once

#include "CalcWindow.h"

#include <array>

class QLineEdit;
class QRadioButton;

namespace mostarium {

// Sugar concentration between grams per litre, density and degrees Plato;
// every conversion goes into temp\Conversie.log, started afresh at each load.
class frmSuikerConv : public CalcWindow {
    Q_OBJECT
public:
    frmSuikerConv(Session &s, Services &svc, QWidget *parent = nullptr);

    static QString logPath();

private:
    void PasGUIAan();
    bool ControleerInvoer();
    void ConverteerEenheden();
    void LogConversie();
    int selected(const std::array<QRadioButton *, 3> &options) const;

    void cmdConverteer_Click();
    void optConvVan_Click(int index);
    void optConvOutput_Click(int index);

    NumericEdit *m_input = nullptr;
    QLineEdit *m_output = nullptr;
    std::array<QRadioButton *, 3> m_van{};
    std::array<QRadioButton *, 3> m_naar{};
};

}  // namespace mostarium
