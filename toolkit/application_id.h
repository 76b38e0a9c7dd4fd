// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vm {

// Each program's application id: the name of its desktop entry (<id>.desktop) and of its icon,
// by which the desktop matches the program's windows to their menu entry. The launcher's id
// is also the suite's in software centres.
namespace appid {
inline const QString Launcher = QStringLiteral("io.github.vellumora.Vellumora");
inline const QString Designer = QStringLiteral("io.github.vellumora.Designer");
inline const QString IndexCreator = QStringLiteral("io.github.vellumora.IndexCreator");
inline const QString Manual = QStringLiteral("io.github.vellumora.Manual");
} // namespace appid

// Names the running program to the desktop by `id` and gives its windows the program's own
// icon, built into the toolkit as :/icons/<id>.svg.
void setUpApplication(const QString &id);

} // namespace vm
