#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QTextBrowser;

// The program's help: one HTML page per help context, "<context>.html" in the folder "help" of
// the shipped resources, shown in a window of its own beside the window it was asked from.
// Context 10000 is the contents page. Escape closes it.
class TFoAjuda final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Conteudo = 10000;

    // The shipped folder "help" (TPastas::PastaRecurso); empty when there is none.
    [[nodiscard]] static QString Pasta();
    // The page of a context in that folder, the contents page when the context has none; empty
    // when neither exists.
    [[nodiscard]] static QString Pagina(const QString& pasta, int contexto);
    // Where a help window of that size opens: beside its owner's frame, to the right when it
    // fits on the screen, else to the left, else at the screen's right edge; its top at the
    // owner's top, kept on the screen.
    [[nodiscard]] static QPoint Posicao(const QRect& dono, const QSize& tamanho, const QRect& tela);

    // Shows the page of the context in the help window, created on first use, beside dono (by
    // default the window the user is in: the modal assistant, else the active window); tells the
    // user through a message when the help pages are missing.
    static void Mostra(int contexto, QWidget* dono = nullptr);
    // The help window while it is open.
    [[nodiscard]] static TFoAjuda* Aberta();

    explicit TFoAjuda(QWidget* pai = nullptr);

    void MostraPagina(const QString& arquivo);
    // The context of the page last asked for.
    [[nodiscard]] int Contexto() const { return FContexto; }

private:
    void Posiciona();

    QTextBrowser* Texto;
    int FContexto = 0;
};
