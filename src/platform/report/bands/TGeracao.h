#pragma once
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

#include "platform/report/pages/TDesenhoPagina.h"
#include "platform/report/elements/TElementoRelatorio.h"

class TBanda;
class TDocumentoRelatorio;
class TPaginaGravada;
class TRelatorio;

// One run of a report's bands over its records, kept as a state that advances one record or
// one sub-detail row per Passo, so that a run can stop between two of them and go on later.
// Used by TRelatorio only.
class TGeracao final {
public:
    // documento nullptr: the pages are laid out and counted but nothing is recorded.
    TGeracao(TRelatorio& relatorio, TDocumentoRelatorio* documento);
    ~TGeracao();
    TGeracao(const TGeracao&) = delete;
    TGeracao& operator=(const TGeracao&) = delete;

    bool Inicia();   // false: AntesDeGerar refused
    void Passo();
    [[nodiscard]] bool Terminada() const { return FFase == TFase::Terminada; }
    [[nodiscard]] bool Cancelada() const { return FCancelada; }

    [[nodiscard]] int NumeroPagina() const { return FNumeroPagina; }
    [[nodiscard]] int PaginasConcluidas() const { return FPaginasConcluidas; }
    [[nodiscard]] qreal Y() const;
    [[nodiscard]] qreal LimiteCorpo() const;
    [[nodiscard]] qreal AlturaPaginaNova() const;
    void NovaPagina();
    void TrocaDocumento(TDocumentoRelatorio* documento) { FDocumento = documento; }

private:
    enum class TFase { Mestre, SubDetalhes, Fim, Terminada };

    void PassoMestre();
    void PassoSubDetalhe();
    void PassoFim();
    void Encerra(bool cancelada);
    void AtualizaGrupos();
    // Closes the open groups from the innermost out to group primeiro, printing their footers.
    void FechaGrupos(std::size_t primeiro);

    bool ImprimeBanda(TBanda& banda);
    bool ImprimeNoTopo(TBanda& banda);
    void Desenha(const TBanda& banda, qreal altura);

    void AbrePagina();
    void AbrePaginaSeFechada();
    void FechaPagina(bool ultima);
    void DescartaPagina();
    [[nodiscard]] TContextoImpressao Contexto() const;

    TRelatorio& R;
    TDocumentoRelatorio* FDocumento;
    TFase FFase = TFase::Mestre;
    bool FCancelada = false;

    // Page.
    std::unique_ptr<TPaginaGravada> FGravada;
    std::unique_ptr<TDesenhoPagina> FDesenho;   // what the page holds, while a watcher wants it
    int FImpressoes = 0;                        // bands drawn on it
    QPainter FPintor;
    bool FPaginaAberta = false;
    bool FPaginaComCorpo = false;   // a band other than the page's top bands printed on it
    bool FAbrindo = false;
    bool FFechando = false;
    bool FTituloTentado = false;
    int FNumeroPagina = 0;
    int FPaginasConcluidas = 0;
    qreal FY = 0;
    qreal FAlturaTopo = 0;   // what the bands that open every page took on the last page opened

    // Records.
    bool FAlgumRegistro = false;
    std::vector<bool> FGrupoAberto;
    std::vector<QString> FChaveGrupo;
    std::size_t FSub = 0;
    bool FSubIniciado = false;
    bool FCabecalhoSubAberto = false;
};
