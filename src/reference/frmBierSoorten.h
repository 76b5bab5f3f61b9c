#pragma once

#include "platform/WindowBase.h"

#include <QPersistentModelIndex>
#include <QStringList>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

// "<program folder>/Biersoorten.txt niet gevonden!"
QString bierSoortenNietGevonden();
inline const QString BierSoortenNietGelezen = QStringLiteral("BierSoorten.txt kan niet worden gelezen!");
inline const QString BierSoortenNietOpgeslagen = QStringLiteral("BierSoorten.txt kan niet worden opgeslagen!");
inline const QString KommaOntbreekt = QStringLiteral("' , '  tussen soortnaam en gegevens ontbreekt!");
inline const QString KiesEerstTeVervangen = QStringLiteral("Kies eerst in de lijst de biersoort die u wilt vervangen!");

// The editor of the style list BierSoorten.txt. The edits live in the list
// until OK writes the whole file; Cancel and the close box leave it as it was.
class frmBierSoorten : public WindowBase {
    Q_OBJECT
public:
    // The window over the program folder's list; a list that is missing or
    // cannot be read is named in a message and no window is made.
    static QWidget *open(Session &s, Services &svc);

    frmBierSoorten(Session &s, Services &svc, const QString &path, const QStringList &lines, QWidget *parent = nullptr);

    // The list's items, top to bottom.
    QStringList items() const;
    // The row of the style last chosen from the list; -1 when none is.
    int rememberedRow() const;

    void cmdBS_Vervang_Click();
    void cmdBS_Verwijder_Click();
    void cmdBS_Voegtoe_Click();
    void cmdBS_OK_Click();
    void cmdBS_Annuleren_Click();

protected:
    void onCancel() override { cmdBS_Annuleren_Click(); }

private:
    void LoadBierSoorten(const QStringList &lines);
    [[nodiscard]] bool SaveBierSoorten();
    void chosen(int row);
    void typed();
    // The typed line, trimmed, when it may be added; else says why.
    std::optional<QString> lineToAdd();
    // Adds in the sorted place; the text field and the list's own selection
    // stay as they were. Returns the new item's row.
    int addSorted(const QString &line);
    void removeRow(int row);
    void showCaption();

    QString m_path;
    QPersistentModelIndex m_remembered;

    QGroupBox *m_fraBierSoorten = nullptr;
    QLabel *m_lblBS_Selecteer = nullptr;
    QComboBox *m_cmbBierSoorten = nullptr;
};

}  // namespace mostarium
