#include "components/controls/edits/dvInputBox.h"

#include <QApplication>
#include <QInputDialog>
#include <utility>

namespace {

TdvInputBoxFunc& Instalada()
{
    static TdvInputBoxFunc funcao;
    return funcao;
}

}   // namespace

QString dvInputBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    if (Instalada())
        return Instalada()(caption, prompt, defaultValue);
    bool ok = false;
    const QString texto = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal,
                                                defaultValue, &ok);
    return ok ? texto : defaultValue;
}

TdvInputBoxFunc dvInstallInputBox(TdvInputBoxFunc inputBox)
{
    return std::exchange(Instalada(), std::move(inputBox));
}
