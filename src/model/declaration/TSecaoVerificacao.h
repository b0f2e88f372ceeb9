#pragma once
#include <QString>
#include <utility>

class IVerificacao;
class TColecaoPruvItem;
class TErros;
class TPruvAnexo;
class TPruvItem;

// The sections that the checks of the declaration and of its annexes write into a verification
// run: a row "10" + title opens a section with pending items, "20" + title one without, and an
// empty row ends each section.

// The section of Erros: its heading and its pending items, or its heading alone; then the end.
void IncluiSecao(IVerificacao& Frame, const TErros& Erros, const QString& Titulo);

// A section whose heading is written once, before its first pending items, and whose end tells
// whether it had any.
class TSecaoVerificacao {
public:
    TSecaoVerificacao(IVerificacao& Frame, QString Titulo)
        : FFrame(Frame)
        , FTitulo(std::move(Titulo))
    {}

    // The run's list into the section, after the heading when it is the first time; Cabecalho
    // replaces the section's title in that heading.
    void IncluiErros();
    void IncluiErros(const QString& Cabecalho);
    // "20" + title when no pending item came, then the empty row.
    void Termina();

private:
    IVerificacao& FFrame;
    QString FTitulo;
    bool FCabecalhoEscrito = false;
};

// Checks every item of Itens (Dono's), read into Lido (an item of Dono), from the first, until the
// end or until the run is stopped: counts it in Verificados, adds it to Dono's summary (zeroed
// first) and reports its pending items into Secao. Erros is the run's list. The items checked.
int VerificaItens(TColecaoPruvItem& Itens, TPruvItem& Lido, TPruvAnexo& Dono, TErros& Erros, IVerificacao& Frame,
                  int& Verificados, TSecaoVerificacao& Secao);
