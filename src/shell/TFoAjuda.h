#pragma once
#include <QWidget>

class QTextBrowser;

// The program's help: one HTML page per help context, "<context>.html" in the folder "help" of
// the shipped resources, shown in a window of its own. Context 10000 is the contents page.
class TFoAjuda final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Conteudo = 10000;

    // The shipped folder "help" (TPastas::PastaRecurso); empty when there is none.
    [[nodiscard]] static QString Pasta();
    // The page of a context in that folder, the contents page when the context has none; empty
    // when neither exists.
    [[nodiscard]] static QString Pagina(const QString& pasta, int contexto);

    // Shows the page of the context in the help window, created on first use; tells the user
    // through a message when the help pages are missing.
    static void Mostra(int contexto);
    // The help window while it is open.
    [[nodiscard]] static TFoAjuda* Aberta();

    explicit TFoAjuda(QWidget* pai = nullptr);

    void MostraPagina(const QString& arquivo);

private:
    QTextBrowser* Texto;
};
