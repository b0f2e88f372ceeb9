#pragma once
#include <QString>
#include <functional>

#include "shell/common/TDialogoPrincipal.h"

class QPushButton;
class TColecaoPruv;
class TdvDBComboBox;
class TPruv;
class TPruvEdit;

// "Nova Declaração": the declarant's CPF or CNPJ, the calendar year and the name of a new
// declaration. OK stores it (refusing a second declaration of the same declarant and year, and a
// branch of a private-law company from 1999 on) and leaves it loaded in the declaration given.
class TFoNovaDeclaracao final : public TDialogoPrincipal {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11005;

    // Pruv is cleared and its number and name bound to the edits; both outlive the dialog.
    TFoNovaDeclaracao(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono = nullptr);
    ~TFoNovaDeclaracao() override;

    TPruvEdit* DeCpfCnpj;
    TdvDBComboBox* CbAnoRet;
    TPruvEdit* DeNome;
    QPushButton* BbOk;
    QPushButton* BbCancel;
    QPushButton* HelpBtn;

public slots:
    void BbOkClick();

protected:
    // "2002" chosen, the focus on the number.
    void AoMostrar() override;

private:
    void CbAnoRetChange();
    void CbAnoRetCloseUp();
    void DeCpfCnpjExit();
    // Gives the declaration one typed value; a refusal is shown and the control focused.
    bool Atribui(QWidget* Controle, const std::function<void()>& Atribuicao);

    TPruv& Pruv;
    TColecaoPruv& ColecaoPruv;
    bool FAvisou2003 = false;   // the year shows "2003" and its warning was given
    QString FNomeEmprestado;    // the name a stored declarant lent to the empty name field
    QString FNiQueEmprestou;    // the number typed that lent it
};

// Runs the dialog modally over Dono: true when a new declaration was stored and loaded into Pruv.
bool NovaDeclaracao(TPruv& Pruv, TColecaoPruv& Colecao, QWidget* Dono = nullptr);
