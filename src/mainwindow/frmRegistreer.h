#pragma once

#include <QWidget>

namespace mostarium {

// The notice on how to hear of new revisions: send an e-mail. It checks and
// stores nothing.
class frmRegistreer : public QWidget {
    Q_OBJECT
public:
    explicit frmRegistreer(QWidget *parent = nullptr);

    static void registerWindow();
    static QString noticeText();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace mostarium
