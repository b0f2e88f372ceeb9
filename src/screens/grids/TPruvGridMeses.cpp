#include "screens/grids/TPruvGridMeses.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <cmath>

#include "model/codes/RegrasDosCodigos.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/items/TPruvItem.h"
#include "model/values/TErro.h"
#include "platform/widgets/painting/SystemColors.h"

namespace {

const char* const NomesMeses[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                  "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

// The column of the month names.
constexpr int LarguraColunaMes = 100;
constexpr int AjudaAde = 50600;

// The amount a text stands for, read as the model reads it (a text it refuses raises).
qint64 Quantia(const QString& texto)
{
    TMonetario m;
    m.SetTexto(texto);
    return m.GetValor();
}

}   // namespace

TPruvGridMeses::TPruvGridMeses(QWidget* parent)
    : TPruvCustomGrid(parent)
{
    SetMonetario(true);
    SetColCount(4);
    SetRowCount(15);
    SetFixedCols(1);
    SetFixedRows(1);
    SetScrollBars(TScrollStyle::ssNone);
    SetEditLimit(14);   // 11 integer digits, the comma and 2 decimals: the largest amount typed whole
    SetColWidths(0, LarguraColunaMes);
    resize(LarguraProjeto, AlturaProjeto);
    SelecionaCelula(1, 1);
}

int TPruvGridMeses::LinhaInterna(int ARow)
{
    if (ARow == LinhaTotais)
        return InternaTotais;
    if (ARow == InternaTotais)
        return MesDecimoTerceiro;
    return ARow;
}

int TPruvGridMeses::ColunaInterna(int ACol, bool Deducao)
{
    return !Deducao && ACol >= 2 ? ACol + 1 : ACol;
}

void TPruvGridMeses::SetDeducao(bool valor)
{
    if (valor == FDeducao)
        return;
    FDeducao = valor;
    SetColCount(ColCount() + (valor ? 1 : -1));
    Atualiza();
}

void TPruvGridMeses::SetDecimoTerceiro(bool valor)
{
    if (valor == FDecimoTerceiro)
        return;
    FDecimoTerceiro = valor;
    SetRowCount(valor ? 15 : 14);
    Atualiza();
}

bool TPruvGridMeses::SetPruvItem(TPruvItem* item, bool Guarda)
{
    if (item != FPruvItem && !LargaItem(Guarda))
        return false;
    FPruvItem = item;
    Atualiza();
    return true;
}

TMonetario* TPruvGridMeses::ValorDoMes(int, int)
{
    return nullptr;
}

TMonetario* TPruvGridMeses::TotalDaColuna(int)
{
    return nullptr;
}

void TPruvGridMeses::GetValor(int ACol, int Mes, QString& Texto, bool Formatado)
{
    const TMonetario* valor = ValorDoMes(ACol, Mes);
    if (!valor) {
        Texto = QStringLiteral("0,00");
        return;
    }
    Texto = Formatado ? valor->GetTextoFormatado() : valor->GetTexto();
}

void TPruvGridMeses::SetValor(int ACol, int Mes, const QString& Texto)
{
    if (TMonetario* valor = ValorDoMes(ACol, Mes))
        valor->SetTexto(Texto);
}

void TPruvGridMeses::GetTotal(int ACol, QString& Texto)
{
    const TMonetario* total = TotalDaColuna(ACol);
    if (!total) {
        Texto.clear();
        return;
    }
    try {
        Texto = total->GetTextoFormatado();
    } catch (const TErro&) {
        // A sum past what 64 bits hold has no text.
        Texto = QStringLiteral("*****");
    }
}

void TPruvGridMeses::TituloColuna(int ACol, QString& Texto)
{
    static const char* const titulos[] = {"Mês", "Rendimento Tributável", "Deduções", "Imposto Retido",
                                          "DepositoJudicial"};
    Texto = ACol >= 0 && ACol < 5 ? QString::fromUtf8(titulos[ACol]) : QString();
}

void TPruvGridMeses::TituloLinha(int Linha, QString& Texto)
{
    if (Linha >= 1 && Linha <= 12)
        Texto = QString::fromUtf8(NomesMeses[Linha - 1]);
    else if (Linha == MesDecimoTerceiro)
        Texto = QStringLiteral("13º Salário");
    else if (Linha == InternaTotais)
        Texto = QStringLiteral("Totais");
    else
        Texto.clear();
}

QString TPruvGridMeses::GetTexto(int ACol, int ARow)
{
    const int coluna = ColunaInterna(ACol, FDeducao);
    const int linha = LinhaInterna(ARow);
    QString texto;
    if (ARow == 0)
        TituloColuna(coluna, texto);
    else if (ACol == 0)
        TituloLinha(linha, texto);
    else if (linha == InternaTotais)
        GetTotal(coluna, texto);
    else
        GetValor(coluna, linha, texto, true);
    return texto;
}

QString TPruvGridMeses::GetEditText(int ACol, int ARow)
{
    const int linha = LinhaInterna(ARow);
    if (ARow == 0 || ACol == 0 || linha == InternaTotais)
        return GetTexto(ACol, ARow);
    QString texto;
    GetValor(ColunaInterna(ACol, FDeducao), linha, texto, false);
    return texto;
}

int TPruvGridMeses::MensagemExtinto(int Mes) const
{
    if (!FPruvItem || Mes < 2 || !RegrasDosCodigos::AdeNaDigitacao(FPruvItem->GetDeclaracao().GetAno()))
        return 0;
    return RegrasDosCodigos::MensagemAde(FPruvItem->GetCodigoRetencao().GetCodigo(), [this] {
        return FPruvItem->GetBeneficiario().TipoAtual() == TNiContribuinte::Cpf;
    });
}

void TPruvGridMeses::SetTexto(int ACol, int ARow, const QString& Value)
{
    const int coluna = ColunaInterna(ACol, FDeducao);
    const int mes = LinhaInterna(ARow);
    if (ACol == 0 || mes < 1 || mes > MesDecimoTerceiro)
        return;
    QString texto = Value;
    if (texto.startsWith(QLatin1Char(',')))
        texto.prepend(QLatin1Char('0'));
    // The amount, not its text, decides: "0,0" or "00" is no value.
    if (const int mensagem = MensagemExtinto(mes); mensagem != 0 && Quantia(texto) > 0) {
        const QString codigo = FPruvItem->GetCodigoRetencao().GetCodigo();
        Avisa(TErro(static_cast<std::uint8_t>(mensagem), codigo, TipoDialogo::Erro, Botao::Ok, AjudaAde));
        texto = QStringLiteral("0,00");
    }
    SetValor(coluna, mes, texto);
}

void TPruvGridMeses::SetEditText(int ACol, int ARow, const QString& Value)
{
    TPruvCustomGrid::SetEditText(ACol, ARow, Value);
    InvalidateCell(ACol, LinhaTotais);
}

bool TPruvGridMeses::CelulaEditavel(int ACol, int ARow)
{
    return ARow != LinhaTotais && TPruvCustomGrid::CelulaEditavel(ACol, ARow);
}

int TPruvGridMeses::UltimaLinhaDeMes() const
{
    return FDecimoTerceiro ? RowCount() - 1 : RowCount() - 2;
}

TGridRect TPruvGridMeses::AreaEditavel()
{
    return {FixedCols(), FixedRows(), ColCount() - 1, UltimaLinhaDeMes()};
}

bool TPruvGridMeses::AvisaImpostoMaiorQueRendimento(int ARow)
{
    const int mes = LinhaInterna(ARow);
    if (!FPruvItem || mes < 1 || mes > MesDecimoTerceiro)
        return true;
    qint64 imposto = 0;
    try {
        imposto = FPruvItem->GetTotalImpostoMes(mes).GetValor();
    } catch (const TErro&) {
        imposto = TMonetario::Maximo + 1;   // past the limit: more than any income
    }
    if (imposto > 0 && imposto >= FPruvItem->GetValores().GetRendimento(mes).GetValor())
        Avisa(TErro(CodigoMensagem::ImpostoNaoMenorQueRendimento, QString(), TipoDialogo::Aviso, Botao::Ok, 0));
    return true;
}

void TPruvGridMeses::Atualiza()
{
    if (RowCount() > 13 && ColCount() > 1) {
        const int linhas = RowCount();
        // Rows share the grid's height up to its designed one; a taller grid keeps them at that
        // height and shows its empty space below.
        const int cliente = std::min(ClientHeight(), AlturaProjeto - (height() - ClientHeight()));
        const int disponivel = cliente - linhas * GridLineWidth();
        const int altura = std::max(1, static_cast<int>(std::lround(double(disponivel) / linhas)));
        const int sobra = disponivel - altura * linhas;
        for (int l = 0; l < linhas; ++l)
            SetRowHeights(l, altura);
        SetRowHeights(0, std::max(1, altura + sobra / 2));
        SetRowHeights(LinhaTotais, std::max(1, altura + sobra - sobra / 2));
        const int dados = ColCount() - 1;
        const int largura = ClientWidth() - ColWidths(0) - ColCount() * GridLineWidth();
        const int parte = std::max(1, static_cast<int>(std::lround(double(largura) / dados)));
        for (int c = 2; c < ColCount(); ++c)
            SetColWidths(c, parte);
        SetColWidths(1, std::max(1, largura - parte * (dados - 1)));
    }
    InvalidateGrid();
}

void TPruvGridMeses::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    const QString texto = GetTexto(ACol, ARow);
    if (State & gdFocused)
        DesenhaCelulaSelecionada(Rect, texto, alDireita);
    else if (ARow == 0)
        DesenhaCelulaTitulo(Rect, texto, alCentro);
    else if (ACol == 0 && ARow != LinhaTotais)
        DesenhaCelulaFixa(Rect, texto, alEsquerda);
    else if (ACol == 0)
        DesenhaCelulaTotal(Rect, texto, alCentro);
    else if (ARow == LinhaTotais)
        DesenhaCelulaTotalRebaixada(Rect, texto, alDireita);
    else
        DesenhaCelulaNormal(Rect, texto, alDireita);
}

bool TPruvGridMeses::AceitaArraste(const QMimeData*) const
{
    return FPruvItem && !FPruvItem->GetChave().isEmpty();
}

void TPruvGridMeses::dragEnterEvent(QDragEnterEvent* e)
{
    if (AceitaArraste(e->mimeData()))
        TPruvCustomGrid::dragEnterEvent(e);
    else
        e->ignore();
}

void TPruvGridMeses::dragMoveEvent(QDragMoveEvent* e)
{
    if (AceitaArraste(e->mimeData()))
        TPruvCustomGrid::dragMoveEvent(e);
    else
        e->ignore();
}

void TPruvGridMeses::dropEvent(QDropEvent* e)
{
    if (AceitaArraste(e->mimeData()))
        TPruvCustomGrid::dropEvent(e);
    else
        e->ignore();
}

// ---- income, deductions and tax ----

void TPruvGridRendimentos::TituloColuna(int ACol, QString& Texto)
{
    static const char* const titulos[] = {"Mês", "Rendimento Tributável", "Deduções", "Imposto Retido"};
    Texto = ACol >= 0 && ACol < 4 ? QString::fromUtf8(titulos[ACol]) : QString();
}

TMonetario* TPruvGridRendimentos::ValorDoMes(int ACol, int Mes)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    auto& v = item->GetValores();
    switch (ACol) {
    case 1:
        return &v.GetRendimento(Mes);
    case 2:
        return &v.GetDeducao(Mes);
    case 3:
        return &v.GetImposto(Mes);
    default:
        return nullptr;
    }
}

TMonetario* TPruvGridRendimentos::TotalDaColuna(int ACol)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    auto& v = item->GetValores();
    switch (ACol) {
    case 1:
        return &v.GetTotalRendimento();
    case 2:
        return &v.GetTotalDeducao();
    case 3:
        return &v.GetTotalImposto();
    default:
        return nullptr;
    }
}

bool TPruvGridRendimentos::ValidaLinha(int ARow)
{
    return AvisaImpostoMaiorQueRendimento(ARow);
}

// ---- compensations ----

TPruvGridCompensacao::TPruvGridCompensacao(QWidget* parent)
    : TPruvGridMeses(parent)
{
    SetColCount(5);
    SelecionaCelula(2, 1);
}

void TPruvGridCompensacao::TituloColuna(int ACol, QString& Texto)
{
    static const char* const titulos[] = {"Mês", "Imposto Retido", "Ano Calendário", "Anos Anteriores", "Total"};
    Texto = ACol >= 0 && ACol < 5 ? QString::fromUtf8(titulos[ACol]) : QString();
}

TMonetario* TPruvGridCompensacao::ValorDoMes(int ACol, int Mes)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    switch (ACol) {
    case 1:
        return &item->GetValores().GetImposto(Mes);
    case 2:
        return &item->GetCompensacao().GetCompensacaoAno(Mes);
    case 3:
        return &item->GetCompensacao().GetCompensacaoAnosAnteriores(Mes);
    case 4:
        return &item->GetTotalImpostoMes(Mes);
    default:
        return nullptr;
    }
}

TMonetario* TPruvGridCompensacao::TotalDaColuna(int ACol)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    switch (ACol) {
    case 1:
        return &item->GetValores().GetTotalImposto();
    case 2:
        return &item->GetCompensacao().GetTotalCompensacaoAno();
    case 3:
        return &item->GetCompensacao().GetTotalCompensacaoAnosAnteriores();
    case 4:
        return &item->GetTotalImposto();
    default:
        return nullptr;
    }
}

void TPruvGridCompensacao::SetValor(int ACol, int Mes, const QString& Texto)
{
    if (ACol != 2 && ACol != 3)
        return;
    TPruvGridMeses::SetValor(ACol, Mes, Texto);
    // The month's whole tax and the grand total follow.
    InvalidateCell(4, LinhaInterna(Mes));   // the exchange of rows is its own inverse
    InvalidateCell(4, LinhaTotais);
}

bool TPruvGridCompensacao::CelulaEditavel(int ACol, int ARow)
{
    return ACol != 1 && ACol != 4 && TPruvGridMeses::CelulaEditavel(ACol, ARow);
}

TGridRect TPruvGridCompensacao::AreaEditavel()
{
    return {2, FixedRows(), 3, UltimaLinhaDeMes()};
}

bool TPruvGridCompensacao::ValidaLinha(int ARow)
{
    return AvisaImpostoMaiorQueRendimento(ARow);
}

void TPruvGridCompensacao::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    if (!(State & gdFocused) && ARow != 0 && ARow != LinhaTotais && (ACol == 1 || ACol == 4)) {
        DesenhaCelulaFixa(Rect, GetTexto(ACol, ARow), alDireita);
        return;
    }
    TPruvGridMeses::DesenhaCelula(ACol, ARow, State, Rect);
}

// ---- sub judice ----

TPruvGridSubJudice::TPruvGridSubJudice(QWidget* parent)
    : TPruvGridMeses(parent)
{
    SetColCount(5);
}

void TPruvGridSubJudice::TituloColuna(int ACol, QString& Texto)
{
    static const char* const titulos[] = {"Mês", "Rendimento Tributável", "Deduções", "IRRF", "Depósito Judicial"};
    Texto = ACol >= 0 && ACol < 5 ? QString::fromUtf8(titulos[ACol]) : QString();
}

TMonetario* TPruvGridSubJudice::ValorDoMes(int ACol, int Mes)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    auto& s = item->GetSubJudice();
    switch (ACol) {
    case 1:
        return &s.GetRendimento(Mes);
    case 2:
        return &s.GetDeducao(Mes);
    case 3:
        return &s.GetImposto(Mes);
    case 4:
        return &s.GetDeposito(Mes);
    default:
        return nullptr;
    }
}

TMonetario* TPruvGridSubJudice::TotalDaColuna(int ACol)
{
    TPruvItem* item = PruvItem();
    if (!item)
        return nullptr;
    auto& s = item->GetSubJudice();
    switch (ACol) {
    case 1:
        return &s.GetTotalRendimento();
    case 2:
        return &s.GetTotalDeducao();
    case 3:
        return &s.GetTotalImposto();
    case 4:
        return &s.GetTotalDeposito();
    default:
        return nullptr;
    }
}
