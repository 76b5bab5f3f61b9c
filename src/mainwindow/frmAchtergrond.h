#pragma once

#include "platform/WindowBase.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace mostarium {

// Lets the user pick a picture as the main window's background, preview it,
// try it ("Pas toe") and store it (ZYM.ini, Background/PicFile).
class frmAchtergrond : public WindowBase {
    Q_OBJECT
public:
    frmAchtergrond(Session &s, Services &svc, QWidget *parent = nullptr);

    void FillBackgroundList();
    void PreviewBackground();

    QString pictureFolder() const { return m_folder; }
    QString chosenFile() const { return m_chosen; }
    // The folder list's path; false (nothing changed) when it does not exist.
    bool setFolderListPath(const QString &path);

protected:
    // Esc is "Annuleren": the stored picture comes back.
    void onCancel() override { cmdBGAnnuleer_Click(); }

private:
    void drvDrive_Change();
    void DirDirList_Change();
    void cmbBGkeuze_Click(int index);
    void cmdBGOK_Click();
    void cmdBGPasToe_Click();
    void cmdBGAnnuleer_Click();
    bool loadAndPaint(const QString &file);
    void playIfOn(const QString &sound) const;
    void fillFolderList(const QString &path);

    QString m_folder;
    QString m_chosen;
    QString m_dirPath;
    QComboBox *m_drive = nullptr;
    QListWidget *m_dirs = nullptr;
    QComboBox *m_pictures = nullptr;
    QLabel *m_preview = nullptr;
    QLabel *m_source = nullptr;
};

}  // namespace mostarium
