// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/render_options.h"

#include <optional>

namespace vm::render {

namespace {

constexpr int LargestDpi = 1200; // a PDF page's own resolution
constexpr int LargestSize = 4096;

std::optional<Format> formatOfName(const QString &file)
{
    for (const Format format : {Format::Pdf, Format::Png, Format::Svg}) {
        if (file.endsWith(extension(format), Qt::CaseInsensitive))
            return format;
    }
    return std::nullopt;
}

// A whole number within 1 ... `largest`, or nothing.
std::optional<int> count(const QString &text, int largest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > largest)
        return std::nullopt;
    return value;
}

} // namespace

QString extension(Format format)
{
    switch (format) {
    case Format::Pdf:
        return QStringLiteral(".pdf");
    case Format::Png:
        return QStringLiteral(".png");
    case Format::Svg:
        break;
    }
    return QStringLiteral(".svg");
}

QString usageLine()
{
    return QStringLiteral("usage: vmrender [--pdf | --png | --svg] [--dpi N | --size PX] [--page] "
                          "[-o DIR] DESIGN.vmd... [OUTPUT]\n");
}

QString helpText()
{
    return usageLine() + QStringLiteral(R"(
Renders Vellumora design files as the designer draws them, without a window.

  --pdf         a PDF file, the cover at true size (vector; pictures at most 600 dpi)
  --png         a PNG image of the cover cut at its outer box
  --svg         an SVG drawing of the cover, its texts as text
  --dpi N       the PNG's resolution, stored in it (default 300, at most 1200)
  --size PX     the PNG's longer side in pixels instead (thumbnails; at most 4096)
  --page        the whole printed page on the default paper, as Print lays it out
  -o DIR        write every output into DIR (made if missing)
  -h, --help    this text

The format is the flag's, else OUTPUT's extension, else PDF. OUTPUT may follow a single
design; without it each output goes next to its design with the format's extension.

A picture that cannot be loaded is left out with a warning. A design that cannot be read or
is damaged is named on standard error with the reason and nothing is written for it; the
others are still rendered. Every output file is written whole or not at all.

Exit status: 0 when every design was rendered, 1 when one was not, 2 for a usage error.

Example: vmrender --pdf -o print-shop ~/Covers/*.vmd
)");
}

ParsedArguments parseArguments(const QStringList &arguments)
{
    ParsedArguments parsed;
    RenderOptions &options = parsed.options;
    std::optional<Format> flag;
    bool dpiGiven = false, optionsEnded = false;
    QStringList files;
    const auto fail = [&parsed](const QString &error) {
        parsed.error = error;
        return parsed;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            files << argument;
            continue;
        }
        // "--dpi=300" as well as "--dpi 300".
        QString name = argument, value;
        const bool joined = argument.startsWith(u"--") && argument.contains(u'=');
        if (joined) {
            name = argument.section(u'=', 0, 0);
            value = argument.section(u'=', 1);
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (joined)
                return value;
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (name == u"--") {
            optionsEnded = true;
        } else if (name == u"-h" || name == u"--help") {
            options.help = true;
        } else if (name == u"--pdf" || name == u"--png" || name == u"--svg") {
            const Format named = *formatOfName(QLatin1Char('.') + name.mid(2));
            if (flag && *flag != named)
                return fail(QStringLiteral("only one of --pdf, --png and --svg may be given"));
            flag = named;
        } else if (name == u"--page") {
            options.page = true;
        } else if (name == u"--dpi" || name == u"--size") {
            const bool dpi = name == u"--dpi";
            const std::optional<QString> text = takeValue();
            const std::optional<int> number =
                text ? count(*text, dpi ? LargestDpi : LargestSize) : std::nullopt;
            if (!number)
                return fail(QStringLiteral("%1 needs a whole number from 1 to %2")
                                .arg(name)
                                .arg(dpi ? LargestDpi : LargestSize));
            if (dpi) {
                options.dpi = *number;
                dpiGiven = true;
            } else {
                options.size = *number;
            }
        } else if (name == u"-o") {
            const std::optional<QString> folder = takeValue();
            if (!folder || folder->isEmpty())
                return fail(QStringLiteral("-o needs a folder"));
            options.outputDir = *folder;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    if (options.help)
        return parsed;

    if (files.size() == 2 && options.outputDir.isEmpty() && formatOfName(files[1]))
        options.output = files.takeLast();
    if (files.isEmpty())
        return fail(QStringLiteral("no design file named"));
    options.designs = files;
    options.format = flag ? *flag : formatOfName(options.output).value_or(Format::Pdf);
    if ((dpiGiven || options.size) && options.format != Format::Png)
        return fail(QStringLiteral("--dpi and --size are for PNG images"));
    if (dpiGiven && options.size)
        return fail(QStringLiteral("--dpi and --size cannot be given together"));
    return parsed;
}

} // namespace vm::render
