// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/document/design_window.h"
#include "render/render_options.h"

#include <QPageLayout>
#include <QSet>

#include <functional>
#include <optional>

namespace vm::render {

// Renders design files one after the other in one Design window that is never shown: each is
// opened as Open opens it and drawn by the page function Print, Preview and Export use. What
// goes wrong is told as lines ("vmrender: FILE: reason") to `tell`.
class Renderer
{
public:
    using Teller = std::function<void(const QString &line)>;
    Renderer(const RenderOptions &options, Teller tell);

    // Every design of the options; the exit status (0 all rendered, 1 not all).
    int run();
    // One design to its output; false when nothing was written for it.
    bool render(const QString &design);
    // Where a design's output goes.
    QString outputFor(const QString &design) const;

private:
    PrintResult write(const QString &output);
    QPageLayout paper();
    void say(const QString &file, const QString &text) const;

    RenderOptions m_options;
    Teller m_tell;
    design::DesignWindow m_window;
    std::optional<QPageLayout> m_paper;
    QSet<QString> m_written; // outputs of this run
};

} // namespace vm::render
