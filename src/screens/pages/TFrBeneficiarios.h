#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <array>
#include <memory>

#include "shell/window/IFrDeclaracao.h"

class QTabWidget;
class QToolButton;
class TAnexoFC;
class TColecaoPruvItem;
class TdvDBLookupCombo;
class TdvTable;
class TPruv;
class TPruvAnexo;
class TPruvEdit;
class TPruvGridCompensacao;
class TPruvGridMeses;
class TPruvGridRendimentos;
class TPruvGridSubJudice;
class TPruvItem;

// The page on which the items of a declaration are typed: one beneficiary (CPF or CNPJ and name)
// under one withholding code, with its monthly values. In annex mode it types the items of the
// investment funds or clubs the declarant administers, chosen in a fund bar above. The page works
// on one item at a time; the owner's item collection stores it and walks the stored ones through
// the dataset layer, one row at a time.
class TFrBeneficiarios final : public QWidget {
    Q_OBJECT
public:
    explicit TFrBeneficiarios(QWidget* pai = nullptr);
    ~TFrBeneficiarios() override;

    void SetPruv(TPruv& Pruv) { FPruv = &Pruv; }
    // Opens on a new, empty item after the owner's last one; in annex mode on the first fund.
    void Abre(bool ModoAnexo, TPosicionaCampo Posiciona);
    void Fecha();
    [[nodiscard]] bool Aberta() const { return FItem != nullptr; }
    // The exit check: the code, then the item saved, then (annex mode) the fund's CNPJ. False
    // after showing the message and focusing the field to correct.
    bool Valida();
    // The page is entered again: the collection's view is found again and the working item read
    // again as stored.
    void Entra();
    // The page is left: the exit check, then the income statement follows the beneficiary.
    bool Sai();
    // The item that a pending item or a search hit names (TPruvItem::Identidade) becomes the one
    // shown, after what was typed is stored; a text that names no item moves nothing. False when
    // the page kept what it shows: a store refused, or no item of the owner carries that code and
    // number (its message shown).
    bool LocalizaBeneficiario(const QString& Identidade);
    // The fund of that key becomes the one shown, after what was typed is stored. False when
    // the page kept what it shows: a store refused (its message shown), or no such fund is
    // stored (message 55).
    bool LocalizaFundo(const QString& Chave);
    void SetSincronizarComprovante(bool Sincronizar) { FSincronizar = Sincronizar; }

    // The buttons, also run by the main window's keys.
    void BbFirstClick();
    void BbPriorClick();
    void BbNextClick();
    void BbLastClick();
    void BbAddClick();
    void BbDeleteClick();
    void BbDesfazerClick();
    // Drops the edits: the current stored item again.
    void Cancela();

    [[nodiscard]] TPruvItem* Item() const { return FItem.get(); }

protected:
    bool eventFilter(QObject* Objeto, QEvent* Evento) override;

private:
    void CriaComponentes();
    void CriaBarraFundo();
    void AbreItens();
    void FechaItens();
    void AbreFundos();
    void FechaFundos();
    // The items follow the current fund when its key differs from the owner's.
    void TrocaFundo();
    void RefazTela();
    void AtualizaBotoes();
    void AtualizaBotoesAnexo();
    [[nodiscard]] bool FundoSemChave() const;
    // A new item with nothing typed but maybe its code: nothing to keep when the page is left.
    [[nodiscard]] bool NovoItemVazio() const;
    // The code typed becomes the item's: 0, or the code table's message (116, 117, ...).
    [[nodiscard]] std::uint8_t AtualizaCodigo();
    // Saves the working item: 0 when saved or nothing to save. A message of the item's key or of
    // its beneficiary is returned unshown (Mostrada false); every other is shown here.
    std::uint8_t SalvaPruvItem(bool& Mostrada);
    // The one road out of what the page shows, that every action leaving it takes first: the
    // field being typed writes back, the item is stored and, with ComFundo, the fund (its undo
    // and deletion drop the fund's edits instead). False after the refusing message, the page
    // kept as it was.
    bool GuardaDigitado(bool ComFundo);
    bool GuardaItem();
    bool GuardaFundo();
    // Saves before the item is left: false after the message was shown, the item kept.
    bool SalvaAntesDeSair();
    void MostraErroItem(std::uint8_t Codigo);
    void FocaErroItem(std::uint8_t Codigo);
    void CarregaAtual();
    [[nodiscard]] std::array<TPruvGridMeses*, 3> Grades() const;
    // The month cell being typed writes back: the focused grid's, or any grid's open editor.
    // False when the model refused it (its message shown, the cell kept).
    bool EscreveCelula();
    // The one point where the working item changes (a move, a new item, a delete, an undo, a
    // locate, a stored item read again): the grids let go of the item shown first, an open cell
    // written back to it (Guarda) or dropped, never given to the next; then Muda changes the item
    // and the page shows it, the grids taking it again. False, nothing changed, when the model
    // refused the cell (its message shown).
    bool TrocaItem(bool Guarda, const std::function<void()>& Muda);
    void Navega(void (TFrBeneficiarios::*Move)());
    void MovePrimeiro();
    void MoveAnterior();
    void MoveProximo();
    void MoveUltimo();
    void DepoisDeNavegar();
    // Focus changes inside the page: the key panel, the grids and the fund bar.
    void FocoMudou(QWidget* Antes, QWidget* Agora);
    [[nodiscard]] bool Contem(const QWidget* Area, const QWidget* w) const;
    [[nodiscard]] bool FocoEmDescarte(const QWidget* Agora) const;
    // A fund not stored yet has no items: the item's fields, entered, send the focus to its CNPJ.
    void FechaItensSemFundo(QWidget* Agora);
    void SaiCodigo(QWidget* Agora);
    void SaiChave(QWidget* Agora);
    void SaiCpfCnpj();
    void SaiNome();
    void EntraGrades();
    // The grid of the tab shown takes the keys on its first cell.
    void FocaGradeMostrada();
    void SincronizaComprovante();
    // Fund bar.
    void EscolheFundo(bool Aceito);
    void SaiFundo(QWidget* Agora);
    void TomaCnpj(const QString& Cnpj);
    void SalvaFundo();
    void BbAddFundoClick();
    void BbDeleteFundoClick();
    void BbDesfazerFundoClick();
    void CarregaFundoDaLista();

    QWidget* PnIdentificacaoFundo;
    TdvDBLookupCombo* DblcFundos;
    TPruvEdit* DeNomeFundo;
    QToolButton* BbAddFundo;
    QToolButton* BbDeleteFundo;
    QToolButton* BbDesfazerFundo;
    QWidget* PnChavePruvItem;
    QWidget* Panel2;
    QWidget* Panel3;
    TdvDBLookupCombo* DblcCodRet;
    TPruvEdit* DeCpfCnpjBenef;
    TPruvEdit* DeNomeBenef;
    QToolButton* BbFirst;
    QToolButton* BbPrior;
    QToolButton* BbNext;
    QToolButton* BbLast;
    QToolButton* BbAdd;
    QToolButton* BbDelete;
    QToolButton* BbDesfazer;
    QTabWidget* PCPruvItem;
    QWidget* TSRendimentosTrib;
    QWidget* TSCompensacao;
    QWidget* TSSubJudice;
    TPruvGridRendimentos* DgrRendimentos;
    TPruvGridCompensacao* DgcCompensacao;
    TPruvGridSubJudice* DgsSubJudice;
    // The collection stood on its last item when the buttons were last set: a new item then
    // follows it.
    bool FNoUltimo = true;
    std::unique_ptr<TdvTable> TbCodRet;
    std::unique_ptr<TdvTable> TbAnexo;

    TPruv* FPruv = nullptr;                  // not owned
    std::unique_ptr<TAnexoFC> FAnexo;        // annex mode: the current fund
    std::unique_ptr<TAnexoFC> FDonoAnexo;    // annex mode: the owner of the items, a copy of it
    std::unique_ptr<TAnexoFC> FCopiaAnexo;   // annex mode: the fund as stored
    TPruvAnexo* FDono = nullptr;             // the declaration or FDonoAnexo
    std::unique_ptr<TPruvItem> FItem;        // the working item
    std::unique_ptr<TPruvItem> FCopia;       // the item as stored, for undo
    TColecaoPruvItem* FColecao = nullptr;    // the owner's
    bool FModoAnexo = false;
    TPosicionaCampo FPosiciona;
    bool FSincronizar = false;
    bool FSalvando = false;
};
