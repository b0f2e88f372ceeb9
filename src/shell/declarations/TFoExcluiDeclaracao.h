#pragma once
#include <memory>

#include "shell/declarations/TFoListaDeclaracoes.h"

class TColecaoPruv;
class TErros;
class TPruv;

// Deletes stored declarations: a grid of every declaration with a check box per row; OK asks
// once for all those checked and deletes each with everything it owns.
class TFoExcluiDeclaracao final : public TFoListaDeclaracoes {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11020;

    // Colecao outlives the dialog.
    explicit TFoExcluiDeclaracao(TColecaoPruv& Colecao, QWidget* Dono = nullptr);
    ~TFoExcluiDeclaracao() override;

    TdvDBGrid* DBGrContribu;

    // The question for n declarations.
    [[nodiscard]] static QString Pergunta(int n);

protected:
    // With rows checked, asks; on Yes deletes them (their keys read first) and closes with OK.
    void OKBtnClick() override;

private:
    TColecaoPruv& ColecaoPruv;
    std::unique_ptr<TErros> FErros;
    std::unique_ptr<TPruv> Pruv;   // the dialog's own, for the deletions
};

// Runs the dialog modally over Dono: true when the user confirmed a deletion.
bool ExcluiDeclaracoes(TColecaoPruv& Colecao, QWidget* Dono = nullptr);
