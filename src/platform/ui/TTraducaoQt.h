#pragma once
#include <QLocale>
#include <QString>
#include <memory>

class QTranslator;

// Qt's own texts (the buttons of the standard dialogs, the file dialog, the context menus of the
// edits) in Brazilian Portuguese, whatever the machine's locale: Qt's translations installed with
// the system (Debian's qt6-translations-l10n), a few texts that catalogue lacks, and the Brazilian
// locale for the names, dates and sizes Qt's widgets show, all for the life of this object. The
// program's own texts are Portuguese already, and its numbers and dates keep their fixed formats.
class TTraducaoQt final {
public:
    // Before the application object is made: the locale Qt reads from the environment for the
    // system's dates and sizes (the file dialog's columns) becomes Brazilian Portuguese.
    static void PreparaAmbiente();

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
    std::unique_ptr<QTranslator> FComplemento;
    QLocale FLocalidadeAnterior;
    bool FCarregada = false;
};
