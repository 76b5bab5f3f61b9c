#pragma once

#include "platform/WindowBase.h"

namespace mostarium {

// The notice on how to hear of new revisions: send an e-mail. It checks and
// stores nothing.
class frmRegistreer : public WindowBase {
    Q_OBJECT
public:
    frmRegistreer(Session &s, Services &svc, QWidget *parent = nullptr);

    static QString noticeText();
};

}  // namespace mostarium
