#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Link files (".url") in the program folder's URLs folder, and starting other
// programs. Everything that leaves the process goes through services().
namespace mostarium {

// Where the program's own pages live and whom users write to.
QString onlineSiteAddress();  // the online site, ".../mostarium/"
QString guildSiteAddress();   // the guild's home page, ".../"
QString contactAddress();     // e-mail address for tips, remarks and news

struct InternetShortCut {
    QString fileName;  // bare name in URLs, with ".url"
    QString address;
};

// The link file of the yeast suppliers' data, opened by the yeast dialog.
inline const QString YeastLinkFile = QStringLiteral("Gistgegevens.url");

// The link files start-up writes when they are missing, in the order written.
const std::vector<InternetShortCut> &internetShortCuts();

// Writes "[InternetShortcut]" and "URL=<address>" (CR LF) to `path`, replacing
// the file whole; false when it could not be written.
[[nodiscard]] bool WriteInternetShortCut(const QString &path, const QString &address);

// Writes each missing link file of internetShortCuts(); files that exist are
// left as the user has them, and a row that cannot be written is passed over.
void CreateInternetShortCuts();

// What a link file asks to open: the address, or a Dutch reason why it is not
// opened (no regular file or far too large, no address, an address that is too
// long, not http/https/ftp).
struct LinkTarget {
    QString address;
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};
LinkTarget ReadInternetShortCut(const QString &path);

// Opens a link file's web address (only http, https and ftp) or hands another
// existing document to the desktop. A missing file does nothing visible; a
// link file that is refused says why in a message. True when something was
// handed to the desktop.
bool OpenInternetShortCut(const QString &path);

// True for an existing file, also one the user may not read; false for a
// missing file, a missing folder, a folder or an empty path.
bool ExistFile(const QString &path);

// The link file `fileName` in the URLs folder.
QString siteLinkFile(const QString &fileName);

// Opens the link file `fileName` of the URLs folder, writing it first (with
// its folder) when it is missing. False when it could not be written.
[[nodiscard]] bool OpenSiteLink(const QString &fileName, const QString &address);
// OpenSiteLink for a link the brewer clicked: a link file that could not be
// written is named in showNotWritten's message.
void openSiteLinkOrShowNotWritten(const QString &fileName, const QString &address);

// Starts `program` with its own argument list (never one command line to be
// split again); with `wait` it returns when the program has ended. A program
// that cannot be started is passed over silently.
void ShellAndWait(const QString &program, const QStringList &arguments, bool wait);

}  // namespace mostarium
