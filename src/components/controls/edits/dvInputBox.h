#pragma once
#include <QString>
#include <functional>

// The platform's one-line question: the text typed, or defaultValue when the user cancels. The
// program shows a Qt input dialog; tests install scripted answers.
using TdvInputBoxFunc =
    std::function<QString(const QString& caption, const QString& prompt, const QString& defaultValue)>;

QString dvInputBox(const QString& caption, const QString& prompt, const QString& defaultValue);
// Returns what was installed before; an empty function goes back to the dialog.
TdvInputBoxFunc dvInstallInputBox(TdvInputBoxFunc inputBox);
