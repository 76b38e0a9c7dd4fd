#include "support/design_test_support.h"

#include <QDate>
#include <QFile>
#include <QTest>

namespace vm::test {

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
}

QString dataFile(const char *name)
{
    return QFINDTESTDATA(QStringLiteral("../data/designer/") + QLatin1String(name));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray withLine(const QByteArray &file, int n, const QByteArray &value)
{
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = value + '\r';
    return lines.join('\n');
}

namespace {

class ScriptedPresenter final : public DialogPresenter
{
public:
    explicit ScriptedPresenter(ScriptedFileAnswer &answer) : m_answer(answer) {}

    bool open(CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool save(CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool font(CommonDialog &, QWidget *) override { return false; }
    bool colour(CommonDialog &, QWidget *) override { return false; }
    bool printer(CommonDialog &, QPrinter &, QWidget *) override { return false; }

private:
    bool answer(CommonDialog &dialog)
    {
        ++m_answer.shown;
        m_answer.proposed = dialog.fileName;
        m_answer.filter = dialog.filter;
        if (m_answer.cancel)
            return false;
        dialog.fileName = m_answer.chosen;
        return true;
    }

    ScriptedFileAnswer &m_answer;
};

} // namespace

void scriptFileDialog(design::DesignWindow &window, ScriptedFileAnswer &answer)
{
    window.commonDialog().setPresenter(std::make_unique<ScriptedPresenter>(answer));
}

namespace {

void throughDialog(design::DesignWindow &window, const QString &path, const char *button)
{
    // Static: the presenter keeps a reference to it after this call.
    static ScriptedFileAnswer answer;
    answer = ScriptedFileAnswer{};
    answer.chosen = path;
    scriptFileDialog(window, answer);
    click(window, button);
    if (answer.shown != 1)
        qWarning("the file dialog was not shown");
}

} // namespace

void openFile(design::DesignWindow &window, const QString &path)
{
    throughDialog(window, path, "Command1");
}

void saveFile(design::DesignWindow &window, const QString &path)
{
    throughDialog(window, path, "Command2");
}

} // namespace vm::test
