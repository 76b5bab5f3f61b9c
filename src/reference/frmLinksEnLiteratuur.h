#pragma once

#include "platform/WindowBase.h"

class QComboBox;

namespace mostarium {

// Links and literature: the link files of the URLs folder, opened on choice,
// and two recommended books.
class frmLinksEnLiteratuur : public WindowBase {
    Q_OBJECT
public:
    explicit frmLinksEnLiteratuur(Session &s, Services &svc, QWidget *parent = nullptr);

    void LoadLinks();
    void cmbLLLink_Click(const QString &item);
    void cmdLLOK_Click();

private:
    QComboBox *m_cmbLLLink = nullptr;
};

// The names of the ordinary files "*.url" (any letter case) in `folder`,
// ordered without regard to case.
QStringList linkFileNames(const QString &folder);

}  // namespace mostarium
