// Paths kept in ZYM.ini read back exactly as they were written, whatever
// letters they hold, and a settings file of plain Windows-1252 paths reads
// unchanged.

#include "core/FileHistory.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "core/ZymSettings.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QString zymValue(const char *section, const char *key)
{
    return ReadINI(paths::zymIni(), QLatin1String(section), QLatin1String(key), QStringLiteral("<none>"));
}

TEST(SettingPaths, EveryPathReadsBackAsWritten)
{
    TempProgramFolder folder;
    const struct {
        const char *what;
        QString path;
        QByteArray stored;  // the value's bytes in the file
    } cases[] = {
        {"Polish letters", QStringLiteral("/r/Recepten/Bier żółć/Bock.zlv"),
         "/r/Recepten/Bier <17C>\xF3<142><107>/Bock.zlv"},
        {"Windows-1252 only", QStringLiteral("C:\\Recepten\\Café Œuvre €\\Bock.zlv"),
         "C:\\Recepten\\Caf\xE9 \x8Cuvre \x80\\Bock.zlv"},
        {"a letter beyond the first plane", QStringLiteral("/r/Bier \U0001F37A.zlv"), "/r/Bier <1F37A>.zlv"},
        {"the escape's own sign", QStringLiteral("/r/a<17C>b.zlv"), "/r/a<3C>17C>b.zlv"},
        {"blanks at both ends", QStringLiteral(" /r/Bock.zlv "), "<20>/r/Bock.zlv<20>"},
        {"a no-break space at the end", QStringLiteral("/r/Bock\u00A0"), "/r/Bock<A0>"},
        {"a line break and a tab", QStringLiteral("/r/a\nb\tc.zlv"), "/r/a<0A>b<09>c.zlv"},
        {"a question mark of its own", QStringLiteral("/r/Wat?.zlv"), "/r/Wat?.zlv"},
        {"empty", QString(), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decodeSettingPath(encodeSettingPath(c.path)), c.path);
        keepZymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath"), c.path);
        EXPECT_EQ(zymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath")), c.path);
        const QByteArray file = fileBytes(paths::zymIni());
        EXPECT_TRUE(file.contains("\r\nReceptPath=" + c.stored + "\r\n")) << file.constData();
    }
    // A missing key gives the default as it stands.
    EXPECT_EQ(zymPath(QStringLiteral("Background"), QStringLiteral("PicFile"), QStringLiteral("/usr/bin/<x>")),
              QStringLiteral("/usr/bin/<x>"));
}

TEST(SettingPaths, APlainWindows1252SettingsFileReadsUnchanged)
{
    TempProgramFolder folder;
    // Plain Windows-1252 values without an escape: each reads unchanged,
    // also one that holds "?" for letters and texts that merely look like an
    // escape.
    const struct {
        QByteArray stored;
        QString expected;
    } cases[] = {
        {"C:\\Recepten\\Caf\xE9\\Bock.zlv", QStringLiteral("C:\\Recepten\\Café\\Bock.zlv")},
        {"/home/brouwer/Recepten/Bier ?\xF3?\?/Bock.zlv", QStringLiteral("/home/brouwer/Recepten/Bier ?ó?\?/Bock.zlv")},
        {"/r/<>/a<b>/<ab>/<A>/<1234567>/<110000>/<00>/<1F",
         QStringLiteral("/r/<>/a<b>/<ab>/<A>/<1234567>/<110000>/<00>/<1F")},
    };
    for (const auto &c : cases) {
        writeFileBytes(paths::zymIni(), "[FileHistory]\r\n1=" + c.stored + "\r\n[Background]\r\nPicFile=" + c.stored
                                            + "\r\n[SysteemVariabelen]\r\nAdobePath=" + c.stored + "\r\n");
        EXPECT_EQ(history::entry(1), c.expected);
        EXPECT_EQ(zymPath(QStringLiteral("Background"), QStringLiteral("PicFile")), c.expected);
        EXPECT_EQ(zymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("AdobePath")), c.expected);
    }
}

TEST(SettingPaths, TheRecentFilesKeepEveryPathThroughTheShift)
{
    TempProgramFolder folder;
    const QString polish = QStringLiteral("/r/Bier żółć/Bock.zlv");
    const QString greek = QStringLiteral("/r/Μπύρα/Ζύθος.zlv");
    EXPECT_TRUE(history::UpdateFileHistory(polish));
    EXPECT_TRUE(history::UpdateFileHistory(greek));
    EXPECT_FALSE(history::UpdateFileHistory(greek)) << "entry 1 compares as written";
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/a.zlv")));

    EXPECT_EQ(history::entry(1), QStringLiteral("/r/a.zlv"));
    EXPECT_EQ(history::entry(2), greek);
    EXPECT_EQ(history::entry(3), polish);
    EXPECT_EQ(history::caption(3), QStringLiteral("  &3 ") + polish);
    EXPECT_FALSE(zymValue("FileHistory", "3").contains(u'?'));
}

}  // namespace
