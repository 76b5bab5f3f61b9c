#include "info_windows_fixture.h"

#include "core/Paths.h"

#include "core/Ini.h"
#include "mainwindow/frmAchtergrond.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <memory>

using namespace mostarium;

namespace {

// A 1 x 1 red GIF (Qt writes no GIF of its own).
const QByteArray kRedGif =
    QByteArray::fromHex("47494638396101000100800000ff000000000021f90400000000002c00000000010001000002024401003b");

class BackgroundChooser : public test::InfoWindowsTest {
protected:
    BackgroundChooser() : test::InfoWindowsTest(false)
    {
        pictures = folder.file("Achtergronden");
        QDir().mkpath(pictures);
        makeMainWindow();
    }

    void makeMainWindow()
    {
        main = std::make_unique<QMainWindow>();
        main->setObjectName("frmRecept");
        QPalette pal = main->palette();
        pal.setColor(QPalette::Window, QColor(205, 209, 203));
        main->setPalette(pal);
        main->setCentralWidget(new QWidget);
        main->resize(400, 300);
    }

    static void solid(const QString &path, QColor colour, int size = 16)
    {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(path));
    }

    frmAchtergrond *open()
    {
        showBackgroundChooser();
        return windows().find<frmAchtergrond>("frmAchtergrond");
    }

    QStringList listed(QWidget *w)
    {
        QStringList names;
        auto *combo = child<QComboBox>(w, "cmbBGkeuze");
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        return names;
    }

    void choose(QWidget *w, const QString &name)
    {
        auto *combo = child<QComboBox>(w, "cmbBGkeuze");
        const int i = combo->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    QColor shownOnMain()
    {
        const QImage img = main->centralWidget()->grab().toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }

    QString stored() { return ReadINI(paths::zymIni(), "Background", "PicFile", "<geen>"); }

    QString pictures;
    std::unique_ptr<QMainWindow> main;
};

TEST_F(BackgroundChooser, ListsPicturesByKindAndPreviewsTheFirst)
{
    solid(pictures + "/zz.bmp", Qt::blue);
    solid(pictures + "/Aa.jpg", Qt::green);
    solid(pictures + "/b.BMP", Qt::yellow);
    writeFile(pictures + "/mm.gif", kRedGif);
    solid(pictures + "/png.png", Qt::black);
    writeFile(pictures + "/notities.txt", "x");

    frmAchtergrond *w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Achtergrondkeuze");
    EXPECT_EQ(listed(w), (QStringList{"b.BMP", "zz.bmp", "mm.gif", "Aa.jpg"}));
    EXPECT_EQ(w->chosenFile(), pictures + "/b.BMP");
    EXPECT_EQ(child<QComboBox>(w, "cmbBGkeuze")->currentText(), "b.BMP");
    const QImage preview = child<QLabel>(w, "picBGkeuze")->pixmap().toImage();
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.size(), child<QLabel>(w, "picBGkeuze")->contentsRect().size());
    EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() / 2), QColor(Qt::yellow));
    EXPECT_FALSE(child(w, "picBron")->isVisible());
    EXPECT_EQ(child(w, "DirDirList")->palette().color(QPalette::Window), QColor(205, 209, 203));

    choose(w, "mm.gif");
    EXPECT_EQ(w->chosenFile(), pictures + "/mm.gif");
    EXPECT_EQ(child<QLabel>(w, "picBGkeuze")->pixmap().toImage().pixelColor(10, 10), QColor(Qt::red));

    // Another folder through the folder list.
    const QString other = folder.file("Eigen");
    QDir().mkpath(other);
    solid(other + "/eigen.jpg", Qt::white);
    EXPECT_TRUE(w->setFolderListPath(other));
    EXPECT_EQ(listed(w), QStringList{"eigen.jpg"});
    EXPECT_EQ(w->chosenFile(), other + "/eigen.jpg");
}

TEST_F(BackgroundChooser, TheChoiceSurvivesARestart)
{
    solid(pictures + "/a.bmp", QColor(10, 120, 200));
    solid(pictures + "/b.bmp", QColor(200, 40, 40));
    frmAchtergrond *w = open();
    choose(w, "b.bmp");
    click(w, "cmdBGOK");
    EXPECT_EQ(stored(), pictures + "/b.bmp");
    EXPECT_FALSE(windows().isLoaded("frmAchtergrond"));
    EXPECT_EQ(shownOnMain(), QColor(200, 40, 40));
    // The plain colour stays for the windows that copy it.
    EXPECT_EQ(main->palette().color(QPalette::Window), QColor(205, 209, 203));

    // Restart: every window gone, a new main window reads the setting.
    main.reset();
    flush();
    makeMainWindow();
    EXPECT_NE(shownOnMain(), QColor(200, 40, 40));
    applyBackground(main.get());
    EXPECT_EQ(tilePicture(main.get()).size(), QSize(16, 16));
    EXPECT_EQ(shownOnMain(), QColor(200, 40, 40));
}

TEST_F(BackgroundChooser, PasToeTriesWithoutStoring)
{
    solid(pictures + "/a.bmp", QColor(10, 120, 200));
    session().app.geluidAan = true;
    frmAchtergrond *w = open();
    click(w, "cmdBGPasToe");
    EXPECT_EQ(shownOnMain(), QColor(10, 120, 200));
    EXPECT_EQ(stored(), "<geen>");
    EXPECT_TRUE(windows().isLoaded("frmAchtergrond"));
    EXPECT_EQ(fake.sounds, QStringList{folder.path() + "/Sounds/zadiver_plop.wav"});
}

TEST_F(BackgroundChooser, AnnulerenRestoresTheStoredPictureOnlyWhenItExists)
{
    solid(pictures + "/a.bmp", QColor(10, 120, 200));
    solid(pictures + "/b.bmp", QColor(200, 40, 40));
    QString storedFile = pictures + "/a.bmp";
    EXPECT_TRUE(WriteINI(paths::zymIni(), "Background", "PicFile", storedFile));

    frmAchtergrond *w = open();
    choose(w, "b.bmp");
    click(w, "cmdBGPasToe");
    EXPECT_EQ(shownOnMain(), QColor(200, 40, 40));
    click(w, "cmdBGAnnuleer");
    EXPECT_FALSE(windows().isLoaded("frmAchtergrond"));
    EXPECT_EQ(shownOnMain(), QColor(10, 120, 200));
    EXPECT_EQ(stored(), storedFile);
    flush();

    // The stored file is gone: the picture tried last stays.
    QFile::remove(storedFile);
    w = open();
    click(w, "cmdBGPasToe");
    click(w, "cmdBGAnnuleer");
    EXPECT_EQ(shownOnMain(), QColor(200, 40, 40));
    EXPECT_EQ(stored(), storedFile);
}

TEST_F(BackgroundChooser, AnEmptyFolderStoresNothingAndClearsThePicture)
{
    solid(folder.file("los.bmp"), QColor(10, 120, 200));
    ASSERT_TRUE(setTilePicture(main.get(), folder.file("los.bmp")));
    frmAchtergrond *w = open();
    EXPECT_TRUE(listed(w).isEmpty());
    EXPECT_TRUE(child<QLabel>(w, "picBGkeuze")->pixmap().isNull());
    click(w, "cmdBGOK");
    EXPECT_EQ(stored(), "");
    EXPECT_TRUE(tilePicture(main.get()).isNull());
    EXPECT_EQ(shownOnMain(), QColor(205, 209, 203));
}

TEST_F(BackgroundChooser, MissingFolderOrBrokenPictureHarmsNothing)
{
    QDir(pictures).removeRecursively();
    frmAchtergrond *w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(listed(w).isEmpty());
    EXPECT_GT(child<QListWidget>(w, "DirDirList")->count(), 0);
    windows().unload("frmAchtergrond");
    flush();

    QDir().mkpath(pictures);
    writeFile(pictures + "/kapot.bmp", "geen plaatje");
    w = open();
    EXPECT_EQ(listed(w), QStringList{"kapot.bmp"});
    EXPECT_TRUE(child<QLabel>(w, "picBGkeuze")->pixmap().isNull());
    click(w, "cmdBGPasToe");
    EXPECT_TRUE(tilePicture(main.get()).isNull());
    click(w, "cmdBGAnnuleer");
    EXPECT_FALSE(windows().isLoaded("frmAchtergrond"));
    flush();
    // "OK" stores the choice before it loads it: a broken picture is stored
    // and the window stays open.
    w = open();
    click(w, "cmdBGOK");
    EXPECT_EQ(stored(), pictures + "/kapot.bmp");
    EXPECT_TRUE(windows().isLoaded("frmAchtergrond"));
    EXPECT_TRUE(tilePicture(main.get()).isNull());
    // applyBackground with a stored file that is no picture leaves the window as it is.
    QString broken = pictures + "/kapot.bmp";
    EXPECT_TRUE(WriteINI(paths::zymIni(), "Background", "PicFile", broken));
    applyBackground(main.get());
    EXPECT_TRUE(tilePicture(main.get()).isNull());
}

TEST_F(BackgroundChooser, HelpPictureOpensItsTopic)
{
    frmAchtergrond *w = open();
    QTest::mouseClick(child(w, "picAchtergrond"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_V_Achtergrond.htm"});
}

}  // namespace
