#include "support/design_test_support.h"

#include <QDate>

namespace vm::test {

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
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

} // namespace vm::test
