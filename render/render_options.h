// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace vm::render {

enum class Format
{
    Pdf,
    Png,
    Svg
};

// What `vmrender` is asked to do, from its arguments.
struct RenderOptions
{
    Format format = Format::Pdf;
    qreal dpi = 300;   // a PNG's resolution
    int size = 0;      // a PNG's longer side in pixels instead, when not 0
    bool page = false; // the whole printed page rather than the cover alone
    QStringList designs;
    QString output;    // one design's output file, when named
    QString outputDir; // -o: the folder every output goes to
    bool help = false;
};

struct ParsedArguments
{
    RenderOptions options;
    QString error; // a usage error; empty when the arguments are sound
};

// The arguments after the program's name. The format is the flag's, else OUTPUT's extension,
// else PDF. A last argument is OUTPUT only when there are exactly two and it ends in a format's
// extension (".pdf", ".png", ".svg"), and no -o was given: a design file is never taken for an
// output and overwritten.
ParsedArguments parseArguments(const QStringList &arguments);

QString usageLine();
QString helpText();

// The format's file extension, with its dot.
QString extension(Format format);

} // namespace vm::render
