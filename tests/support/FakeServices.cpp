#include "FakeServices.h"

namespace mostarium::test {

namespace {
// Moving the answer out before popping keeps GCC's maybe-uninitialized
// analysis quiet about the optional's payload.
std::optional<QString> takeFront(std::deque<std::optional<QString>> &queue)
{
    std::optional<QString> answer;
    answer.swap(queue.front());
    queue.pop_front();
    return answer;
}
}  // namespace

int FakeServices::msgBox(const QString &prompt, int style, const QString &title)
{
    messages.push_back({prompt, style, title});
    if (!msgAnswers.empty()) {
        const int a = msgAnswers.front();
        msgAnswers.pop_front();
        return a;
    }
    const int buttons = style & 7;
    return buttons == mb::OKOnly ? mb::OK : buttons == mb::YesNo ? mb::No : mb::Cancel;
}

std::optional<QString> FakeServices::inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                              InputKind kind)
{
    inputs.push_back({prompt, title, defaultText, kind});
    if (inputAnswers.empty())
        return std::nullopt;
    return takeFront(inputAnswers);
}

std::optional<QString> FakeServices::openFileName(const QString &title, const QString &, const QString &)
{
    openDialogs << title;
    if (openAnswers.empty())
        return std::nullopt;
    return takeFront(openAnswers);
}

std::optional<QString> FakeServices::saveFileName(const QString &title, const QString &, const QString &)
{
    saveDialogs << title;
    if (saveAnswers.empty())
        return std::nullopt;
    return takeFront(saveAnswers);
}

FakeServices::PdfPrinterSetup FakeServices::pdfPrinterSetup = nullptr;

bool FakeServices::printDialog(QPrinter &printer, bool offerSelection)
{
    printDialogs.push_back(offerSelection);
    if (printAnswers.empty())
        return false;
    const std::optional<QString> answer = takeFront(printAnswers);
    if (!answer || !pdfPrinterSetup)
        return false;
    pdfPrinterSetup(printer, *answer, offerSelection);
    return true;
}

std::optional<QString> FakeServices::folderName(const QString &title, const QString &)
{
    folderDialogs << title;
    if (folderAnswers.empty())
        return std::nullopt;
    return takeFront(folderAnswers);
}

void FakeServices::playSound(const QString &path, bool) { sounds << path; }
void FakeServices::showHelp(const QString &page) { helpPages << page; }

bool FakeServices::openUrl(const QString &url)
{
    urls << url;
    return openUrlResult;
}

bool FakeServices::startProgram(const QString &program, const QStringList &arguments, bool wait)
{
    programs.push_back({program, arguments, wait});
    return startProgramResult;
}

QStringList FakeServices::prompts() const
{
    QStringList p;
    for (const auto &m : messages)
        p << m.prompt;
    return p;
}

void FakeServices::clear()
{
    messages.clear();
    msgAnswers.clear();
    inputs.clear();
    inputAnswers.clear();
    openDialogs.clear();
    saveDialogs.clear();
    openAnswers.clear();
    saveAnswers.clear();
    folderDialogs.clear();
    folderAnswers.clear();
    beeps = 0;
    sounds.clear();
    helpPages.clear();
    urls.clear();
    programs.clear();
    printDialogs.clear();
    printAnswers.clear();
    textFiles.clear();
}

}  // namespace mostarium::test
