#pragma once

#include "core/Tips.h"

#include "platform/WindowBase.h"

#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace mostarium {

// Tip of the day: one tip of Tips.txt at a time, random or in file order, and
// the start-up option ShowTips.
class frmTip : public WindowBase {
    Q_OBJECT
public:
    frmTip(Session &s, Services &svc, QWidget *parent = nullptr);

    // Where random order draws its numbers in [0, 1); tests fix it.
    static void setRandomSource(std::function<double()> source);

    void LoadTips(const QString &path);
    void DoNextTip();
    void DisplayCurrentTip();

private:
    void cmdNextTip_Click();
    void cmdOK_Click();

    TipCycle m_tips;
    QLabel *m_text = nullptr;
    QLabel *m_index = nullptr;
    QRadioButton *m_random = nullptr;
    QRadioButton *m_inOrder = nullptr;
    QCheckBox *m_showAtStartUp = nullptr;
};

}  // namespace mostarium
