#pragma once

#include "platform/WindowBase.h"

class QPushButton;
class QTextEdit;

namespace mostarium {

// A fixed table for judging a recipe: it reads nothing of the recipe.
class ReferenceCard : public WindowBase {
    Q_OBJECT
public:
    ReferenceCard(const QString &name, Session &s, Services &svc, QWidget *parent);

protected:
    // The OK button and the help picture below the card's frames.
    void finish(QLayout *frames, const QString &okName, const QString &helpName, const QString &topic);
    void cmdOK_Click();
};

class frmEBCSchatting : public ReferenceCard {
    Q_OBJECT
public:
    explicit frmEBCSchatting(Session &s, Services &svc, QWidget *parent = nullptr);
};

class frmEBURef : public ReferenceCard {
    Q_OBJECT
public:
    explicit frmEBURef(Session &s, Services &svc, QWidget *parent = nullptr);
};

class frmCO2Ref : public ReferenceCard {
    Q_OBJECT
public:
    explicit frmCO2Ref(Session &s, Services &svc, QWidget *parent = nullptr);
};

// The text on units met in foreign brewing literature, read-only.
class frmEenheden : public WindowBase {
    Q_OBJECT
public:
    explicit frmEenheden(Session &s, Services &svc, QWidget *parent = nullptr);

private:
    QTextEdit *m_rtfEenheden = nullptr;
};

}  // namespace mostarium
