#include "LinkFiles.h"

#include "Cp1252.h"
#include "Paths.h"
#include "Services.h"
#include "WholeFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <cstdio>

namespace mostarium {

namespace {

const QString GuildHost = QStringLiteral("http://www.zolv.nl");

// Longer addresses are not what a link file of ours or a user's holds.
constexpr int MaxAddressLength = 2048;

QString bareName(const QString &path) { return QFileInfo(path).fileName(); }

}  // namespace

QString onlineSiteAddress() { return GuildHost + QStringLiteral("/mostarium/"); }
QString guildSiteAddress() { return GuildHost + QStringLiteral("/"); }
QString contactAddress() { return QStringLiteral("mostarium@zolv.nl"); }

const std::vector<InternetShortCut> &internetShortCuts()
{
    static const std::vector<InternetShortCut> rows = {
        {QStringLiteral("MostariumOnline.url"), onlineSiteAddress()},
        {QStringLiteral("ZOLV.url"), GuildHost + QStringLiteral("/index.php")},
        {QStringLiteral("tWortWat.url"), QStringLiteral("http://www.twortwat.nl/")},
        {QStringLiteral("SNAB.url"), QStringLiteral("http://www.snab.nl/")},
        {QStringLiteral("Dampegheest.url"), QStringLiteral("http://www.dampegheest.nl/")},
        {QStringLiteral("STIBON.url"), QStringLiteral("http://www.stibon.nl/index.html")},
        {QStringLiteral("Startpagina Brouw-Bier.url"), QStringLiteral("http://brouw-bier.startpagina.nl/")},
        {QStringLiteral("Hobbybrouwen.url"), QStringLiteral("http://www.hobbybrouwen.nl/")},
        {QStringLiteral("FAWBG.url"), QStringLiteral("http://www.fawbg.nl/")},
        {QStringLiteral("Brouwplaats.url"), QStringLiteral("http://www.brouwplaats.nl/")},
        {YeastLinkFile, QStringLiteral("https://fermentis.com/")},
        {QStringLiteral("WYeast.url"), QStringLiteral("http://www.wyeastlab.com/")},
        {QStringLiteral("BierKeurMeesterGilde.url"), QStringLiteral("http://www.bierkeurmeestergilde.nl/")},
        {QStringLiteral("HopUnion.url"), QStringLiteral("http://www.hopunion.com/")},
        {QStringLiteral("Hopsoorten.url"), QStringLiteral("http://www.hopsteiner.com/hops/")},
        {QStringLiteral("Campaign For Real Ale.url"), QStringLiteral("http://www.camra.org.uk/")},
        {QStringLiteral("PINT.url"), QStringLiteral("http://www.pint.nl/")},
    };
    return rows;
}

bool WriteInternetShortCut(const QString &path, const QString &address)
{
    QString url = address;
    url.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString text = QStringLiteral("[InternetShortcut]\r\nURL=") + url + QStringLiteral("\r\n");
    return writeWholeFile(path, cp1252::encode(text));
}

QString siteLinkFile(const QString &fileName) { return paths::file(QStringLiteral("\\URLs\\") + fileName); }

bool OpenSiteLink(const QString &fileName, const QString &address)
{
    const QString path = siteLinkFile(fileName);
    if (!ExistFile(path)) {
        paths::makeFolderOf(path);
        if (!WriteInternetShortCut(path, address))
            return false;
    }
    OpenInternetShortCut(path);
    return true;
}

void openSiteLinkOrShowNotWritten(const QString &fileName, const QString &address)
{
    if (!OpenSiteLink(fileName, address))
        showNotWritten(siteLinkFile(fileName));
}

void CreateInternetShortCuts()
{
    for (const InternetShortCut &row : internetShortCuts()) {
        const QString path = siteLinkFile(row.fileName);
        // One that cannot be written now is written when it is first opened,
        // which says so should it fail again.
        if (!ExistFile(path) && !WriteInternetShortCut(path, row.address))
            std::fprintf(stderr, "CreateInternetShortCuts: %s not written\n", qPrintable(path));
    }
}

LinkTarget ReadInternetShortCut(const QString &path)
{
    const QString name = bareName(path);
    LinkTarget t;
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    if (read == FileRead::Folder || read == FileRead::NotRegular || read == FileRead::TooLarge) {
        t.refusal = refusedFileText(QStringLiteral("Link \"%1\"").arg(name), read);
        return t;
    }
    if (read != FileRead::Ok) {
        t.refusal = QStringLiteral("Link \"%1\" kan niet gelezen worden.").arg(name);
        return t;
    }
    const QString text = cp1252::decode(bytes);

    // Private-profile reading: section and key without regard to case, the
    // first of each wins.
    bool inSection = false;
    bool seenSection = false;
    bool found = false;
    QString value;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const int close = line.indexOf(u']');
            const QString section = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            if (inSection)
                break;
            inSection = !seenSection && section.compare(QStringLiteral("InternetShortcut"), Qt::CaseInsensitive) == 0;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const int eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(QStringLiteral("URL"), Qt::CaseInsensitive) == 0) {
            value = line.mid(eq + 1).trimmed();
            found = true;
            break;
        }
    }

    if (!found || value.isEmpty()) {
        t.refusal = QStringLiteral("Link \"%1\" bevat geen internetadres (URL=) en wordt niet geopend.").arg(name);
        return t;
    }
    if (value.size() > MaxAddressLength) {
        t.refusal = QStringLiteral("Het internetadres in link \"%1\" is te lang en wordt niet geopend.").arg(name);
        return t;
    }
    bool control = false;
    for (QChar c : value)
        control = control || c.unicode() < 0x20 || c.unicode() == 0x7f;
    const QUrl url(value, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!control && url.isValid() && !scheme.isEmpty() && scheme != QLatin1String("http")
        && scheme != QLatin1String("https") && scheme != QLatin1String("ftp")) {
        t.refusal = QStringLiteral("Link \"%1\" wordt niet geopend: alleen http-, https- en ftp-adressen zijn "
                                   "toegestaan.")
                        .arg(name);
        return t;
    }
    if (control || !url.isValid() || scheme.isEmpty() || url.host().isEmpty()) {
        t.refusal = QStringLiteral("Link \"%1\" bevat geen geldig internetadres en wordt niet geopend.").arg(name);
        return t;
    }
    t.address = url.toString(QUrl::FullyEncoded);
    return t;
}

bool OpenInternetShortCut(const QString &path)
{
    if (!ExistFile(path))
        return false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("url"), Qt::CaseInsensitive) != 0)
        return services().openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString());
    const LinkTarget t = ReadInternetShortCut(path);
    if (!t.ok()) {
        services().msgBox(t.refusal, mb::OKOnly + mb::Exclamation, QStringLiteral("Attentie!"));
        return false;
    }
    return services().openUrl(t.address);
}

bool ExistFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

void ShellAndWait(const QString &program, const QStringList &arguments, bool wait)
{
    if (program.isEmpty())
        return;
    services().startProgram(program, arguments, wait);
}

}  // namespace mostarium
