// Qt's own dialogs speak Dutch: the open and save dialogs, the overwrite
// question and the input box, through the real services.
#include "mainwindow/Application.h"
#include "platform/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>

using namespace mostarium;

namespace {

// Every text a person reads in a dialog: labels, buttons, tool tips.
QStringList textsOf(QWidget *dialog)
{
    QStringList texts;
    for (QLabel *l : dialog->findChildren<QLabel *>())
        if (l->isVisibleTo(dialog))
            texts << l->text();
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(dialog))
            continue;
        texts << b->text();
        if (!b->toolTip().isEmpty())
            texts << b->toolTip();
    }
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        texts << box->text();
    return texts;
}

QString buttonText(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    const auto *box = dialog->findChild<QDialogButtonBox *>();
    const QAbstractButton *b = box ? box->button(which) : nullptr;
    return b ? b->text() : QStringLiteral("<geen knop>");
}

// Runs `inspect` on the modal dialog once it stands; it must close it.
void whenModal(std::function<void(QWidget *)> inspect)
{
    QTimer::singleShot(0, qApp, [inspect = std::move(inspect)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no dialog was shown";
            return;
        }
        inspect(modal);
    });
}

class DutchQtTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        const QString file = dutchQtTranslationsFile();
        ASSERT_TRUE(QFileInfo(file).isFile())
            << "Qt's Dutch translations are missing: " << qPrintable(file)
            << " (Debian package qt6-translations-l10n); without them Qt's dialogs speak English";
        m_translator = installDutchQtTranslations(qApp);
        ASSERT_NE(m_translator, nullptr) << "could not load " << qPrintable(file);
    }
    void TearDown() override
    {
        // Other tests of this program see Qt as it was.
        while (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        if (m_translator) {
            QCoreApplication::removeTranslator(m_translator);
            delete m_translator;
        }
    }

    QtServices services;
    QTemporaryDir dir;

private:
    QTranslator *m_translator = nullptr;
};

TEST_F(DutchQtTexts, TheOpenDialogHasNoEnglishWord)
{
    QStringList texts;
    QString cancel;
    whenModal([&](QWidget *d) {
        texts = textsOf(d);
        cancel = buttonText(d, QDialogButtonBox::Cancel);
        static_cast<QDialog *>(d)->reject();
    });
    const auto chosen = services.openFileName(QStringLiteral("Recept openen"), dir.path(), QStringLiteral("*.zlv"));

    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(cancel, QStringLiteral("Annuleren"));
    for (const char *dutch : {"Zoeken in:", "Bestands&naam:", "Bestanden van type:", "&Openen"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(dutch))) << dutch << " in " << qPrintable(texts.join(u'|'));
    for (QString t : texts) {
        t.remove(u'&');
        for (const char *english :
             {"Look in:", "File name:", "Files of type:", "Cancel", "Open", "Back", "Detail View"})
            EXPECT_NE(t, QLatin1String(english));
    }
}

TEST_F(DutchQtTexts, SavingOverAnExistingRecipeAsksInDutch)
{
    const QString existing = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList dialogTexts;
    QString question, yes, no;
    whenModal([&](QWidget *d) {
        dialogTexts = textsOf(d);
        auto *fd = qobject_cast<QFileDialog *>(d);
        auto *name = fd ? fd->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        auto *buttons = fd ? fd->findChild<QDialogButtonBox *>() : nullptr;
        QPushButton *save = buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
        if (!name || !save) {
            ADD_FAILURE() << "no save dialog with a file name box and a save button";
            static_cast<QDialog *>(d)->reject();
            return;
        }
        // The question stands in front of the save dialog until answered: No.
        whenModal([&](QWidget *q) {
            auto *box = qobject_cast<QMessageBox *>(q);
            if (!box || !box->button(QMessageBox::Yes) || !box->button(QMessageBox::No)) {
                ADD_FAILURE() << "no Yes/No question";
                q->close();
                return;
            }
            question = box->text();
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        name->setText(QStringLiteral("Zomerblond.zlv"));
        save->click();
        fd->reject();
    });
    const auto chosen = services.saveFileName(QStringLiteral("Recept opslaan"), existing, QStringLiteral("*.zlv"));

    EXPECT_FALSE(chosen.has_value()) << "No keeps the file";
    EXPECT_TRUE(dialogTexts.contains(QStringLiteral("Op&slaan"))) << qPrintable(dialogTexts.join(u'|'));
    EXPECT_EQ(question, QStringLiteral("Zomerblond.zlv bestaat al.\nWilt u het vervangen?"));
    EXPECT_EQ(yes, QStringLiteral("&Ja"));
    EXPECT_EQ(no, QStringLiteral("&Nee"));
}

TEST_F(DutchQtTexts, TheInputBoxCancelsInDutch)
{
    QString ok, cancel;
    whenModal([&](QWidget *d) {
        ok = buttonText(d, QDialogButtonBox::Ok);
        cancel = buttonText(d, QDialogButtonBox::Cancel);
        static_cast<QDialog *>(d)->reject();
    });
    const auto answer =
        services.inputBox(QStringLiteral("Voer gewenste kooktijd in."), QStringLiteral("Mostarium OptiMaischer"),
                          QStringLiteral("60"), InputKind::Decimal);

    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(ok, QStringLiteral("OK"));
    EXPECT_EQ(cancel, QStringLiteral("Annuleren"));
}

}  // namespace
