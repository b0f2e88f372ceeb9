#pragma once
#include <QString>
#include <memory>

class QTranslator;

// Qt's own texts (the buttons of the standard dialogs, the file dialog, the context menus of the
// edits) in Portuguese: Qt's translations installed with the system (Debian's
// qt6-translations-l10n), loaded for the life of this object. The program's own texts are
// Portuguese already and do not go through it.
class TTraducaoQt final {
public:
    // Loads "qtbase_pt_BR" (else "qtbase_pt") from pasta, by default Qt's translations folder,
    // and installs it in the application. Without the files Qt stays in English; the log says so.
    explicit TTraducaoQt(const QString& pasta = QString());
    ~TTraducaoQt();
    TTraducaoQt(const TTraducaoQt&) = delete;
    TTraducaoQt& operator=(const TTraducaoQt&) = delete;

    // Qt's translations folder on this system.
    [[nodiscard]] static QString PastaPadrao();
    [[nodiscard]] bool Carregada() const { return FCarregada; }

private:
    std::unique_ptr<QTranslator> FTradutor;
    bool FCarregada = false;
};
