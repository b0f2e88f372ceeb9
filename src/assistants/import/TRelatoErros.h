#pragma once
#include <QString>
#include <functional>
#include <vector>

#include "exchange/import/TLogErros.h"
#include "platform/report/bands/TRelatorio.h"

class TElementoRelatorio;
class TMemo;
class TRotulo;

// One field of a rejected line: its caption, its raw text, and where it prints (line from 0;
// column 0 at the band's left, 1 at its middle).
struct TCampoErro {
    QString Rotulo;
    QString Valor;
    int Linha;
    int Coluna;
};

// What the two import error reports share: a report over one pair of error files, the page
// header with the title and the file shown after "Arquivo: ", and a detail per pair of lines with
// its message after "Descrição do erro: ". The layout of the line itself is the holder's, in
// bands that follow the detail; they read the current line from Log(). A4 portrait.
class TRelatoErros {
public:
    TRelatoErros(const QString& NomeRelatorio, const QString& Titulo);
    virtual ~TRelatoErros();
    TRelatoErros(const TRelatoErros&) = delete;
    TRelatoErros& operator=(const TRelatoErros&) = delete;

    [[nodiscard]] TRelatorio& Relatorio() { return FRelatorio; }
    [[nodiscard]] TLogErros& Log() { return FLog; }

    // Opens the pair of that base name in ErroImp for reading; false when it cannot be opened
    // (the user was told and gave up).
    bool Abre(const QString& Nome);
    // The file named after "Arquivo: ".
    void DefineArquivo(const QString& Caminho);
    void DefineTitulo(const QString& Titulo);

    // Pairs the caller announced (the progress is the share shown of them) and pairs shown.
    int Total = 0;
    [[nodiscard]] int Contador() const { return FContador; }
    // The report goes to the preview window: its pages show there as they are generated.
    bool Visualizando = false;

    // Adjusts the paper and previews the report; then closes the pair.
    void Visualiza();

protected:
    // A band printed after the detail (and after the ones made before it), on the page of its
    // record: Prepara lays it out (texts, height, shown or not) as soon as the record is read, so
    // that all of the record's bands are measured before the first of them prints.
    TBanda& CriaBandaLinha(const QString& Nome, std::function<void(TBanda&)> Prepara = {});
    // A band of fields laid out as Campos gives them for the current line; at most Maximo.
    // Captions "QrlRotulo<n>" and values "QrlCampo<n>", n from 1.
    TBanda& CriaBandaCampos(const QString& Nome, int Maximo, std::function<std::vector<TCampoErro>()> Campos);
    // The element runs from its left to the right margin, whatever the paper.
    void AteAMargem(TElementoRelatorio& Elemento) { FAteAMargem.push_back(&Elemento); }

    static QFont Rotulo();   // captions
    static QFont Campo();    // the line's raw text
    static constexpr qreal AlturaLinha = 16;

private:
    void CriaCabecalho(const QString& Titulo);
    // The header as tall as the file's name needs at the paper's width.
    void AjustaCabecalho();
    void CriaDetalhe();
    void CriaRodape();
    bool PrecisaDados();

    TRelatorio FRelatorio;
    TLogErros FLog;
    bool FAberto = false;
    int FContador = 0;
    TBanda* FUltima = nullptr;   // the band the next line band follows
    std::vector<std::pair<TBanda*, std::function<void(TBanda&)>>> FPreparos;
    TMemo* FMensagem = nullptr;
    std::vector<TElementoRelatorio*> FAteAMargem;
};
