#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// The brewing schedule as RTF: the values of the template fields, taken from
// the recipe, the derived values and the schedule as shown, and the fill of a
// template with them. Plain data in, bytes out: no window is read.
namespace mostarium {

struct Session;

// One field of a template: its name without the "#" signs, and its value.
using RtfField = std::pair<QString, QString>;

// Every field the report fills, in the order it is filled: the first beer and
// the common fields, then, in a double brew, the second beer. A group whose
// status bit is clear is left out (its fields stay in the report as written)
// unless the group itself empties or dashes them. A table read out of shape
// throws CalcError.
std::vector<RtfField> reportFields(const Session &s);

// A picture for the report: PNG bytes and their size in pixels.
struct RtfPicture {
    QByteArray png;
    int width = 0;
    int height = 0;
};

struct RtfFill {
    QByteArray rtf;
    int replaced = 0;  // fields found and replaced
};

// Replaces the first occurrence of each field (letter case ignored) in the
// template source by its escaped value. Only the template's own text is
// searched: a value is never searched again, so a beer named "#Br1#" stays
// so. The picture, when given, follows the last field replaced.
RtfFill fillTemplate(const QByteArray &source, const std::vector<RtfField> &fields,
                     const std::optional<RtfPicture> &picture = std::nullopt);

// Plain text as RTF text: "\", "{" and "}" escaped, Windows-1252 characters
// above 127 as \'xx, anything beyond as \uN?, CR LF (or a lone CR or LF) as a
// paragraph break.
QByteArray rtfEscape(const QString &text);

// The picture group of PNG bytes.
QByteArray rtfPictureGroup(const RtfPicture &picture);

// The largest template the report reads, as for the judging sheet: ours are a
// few KB, and anything up to this size is shown in the report window at once.
inline constexpr qint64 MaxReportTemplateSize = 4 * 1024 * 1024;

// The template of the brew mode and its scratch copy, under the program folder.
QString reportTemplateFile(bool dubbelBrouw);
QString reportScratchFile(bool dubbelBrouw);

}  // namespace mostarium
