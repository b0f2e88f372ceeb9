#pragma once
#include "shell/declarations/TFoListaDeclaracoes.h"

class TColecaoPruv;
class TPruv;

// Chooses a stored declaration to open (or to write for delivery): a grid of every declaration
// by declarant and year. OK loads the chosen one into the declaration given.
class TFoAbreDeclaracao final : public TFoListaDeclaracoes {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11010;

    // Pruv is cleared; both outlive the dialog.
    TFoAbreDeclaracao(const QString& Legenda, TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono = nullptr);

    TdvDBGrid* DBGrDeclaracao;

protected:
    // Loads the declaration of the current row and closes with OK; a declaration that cannot be
    // loaded shows its message and the dialog stays.
    void OKBtnClick() override;

private:
    TPruv& Pruv;
    TColecaoPruv& ColecaoPruv;
};

// Runs the dialog modally over Dono with that caption ("Abrir Declaração", "Abrir Declaração
// para Gravação"): true when a stored declaration was loaded into Pruv.
bool AbreDeclaracao(TPruv& Pruv, TColecaoPruv& Colecao, const QString& Legenda, QWidget* Dono = nullptr);
