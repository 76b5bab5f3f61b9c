#pragma once

#include "core/SysParameters.h"

#include "platform/WindowBase.h"

#include <array>

class QLabel;
class QPushButton;
class QToolButton;

namespace mostarium {

class NumericEdit;

// The installation's six equipment values.
class frmSysParameters : public WindowBase {
    Q_OBJECT
public:
    frmSysParameters(Session &s, Services &svc, QWidget *parent = nullptr);

private:
    void cmdSP_OK_Click();
    void cmdSP_Annuleren_Click();
    SysParamTexts texts() const;

    std::array<NumericEdit *, SpCount> m_boxes{};
    std::array<QString, SpCount> m_toolTips;  // as designed, shown again once a box is good
};

}  // namespace mostarium
