#pragma once

#include "mainwindow/test_filecommands_fixture.h"

#include "core/RecipeFile.h"
#include "platform/Twips.h"
#include "platform/WindowRoutines.h"
#include "support/RecipeBuilders.h"

#include <QLineEdit>
#include <QPushButton>

namespace mostarium::test {

// The main window with its file commands, a recipe loaded into the session
// and the dialogs opened from their menu items as a person would.
class OpenDialogTest : public FileCommandsTest {
protected:
    // The session becomes `recipe`; the installation of the fixture (which
    // matches the sample recipes) stays.
    void load(const Session &recipe)
    {
        const RecipeState installed = s().recipe;
        s() = recipe;
        RecipeState &r = s().recipe;
        r.ReceptPath = installed.ReceptPath;
        r.KetelInhoud = installed.KetelInhoud;
        r.MaximumAlcPerc = installed.MaximumAlcPerc;
        r.VolFilterPlaatBodem = installed.VolFilterPlaatBodem;
        r.FixedVolFilterPlaatBodem = installed.FixedVolFilterPlaatBodem;
        r.FilterKuipInhoud = installed.FilterKuipInhoud;
        r.Evaporatie = installed.Evaporatie;
        r.BrouwVerlies = installed.BrouwVerlies;
        s().app.geluidAan = false;
        w->refreshView();
    }

    // Opens `window` through its menu item; nullptr when it did not show.
    QWidget *open(const char *command, const char *window)
    {
        trigger(command);
        QWidget *d = windows().find(QLatin1String(window));
        EXPECT_TRUE(d && d->isVisible()) << window;
        return d && d->isVisible() ? d : nullptr;
    }

    template <typename T = QLineEdit>
    static T *in(QWidget *dialog, const QString &name)
    {
        T *c = dialog ? dialog->findChild<T *>(name) : nullptr;
        EXPECT_NE(c, nullptr) << qPrintable(name);
        return c;
    }

    static void press(QWidget *dialog, const char *button)
    {
        auto *b = in<QPushButton>(dialog, QLatin1String(button));
        ASSERT_NE(b, nullptr);
        b->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static bool loaded(const char *window) { return windows().isLoaded(QLatin1String(window)); }

    // The recipe saved by the program as Recepten/<name>, a file of exactly
    // MaxRecipeFileSize: the beer name is made long enough to fill it.
    QString saveAtTheBound(const QString &name)
    {
        RecipeState &r = s().recipe;
        r.setStatus(StatusAlgemeen);
        r.Algemeen(0).clear();
        r.Algemeen(0) = QString(MaxRecipeFileSize - recipeFileBytes(s()).size(), u'b');
        const QString path = folder.file(QStringLiteral("Recepten/") + name);
        s().app.fileName = path;
        EXPECT_EQ(SaveRecept(s()).outcome, SaveOutcome::Saved);
        EXPECT_EQ(bytes(path).size(), MaxRecipeFileSize);
        fake.clear();
        return path;
    }

    // A copy of a sample recipe under another name, opened as the recipe.
    QString openCopy(const QString &name, const QString &sampleName = QStringLiteral("Herfstbok.zlv"))
    {
        const QString path = folder.file(QStringLiteral("Recepten/") + name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(sample(sampleName), path));
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        EXPECT_TRUE(fc->openFile(path));
        fake.clear();
        return path;
    }
};

}  // namespace mostarium::test
