#pragma once
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;
class TColecaoPruv;
class TPruv;

// The field-locate request of a pending item or a search hit: the annex key, the beneficiary or
// item key and the field code (0 to 32).
using TPosicionaCampo = std::function<void(const QString& Anexo, const QString& Item, std::uint8_t Objeto)>;

// The five pages of the declaration frame, in tab order.
enum class TPaginaDeclaracao { Informacoes, Beneficiarios, Fundos, Resumo, Comprovante };

// What the main window asks of the declaration frame that it shows while a declaration is open.
// The frame belongs to the screens, which sit above the shell.
class IFrDeclaracao {
public:
    virtual ~IFrDeclaracao() = default;

    // The frame's widget, a child of the main window.
    [[nodiscard]] virtual QWidget& Controle() = 0;

    // The opening sequence: the declaration and the stored declarations (neither owned, both
    // outliving the open state), Prepara, then Abre with the field-locate routine.
    virtual void SetPruv(TPruv& Pruv) = 0;
    virtual void SetColecaoPruv(TColecaoPruv& Colecao) = 0;
    virtual void Prepara() = 0;
    virtual void Abre(TPosicionaCampo Posiciona) = 0;
    // The focused field and every page accept their contents. When one does not, the frame has
    // shown its message and focused the field, and answers false; nothing typed is lost.
    virtual bool PodeSair() = 0;
    // Unbinds the pages, closes their tables and hides the optional pages.
    virtual void Fecha() = 0;
    // Whether the income-statement page follows the beneficiaries' values.
    virtual void SetSincronizarComprovante(bool sincronizar) = 0;
    // Shows or hides the optional pages; showing an open one again does nothing.
    virtual void MostraFundos(bool Mostra) = 0;
    virtual void MostraComprovante(bool Mostra) = 0;

    // The page control: the page shown, the one shown before the last change, and the change
    // notification (run after the page changed, by the user or by AtivaPagina).
    [[nodiscard]] virtual TPaginaDeclaracao PaginaAtiva() const = 0;
    [[nodiscard]] virtual TPaginaDeclaracao PaginaAnterior() const = 0;
    virtual void AtivaPagina(TPaginaDeclaracao Pagina) = 0;
    virtual void SetOnChange(std::function<void()> OnChange) = 0;
    // The widget of a page (its controls are found in it by name), and the page control.
    [[nodiscard]] virtual QWidget& Pagina(TPaginaDeclaracao Pagina) = 0;
    [[nodiscard]] virtual QWidget& PaginaControle() = 0;

    // What the field-locate routine asks of the beneficiary, annex and income-statement pages.
    // A page that has nothing to locate does nothing and accepts. On the item pages Item is what
    // the row names the item by (TPruvItem::Identidade): false when the page kept what it shows
    // (no item carries the code and number named, or what was typed could not be stored); it has
    // said why.
    virtual bool LocalizaBeneficiario(TPaginaDeclaracao, const QString& /*Item*/) { return true; }
    // False when the fund page kept what it shows (the fund is not stored, or what was typed
    // could not be): it has said why.
    [[nodiscard]] virtual bool LocalizaFundo(const QString& /*Anexo*/) { return true; }
    virtual void CarregaComprovante() {}
    [[nodiscard]] virtual bool ValidaComprovante() { return true; }
    // The summary page reads its totals again (when its table is open).
    virtual void AtualizaResumo() {}
};
