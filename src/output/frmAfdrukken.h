#pragma once

#include "platform/WindowBase.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace mostarium {

// Where the open recipe goes: printer, screen, an RTF, an HTML and an XML
// file. OK runs the chosen outputs in order.
class frmAfdrukken : public WindowBase {
    Q_OBJECT
public:
    frmAfdrukken(Session &s, Services &svc, QWidget *parent = nullptr);

    void cmdAfdOK_Click();

    // The default base name: the open recipe's, else the beer's, made safe.
    static QString defaultBaseName(const Session &s);

private:
    struct FileRow {
        QCheckBox *check = nullptr;
        QLineEdit *name = nullptr;
        QPushButton *select = nullptr;
        QString extension;
        QString filter;
        QString confirmed;  // the name last chosen in the Save-As dialog
    };

    void rowClicked(FileRow &row, bool checked);
    void selectClicked(FileRow &row);
    // The file a row's box names: empty gets the default, relative lies in
    // the program folder's Recepten.
    QString rowFile(const FileRow &row) const;
    // True when `target` may be written: no such file, the name chosen in the
    // row's Save-As dialog, or Ja to the question.
    bool mayWrite(const FileRow &row, const QString &target) const;

    QGroupBox *m_frame = nullptr;
    QCheckBox *m_printer = nullptr;
    QCheckBox *m_screen = nullptr;
    FileRow m_rtf, m_html, m_xml;
};

}  // namespace mostarium
