#pragma once
#include <QSet>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "exchange/import/TLinhaLida.h"
#include "exchange/import/TLogErros.h"
#include "exchange/import/TPedidoImportacao.h"
#include "exchange/import/TResultadoImportacao.h"
#include "model/values/TErro.h"

class IProgresso;
class TAnexoFC;
class TColecaoPruv;
class TLeitorLinhas;
class TPruv;
class TPruvAnexo;
class TGrupoValores;
class TTabelaImpItem;

// The import of a text file in the delivery layout into the stored declarations: the file that
// this program writes (unpacked from a delivery file) or one made by another system of the
// declarant. Every line is checked field by field through the model's setters and checks; an
// accepted declarant, fund or group of value lines is stored, a refused line is written with its
// reason to the error log (TLogErros), whose pair of files the import error report reads back.
//
// The whole file is one transaction over the database, committed at its end (also when the user
// cancels or answers Cancel): a failure of the database, or a crash, half-way leaves the stored
// declarations as they were. Importa throws nothing.
class TImportacaoPruv final {
public:
    TImportacaoPruv();
    ~TImportacaoPruv();
    TImportacaoPruv(const TImportacaoPruv&) = delete;
    TImportacaoPruv& operator=(const TImportacaoPruv&) = delete;

    // Imports Pedido.Arquivo into the stored declarations of Colecao.
    TResultadoImportacao Importa(TColecaoPruv& Colecao, const TPedidoImportacao& Pedido);

    // Free bytes needed on the data folder's volume for each line of the file.
    static constexpr qint64 BytesLivresPorLinha = 1400;
    static constexpr qint64 BytesPorLinha = 728;

    // The questions asked once per run when a declaration is already stored.
    [[nodiscard]] static QString PerguntaTipo1();
    [[nodiscard]] static QString PerguntaExistente();

private:
    // A finding that refuses the whole line: logged at once, the line counted as rejected.
    struct TRejeicao {
        std::uint8_t Codigo;
        QString Campo;
    };

    // A read of the file failed midway (told and logged): the import is undone.
    struct TLeituraInterrompida {};
    // After the transaction was undone: shown, logged, then as below.
    std::uint8_t Desfeita(const TErro& Erro);
    // The counts of what was stored taken back and the collection read again; returns Codigo.
    std::uint8_t Desfeita(std::uint8_t Codigo);
    void Prepara(const TPruv& Alvo);
    [[nodiscard]] bool Cancelado() const { return FCancelado && *FCancelado; }
    void Processa();
    void Despacha();
    void LeTipo1();
    void LeTipo4();
    void LeGrupo(QChar Tipo);

    // The declarant's number of the line against the working declaration; a new number (the
    // first one, or another establishment of the company) becomes the working declaration's.
    // Raises TRejeicao. When it adopts a new number it loads that declaration, and answers
    // whether it was found; otherwise nothing: the working declaration was not read again.
    std::optional<bool> ConfereDeclarante();
    bool AdotaNi(const QString& Ni);
    // Whether the line names the declarant of the value line before it, which was checked and
    // whose declaration was made sure of, with no other line between them: nothing the checks
    // read has changed since, so they are not run again for each of a declarant's many lines.
    [[nodiscard]] bool MesmoDeclarante() const;
    void LembraDeclarante();
    // Raises TRejeicao (8) when the nature chosen is not one the working declarant may have.
    void ConfereNatureza() const;
    // Loads the working declaration (TColecaoPruv::Recarrega: at the same cost whatever it holds);
    // a stored row that cannot be loaded refuses the line. MesmaDeclaracao: the declarant is the
    // one last loaded, whose collections and summaries the working declaration still holds: only
    // its row is read again.
    bool CarregaTrabalho(bool MesmaDeclaracao = false);
    void RestauraValoresTrabalho(bool ComNatureza);
    [[nodiscard]] bool NaturezaValida() const;
    // The working declaration stored (found or added here) with its items set for the run; false
    // when the user cancelled. Lida: what ConfereDeclarante answered just before.
    bool GaranteDeclaracao(std::optional<bool> Lida);
    // Asks once per run whether existing beneficiaries are replaced; false on Cancel (stop set).
    bool ConfirmaExistente(const QString& Pergunta);
    void ContaDeclaracao();
    void DescontaDeclaracao();
    void Inclui(const QString& Tipo, bool SituacaoEspecial);
    // Incluida: the working declaration was added by this run.
    void ConfiguraItens(TPruvAnexo& Dono, bool Incluida);
    void DefineNomeLog();
    void LimpaAnexo();

    // The log lines: an error or finding ("Linha: N - ..."), a warning ("Linha: N -  AVISO: ...").
    void RegistraErro(const QString& Texto);
    void RegistraCodigo(std::uint8_t Codigo, const QString& Campo = QString());
    void RegistraAviso(std::uint8_t Codigo);
    void Rejeita(const TRejeicao& Rejeicao);

    [[nodiscard]] QString Campo(int Inicio, int Tamanho) const;
    [[nodiscard]] QChar Caractere(int Posicao) const;
    [[nodiscard]] bool Cpf() const { return FTipoAlvo == 1; }

    // One run.
    const bool* FCancelado = nullptr;
    bool FArquivoCompactado = false;
    std::uint8_t FLeiaute = TPedidoImportacao::LeiauteAtual;
    TColecaoPruv* FColecao = nullptr;
    TResultadoImportacao::TContadores FContadores;
    QString FNomeLog;
    IProgresso* FGauge = nullptr;
    TPergunta FPergunta;
    TLeitorLinhas* FLeitor = nullptr;
    TLinhaLida FAtual;
    QString FVersao;   // characters 5 to 8 of a recorded file's header
    // The declarant numbers last found valid: every value line repeats its declarant's.
    QString FCpfValido;
    QString FCnpjValido;
    // The declarant's number (positions 10 to 23) of the last value line that passed
    // ConfereDeclarante and GaranteDeclaracao, and whether its declaration was added by this run;
    // empty once a line of another kind or a refused one comes.
    QString FDeclaranteConferido;
    bool FIncluidaConferida = false;
    // The key of the declaration CarregaTrabalho last found, while the working declaration holds
    // its collections; empty when it found none.
    QString FChaveCarregada;

    // What the user chose for the import.
    QString FAno;
    QString FNome;
    int FNatureza = 0;            // position in the table of all natures
    std::uint8_t FTipoAlvo = 2;   // 1 CPF, 2 CNPJ

    // The answers remembered for the run.
    bool FPerguntou = false;
    bool FSobrescreve = true;
    bool FParar = false;
    QSet<QString> FIncluidas;   // keys of the declarations added by this run
    QSet<QString> FContadas;    // keys counted among the declarations imported

    TErros FErros;   // the working declaration's sink, shared by its annex
    std::unique_ptr<TPruv> FPruv;
    std::unique_ptr<TAnexoFC> FAnexo;
    bool FTemAnexo = false;
    std::unique_ptr<TTabelaImpItem> FImpItem;
    // The groups of the declaration's and of the fund's lines, made on their first line: their
    // items point at FPruv and FAnexo, and go before them.
    std::unique_ptr<TGrupoValores> FGrupoPruv;
    std::unique_ptr<TGrupoValores> FGrupoAnexo;
    TLogErros FLog;
};
