// SPDX-License-Identifier: GPL-3.0-or-later
// Writes bench/results.md from one run's measurements: the lines of the in-process benchmarks
// and of script/bench ("row<TAB>side<TAB>metric<TAB>value", side being subject or floor), the
// JSON files hyperfine wrote (commands named "row|side"), notes about a row ("row<TAB>text") and
// why a row could not be measured (the same form).
//   bench-report WORK_FOLDER RESULTS_FILE
// Reads samples.tsv, notes.tsv, missing.tsv, *.hyperfine.json and run.txt (free text about the
// run, put at the top) from WORK_FOLDER.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The benchmarks and their targets, in the order of the table.
struct Target
{
    const char *row;
    const char *title;
    const char *floor;
    double timeRatio;   // subject's median wall time over the floor's, at most (0: no target)
    double memoryRatio; // subject's peak memory over the floor's, at most (0: no target)
    double growthMiB;   // memory growth of the step, at most (0: no target)
};

const Target Targets[] = {
    {"startup-vmlaunch-offscreen", "vmlaunch start to first paint, offscreen",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-vmlaunch-xvfb", "vmlaunch start to first paint, Xvfb",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-vmdesign-offscreen", "vmdesign start to first paint, offscreen",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-vmdesign-xvfb", "vmdesign start to first paint, Xvfb",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-vmindex-offscreen", "vmindex start to first paint, offscreen",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-vmindex-xvfb", "vmindex start to first paint, Xvfb",
     "bare window, same size and widget count", 1.5, 1.5, 0},
    {"startup-open-vmdesign-offscreen",
     "vmdesign FILE.vmd start to first paint of the opened design, offscreen",
     "bare window plus the design-open floor's decodes", 1.3, 0, 0},
    {"startup-open-vmdesign-xvfb",
     "vmdesign FILE.vmd start to first paint of the opened design, Xvfb",
     "bare window plus the design-open floor's decodes", 1.3, 0, 0},
    {"index-drive", "vmindex: drive change into 100,000 files, layout 4, lists painted",
     "readdir + case-insensitive sort", 3.0, 0, 60},
    {"index-refresh", "vmindex: Refresh of that folder", "readdir + case-insensitive sort", 3.0, 0,
     0},
    {"index-print", "vmindex: two-side card of 100,000 names to PDF",
     "PDF page with the same visible rows as text", 2.0, 0, 0},
    {"design-picture", "vmdesign: choose a 6000 x 4000 JPEG as main picture, canvas painted",
     "QImageReader decode at 393 x 289", 1.1, 0, 30},
    {"design-camera",
     "vmdesign: choose a 100-megapixel (11648 x 8736) baseline JPEG as main picture, canvas "
     "painted",
     "QImageReader decode at 1/8 (1456 x 1092), the least the decoder gives", 1.5, 0, 48},
    {"design-open", "vmdesign: open a design with that picture and two logos",
     "the same decode plus two small decodes", 1.1, 0, 0},
    {"design-print", "vmdesign: print that design to a PDF file right after choosing the photo",
     "the photo decoded at 600 dpi of its box, PDF page with the same text and lines, logos "
     "pre-scaled to 600 dpi",
     1.2, 0, 0},
    {"design-undo-typing", "vmdesign: undo a typed character, 24-megapixel photo on the cover",
     "one repaint of the canvas", 2.0, 0, 0},
    {"design-redo-typing", "vmdesign: redo that character", "one repaint of the canvas", 2.0, 0, 0},
    {"design-undo-picture", "vmdesign: undo choosing that photo anew (the earlier copy back)",
     "one repaint of the canvas drawing its picture anew", 2.0, 0, 0},
    {"design-redo-picture", "vmdesign: redo that choice",
     "one repaint of the canvas drawing its picture anew", 2.0, 0, 0},
    {"design-undo-memory",
     "vmdesign: 100 typing steps in the undo history, that photo on the "
     "cover",
     "", 0, 0, 5},
    {"design-export-png", "vmdesign: Export as PNG at 300 dpi, that design",
     "the same page drawn into a 1425 x 1425 image", 1.3, 0, 0},
    {"render-thumbnail",
     "vmrender: 256-pixel thumbnail of that design (24-megapixel photo), start to exit",
     "offscreen Qt program decoding the photo at 256 pixels and writing a PNG", 1.3, 0, 0},
    {"render-batch-pdf", "vmrender: 100 designs (two logos each) to PDF in one call",
     "100 calls of one design each", 0.5, 0, 0},
};

using Values = std::vector<double>;
using Metrics = QMap<QString, Values>;     // metric -> values
using Sides = QMap<QString, Metrics>;      // side -> metrics
using Measurements = QMap<QString, Sides>; // row -> sides

double median(Values values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::optional<double> medianOf(const Measurements &all, const char *row, const char *side,
                               const char *metric)
{
    const Values values = all.value(QString::fromLatin1(row))
                              .value(QString::fromLatin1(side))
                              .value(QString::fromLatin1(metric));
    if (values.empty())
        return std::nullopt;
    return median(values);
}

std::optional<double> maxOf(const Measurements &all, const char *row, const char *side,
                            const char *metric)
{
    const Values values = all.value(QString::fromLatin1(row))
                              .value(QString::fromLatin1(side))
                              .value(QString::fromLatin1(metric));
    if (values.empty())
        return std::nullopt;
    return *std::max_element(values.begin(), values.end());
}

QString number(double value, int decimals = 1)
{
    return QString::number(value, 'f', decimals);
}

// "median (min–max)" of a metric, or a dash.
QString spread(const Measurements &all, const char *row, const char *side, const char *metric,
               double unit = 1, int decimals = 1)
{
    Values values = all.value(QString::fromLatin1(row))
                        .value(QString::fromLatin1(side))
                        .value(QString::fromLatin1(metric));
    if (values.empty())
        return QStringLiteral("–");
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return QStringLiteral("%1 (%2–%3)")
        .arg(number(median(values) / unit, decimals), number(*low / unit, decimals),
             number(*high / unit, decimals));
}

// "1.23× ✓" or "1.80× ✗ (+20%)" against a limit.
QString verdict(double ratio, double limit, bool *missed)
{
    if (ratio <= limit)
        return QStringLiteral("%1× holds").arg(number(ratio, 2));
    if (missed)
        *missed = true;
    return QStringLiteral("**%1× misses** (+%2 %)")
        .arg(number(ratio, 2), number((ratio / limit - 1) * 100, 0));
}

void readSamples(const QString &path, Measurements &all)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
        if (fields.size() != 4)
            continue;
        bool ok = false;
        const double value = fields[3].toDouble(&ok);
        if (ok)
            all[QString::fromUtf8(fields[0])][QString::fromUtf8(fields[1])]
               [QString::fromUtf8(fields[2])]
                   .push_back(value);
    }
}

// Every run's wall time, and one processor time per invocation (hyperfine gives its mean).
void readHyperfine(const QString &path, Measurements &all)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonArray results = QJsonDocument::fromJson(file.readAll())[u"results"].toArray();
    for (const QJsonValue &result : results) {
        const QStringList name = result[u"command"].toString().split(u'|');
        if (name.size() != 2)
            continue;
        Metrics &metrics = all[name[0]][name[1]];
        for (const QJsonValue &time : result[u"times"].toArray())
            metrics[QStringLiteral("wall_ms")].push_back(time.toDouble() * 1000);
        metrics[QStringLiteral("cpu_ms")].push_back(
            (result[u"user"].toDouble() + result[u"system"].toDouble()) * 1000);
    }
}

QMap<QString, QStringList> readNotes(const QString &path)
{
    QMap<QString, QStringList> notes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return notes;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            notes[line.left(tab)].append(line.mid(tab + 1));
    }
    return notes;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench-report WORK_FOLDER RESULTS_FILE\n");
        return 2;
    }
    const QDir work(QFile::decodeName(argv[1]));
    Measurements all;
    readSamples(work.filePath(QStringLiteral("samples.tsv")), all);
    for (const QString &json :
         work.entryList({QStringLiteral("*.hyperfine.json")}, QDir::Files, QDir::Name))
        readHyperfine(work.filePath(json), all);
    const QMap<QString, QStringList> notes = readNotes(work.filePath(QStringLiteral("notes.tsv")));
    const QMap<QString, QStringList> missing =
        readNotes(work.filePath(QStringLiteral("missing.tsv")));
    const auto measured = [&](const char *row) {
        return all.contains(QString::fromLatin1(row)) &&
               !missing.contains(QString::fromLatin1(row));
    };

    QString text;
    QTextStream out(&text);
    out << "# Benchmark results\n\n";
    QFile run(work.filePath(QStringLiteral("run.txt")));
    if (run.open(QIODevice::ReadOnly | QIODevice::Text))
        out << QString::fromUtf8(run.readAll()) << "\n";

    out << "## Time\n\n"
        << "Wall time in ms, median (min–max) over the runs; processor time (user + system, "
           "all threads) median in ms. The ratio is the subject's median wall time over its "
           "floor's, measured in the same run.\n\n"
        << "| Benchmark | Floor | Subject wall | Floor wall | Subject CPU | Floor CPU | "
           "Ratio (wall) | Ratio (CPU) | Target |\n"
        << "|---|---|---:|---:|---:|---:|---|---:|---:|\n";
    QStringList misses;
    for (const Target &target : Targets) {
        if (target.timeRatio <= 0)
            continue;
        const auto subject = medianOf(all, target.row, "subject", "wall_ms");
        const auto floor = medianOf(all, target.row, "floor", "wall_ms");
        const QString row = QString::fromLatin1(target.row);
        if (!measured(target.row) || !subject || !floor || *floor <= 0) {
            const QString why = missing.value(row).value(0, QStringLiteral("no measurement"));
            out << "| " << target.title << " | " << target.floor << " | not measured: " << why
                << " | | | | | | ≤ " << number(target.timeRatio, 1) << "× |\n";
            misses << QStringLiteral("%1: not measured (%2)").arg(row, why);
            continue;
        }
        bool missed = false;
        const QString wallVerdict = verdict(*subject / *floor, target.timeRatio, &missed);
        const auto subjectCpu = medianOf(all, target.row, "subject", "cpu_ms");
        const auto floorCpu = medianOf(all, target.row, "floor", "cpu_ms");
        const QString cpuRatio = subjectCpu && floorCpu && *floorCpu > 0
                                     ? number(*subjectCpu / *floorCpu, 2) + u'×'
                                     : QStringLiteral("–");
        out << "| " << target.title << " | " << target.floor << " | "
            << spread(all, target.row, "subject", "wall_ms") << " | "
            << spread(all, target.row, "floor", "wall_ms") << " | "
            << (subjectCpu ? number(*subjectCpu) : QStringLiteral("–")) << " | "
            << (floorCpu ? number(*floorCpu) : QStringLiteral("–")) << " | " << wallVerdict << " | "
            << cpuRatio << " | ≤ " << number(target.timeRatio, 1) << "× |\n";
        if (missed)
            misses << QStringLiteral("%1: time %2").arg(row, wallVerdict);
    }

    out << "\n## Memory\n\n"
        << "Peak memory is the maximum resident set size that `/usr/bin/time -v` reports for "
           "the whole process, median over its runs. Growth is measured inside the process: "
           "the peak resident size during the step (VmHWM, its mark reset just before) minus "
           "the resident size just before it (VmRSS), the largest over the runs.\n\n"
        << "| Benchmark | Subject peak MiB | Floor peak MiB | Ratio | Subject growth MiB | "
           "Floor growth MiB | Target |\n"
        << "|---|---:|---:|---:|---:|---:|---|\n";
    for (const Target &target : Targets) {
        if ((target.memoryRatio <= 0 && target.growthMiB <= 0) || !measured(target.row))
            continue;
        const QString row = QString::fromLatin1(target.row);
        QString ratio = QStringLiteral("–");
        QString targetText;
        const auto subjectPeak = medianOf(all, target.row, "subject", "peak_kib");
        const auto floorPeak = medianOf(all, target.row, "floor", "peak_kib");
        if (target.memoryRatio > 0) {
            targetText = QStringLiteral("peak ≤ %1× floor").arg(number(target.memoryRatio, 1));
            if (subjectPeak && floorPeak) {
                bool missed = false;
                ratio = verdict(*subjectPeak / *floorPeak, target.memoryRatio, &missed);
                if (missed)
                    misses << QStringLiteral("%1: peak memory %2").arg(row, ratio);
            } else {
                misses << QStringLiteral("%1: peak memory not measured").arg(row);
            }
        }
        QString growth = QStringLiteral("–");
        if (target.growthMiB > 0) {
            targetText = QStringLiteral("growth ≤ %1 MiB").arg(number(target.growthMiB, 0));
            if (const auto most = maxOf(all, target.row, "subject", "growth_kib")) {
                growth = number(*most / 1024);
                if (*most / 1024 > target.growthMiB) {
                    growth = QStringLiteral("**%1 misses**").arg(growth);
                    misses << QStringLiteral("%1: growth %2 MiB").arg(row, number(*most / 1024));
                } else {
                    growth += QStringLiteral(" holds");
                }
            } else {
                misses << QStringLiteral("%1: growth not measured").arg(row);
            }
        }
        const auto floorGrowth = maxOf(all, target.row, "floor", "growth_kib");
        out << "| " << target.title << " | "
            << (subjectPeak ? number(*subjectPeak / 1024) : QStringLiteral("–")) << " | "
            << (floorPeak ? number(*floorPeak / 1024) : QStringLiteral("–")) << " | " << ratio
            << " | " << growth << " | "
            << (floorGrowth ? number(*floorGrowth / 1024) : QStringLiteral("–")) << " | "
            << targetText << " |\n";
    }

    // The checks of a printed file that are not times.
    out << "\n## Printed files\n\n| Benchmark | Check | Value | Target |\n|---|---|---:|---|\n";
    const auto check = [&](const char *row, const char *side, const char *metric, const char *what,
                           double limit, const char *unit, bool atLeast) {
        const auto value = maxOf(all, row, side, metric);
        QString shown = QStringLiteral("not measured");
        if (value) {
            const bool holds = atLeast ? *value >= limit : *value <= limit;
            shown = number(*value) + QString::fromUtf8(unit) +
                    (holds ? QStringLiteral(" holds") : QStringLiteral(" **misses**"));
            if (!holds)
                misses << QStringLiteral("%1: %2 = %3")
                              .arg(QString::fromLatin1(row), QString::fromUtf8(what), shown);
        } else if (measured(row)) {
            misses << QStringLiteral("%1: %2 not measured")
                          .arg(QString::fromLatin1(row), QString::fromUtf8(what));
        }
        out << "| " << row << " | " << what << " | " << shown << " | " << (atLeast ? "≥ " : "≤ ")
            << number(limit) << unit << " |\n";
    };
    check("design-print", "subject", "file_kib", "PDF size (largest run)", 1536, " KiB", false);
    check("design-print", "subject", "image_ppi",
          "main picture's resolution in its box "
          "(pdfimages -list, highest)",
          600, " ppi", false);
    check("design-print", "subject", "image_ppi", "main picture's resolution, full detail", 599,
          " ppi", true);
    check("design-print", "subject", "headline_text", "headline found by pdftotext (1 = yes)", 1,
          "", true);

    const QStringList allNotes = [&] {
        QStringList lines;
        for (auto note = notes.begin(); note != notes.end(); ++note)
            for (const QString &line : note.value())
                lines << QStringLiteral("- %1: %2").arg(note.key(), line);
        return lines;
    }();
    if (!allNotes.isEmpty())
        out << "\n## Notes\n\n" << allNotes.join(u'\n') << "\n";

    out << "\n## Summary\n\n";
    if (misses.isEmpty())
        out << "Every target holds.\n";
    else
        out << "Targets that do not hold:\n\n- " << misses.join(QStringLiteral("\n- ")) << "\n";

    QFile results(QFile::decodeName(argv[2]));
    if (!results.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "bench-report: cannot write %s\n", argv[2]);
        return 1;
    }
    out.flush();
    results.write(text.toUtf8());
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}
