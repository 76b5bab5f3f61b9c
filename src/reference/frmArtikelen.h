#pragma once

#include "platform/WindowBase.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QGroupBox;

namespace mostarium {

inline const QString DefaultPdfReader = QStringLiteral("/usr/bin/xdg-open");
inline const QString PdfLezerVraag =
    QStringLiteral("PDF-lezer niet gevonden op de ingestelde lokatie!\r\nWilt U Uw systeem laten zoeken naar "
                   "een PDF-lezer?");
inline const QString PdfLezerOntbreekt = QStringLiteral("PDF-lezer niet gevonden! Installeer een PDF-lezer.");

// The articles: the PDF documents of the Documentatie folder, opened in the
// PDF reader that ZYM.ini names. No menu opens it.
class frmArtikelen : public WindowBase {
    Q_OBJECT
public:
    explicit frmArtikelen(Session &s, Services &svc, QWidget *parent = nullptr);

    void LoadArtikelen();
    void cmbArtikelen_Click(const QString &item);

    // The command line last started (the reader and its argument), the
    // reader's path, the chosen article's path.
    QString m_commandLine, m_readerPath, m_articlePath;
};

// The file finder: searches the disk for the PDF reader, stores the one chosen
// and opens the article with it.
class frmSearch : public WindowBase {
    Q_OBJECT
public:
    explicit frmSearch(Session &s, Services &svc, QWidget *parent = nullptr);

    // The article to open with the reader found, and the name to look for.
    void prepare(const QString &articlePath, const QString &pattern);

    void Command1_Click();  // Zoek, or Stop while searching
    void Command2_Click();  // browse for a folder
    void Command3_Click();  // Klaar
    void ClearResults();
    void List1_Click();
    void openSelected();
    void copyPicture();

    bool searching() const { return m_searching; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void onCancel() override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *m_text1 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QListWidget *m_list1 = nullptr;
    QLabel *m_label3 = nullptr, *m_image1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QString m_articlePath;
    bool m_searching = false, m_stop = false, m_klaarAfterSearch = false, m_unloadAfterSearch = false;
    bool m_hasPicture = false;
};

}  // namespace mostarium
