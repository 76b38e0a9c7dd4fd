// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/index_fixture.h"

#include "indexer/listing_view.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

namespace vm::test {

IndexFixture::IndexFixture(const QStringList &entries) : m_previousCurrent(QDir::currentPath())
{
    makeTree(m_dir.path(), entries);
    QDir::setCurrent(path());
    m_window = std::make_unique<IndexWindow>();
    m_window->setPdfOffer({[](QWidget *) { return false; }, [](QWidget *, const QString &) {}});
    m_dialogs = &scriptDialogs(m_window->commonDialog());
}

IndexFixture::~IndexFixture()
{
    m_window.reset();
    QDir::setCurrent(m_previousCurrent);
}

QString IndexFixture::path(const QString &relative) const
{
    // Canonical, as the lists report their folders.
    const QString root = QDir(m_dir.path()).canonicalPath();
    return relative.isEmpty() ? root : QDir::cleanPath(root + u'/' + relative);
}

indexer::ListingView *IndexFixture::list(const QString &name) const
{
    return child<ListingView>(name);
}

void IndexFixture::chooseLayout(int number)
{
    child<QRadioButton>(QStringLiteral("Option%1").arg(number))->click();
}

QStringList IndexFixture::visibleLists() const
{
    QStringList shown;
    for (const char *kind : {"Dir", "File"}) {
        for (int n = 1; n <= 6; ++n) {
            const QString name = QString::fromLatin1(kind) + QString::number(n);
            if (!list(name)->isHidden())
                shown << name;
        }
    }
    return shown;
}

QStringList IndexFixture::rows(const QString &listName) const
{
    QStringList texts;
    const QAbstractItemModel *model = list(listName)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

QWidget *IndexFixture::driveError()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form5" && window->isVisible())
            return window;
    }
    return nullptr;
}

QWidget *IndexFixture::helpCard()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form3" && window->isVisible())
            return window;
    }
    return nullptr;
}

void IndexFixture::closeTopLevel(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vm::test
