#pragma once

#include "core/SysParameters.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QToolButton;

namespace mostarium {

class NumericEdit;

// The installation's six equipment values.
class frmSysParameters : public QWidget {
    Q_OBJECT
public:
    explicit frmSysParameters(QWidget *parent = nullptr);

    static void registerWindow();

private:
    void cmdSP_OK_Click();
    void cmdSP_Annuleren_Click();
    SysParamTexts texts() const;

    std::array<NumericEdit *, SpCount> m_boxes{};
    std::array<QString, SpCount> m_toolTips;  // as designed, shown again once a box is good
};

} // namespace mostarium
