#include "assistants/verification/TFrPruvVerifica.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "assistants/verification/TEstiloLinhaVerificacao.h"
#include "assistants/verification/TFoRelPendencias.h"
#include "assistants/verification/TGradeVerificacao.h"
#include "assistants/verification/TabelaVerifica.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/AvisosImpressora.h"
#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"
#include "platform/widgets/painting/TCanvas.h"

namespace {

// Where the message of two establishments of one company with different natures points.
constexpr std::uint8_t ObjetoNatureza = 7;
// Pending items copied by one call, at most.
constexpr int MaximoPorChamada = 65535;
// Characters of a key: the year, then the root of the declarant's number.
constexpr int TamanhoAno = 4;
constexpr int TamanhoRaiz = 12;
const QString Separador = QStringLiteral("     ");

const QColor Marinho(0, 0, 128);

QLabel* NovoContador(QWidget* dono, const char* nome, const char* dica)
{
    auto* contador = new QLabel(QStringLiteral("0000000"), dono);
    contador->setObjectName(QLatin1String(nome));
    contador->setToolTip(QString::fromUtf8(dica));
    contador->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    contador->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    contador->setIndent(2);
    contador->setFixedWidth(std::max(48, contador->sizeHint().width()));   // the seven digits whole
    return contador;
}

QPushButton* NovoBotao(QWidget* dono, const char* nome, const QString& texto, const char* dica)
{
    auto* botao = new QPushButton(texto, dono);
    botao->setObjectName(QLatin1String(nome));
    botao->setToolTip(QString::fromUtf8(dica));
    botao->setAutoDefault(false);
    botao->setFixedWidth(72);
    return botao;
}

void Repinta(QWidget* controle)
{
    if (controle->isVisible())
        controle->repaint();
}

}   // namespace

TFrPruvVerifica::TFrPruvVerifica(QWidget* parent)
    : QFrame(parent)
    , TbVerificacao(CriaTabela(QLatin1String(TabelaVerifica::NomeArquivo)))
    , DsVerificacao(std::make_unique<TDataSource>())
{
    setObjectName(QStringLiteral("FrPruvVerifica"));
    resize(Largura, Altura);
    for (std::size_t i = 0; i < FImagens.size(); ++i)
        FImagens[i] = TEstiloLinhaVerificacao::Imagem(static_cast<TIconeVerificacao>(i));
    DsVerificacao->SetDataSet(TbVerificacao.get());
    TbVerificacao->AfterScroll = [this](TDataSet*) { TbVerificacaoAfterScroll(); };
    CriaComponentes();
}

TFrPruvVerifica::~TFrPruvVerifica()
{
    // The list lets go of its data source before the table goes.
    DbgErrosEncontrados->SetDataSource(nullptr);
    TbVerificacao->AfterScroll = nullptr;
}

void TFrPruvVerifica::CriaComponentes()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    // 54 high, or as high as the notice needs where the frame is narrow (inside an assistant).
    Panel3->setMinimumHeight(54);
    Panel2 = new QWidget(Panel3);
    Panel2->setObjectName(QStringLiteral("Panel2"));

    PanelNumErros = NovoContador(Panel2, "PanelNumErros", "Número de erros.  Erros impedem a gravação da declaração");
    PanelNumAvisos = NovoContador(Panel2, "PanelNumAvisos",
                                  "Número de avisos. Avisos não impedem a gravação da declaração");
    PnVerificados = NovoContador(Panel2, "PnVerificados", "Número de beneficiários já verificados");
    CkbAvisos = new QCheckBox(QStringLiteral("&Mostrar avisos"), Panel2);
    CkbAvisos->setObjectName(QStringLiteral("CkbAvisos"));
    CkbAvisos->setToolTip(QStringLiteral("Mostra os avisos durante a verificação de pendências"));
    CkbAvisos->setChecked(true);
    BbStop = NovoBotao(Panel2, "BbStop", QStringLiteral("&Parar"), "Cancela a verificação de pendências");
    BbLocalizar = NovoBotao(Panel2, "BbLocalizar", QStringLiteral("&Localizar"),
                            "Localiza erros ou avisos na declaração");
    BbImprimir = NovoBotao(Panel2, "BbImprimir", QStringLiteral("&Imprimir"),
                           "Visualiza a impressão da verificação de pendências ");
    connect(BbStop, &QPushButton::clicked, this, [this] { BbStopClick(); });
    connect(BbLocalizar, &QPushButton::clicked, this, [this] { Localiza(); });
    connect(BbImprimir, &QPushButton::clicked, this, [this] { BbImprimirClick(); });

    auto* contadores = new QGridLayout(Panel2);
    contadores->setContentsMargins(4, 2, 4, 2);
    contadores->setVerticalSpacing(2);
    int coluna = 0;
    for (auto [rotulo, contador] : {std::pair{"Erros:", PanelNumErros}, std::pair{"Avisos:", PanelNumAvisos},
                                    std::pair{"Verificados:", PnVerificados}}) {
        contadores->addWidget(new QLabel(QLatin1String(rotulo), Panel2), 0, coluna++);
        contadores->addWidget(contador, 0, coluna++);
    }
    contadores->addWidget(CkbAvisos, 1, 0, 1, 2);
    contadores->addWidget(BbStop, 1, 2, 1, 1);
    contadores->addWidget(BbLocalizar, 1, 3, 1, 2);
    contadores->addWidget(BbImprimir, 1, 5, 1, 1);

    QFont fonteMens(QStringLiteral("Arial"));
    fonteMens.setPointSize(7);
    auto mensagem = [&](const char* nome, const QString& texto) {
        auto* rotulo = new QLabel(texto, Panel3);
        rotulo->setObjectName(QLatin1String(nome));
        rotulo->setWordWrap(true);
        rotulo->setAlignment(Qt::AlignCenter);
        rotulo->setFont(fonteMens);
        QPalette paleta = rotulo->palette();
        paleta.setColor(QPalette::WindowText, Marinho);
        rotulo->setPalette(paleta);
        return rotulo;
    };
    LabelMens = mensagem("LabelMens",
                         QStringLiteral("Os ERROS impedem a gravação da declaração para entrega à XEQ, "
                                        "enquanto os AVISOS são apenas alertas de pendências que não "
                                        "impedem a gravação da mesma."));
    LabelStop = mensagem("LabelStop", QStringLiteral("Verificação de pendências interrompida pelo usuário! "));
    LabelStop->hide();
    auto* topo = new QHBoxLayout(Panel3);
    topo->setContentsMargins(0, 0, 0, 0);
    topo->addWidget(Panel2, 0, Qt::AlignTop);
    topo->addWidget(LabelMens, 1);
    topo->addWidget(LabelStop, 1);

    DbgErrosEncontrados = new TGradeVerificacao(this);
    DbgErrosEncontrados->setObjectName(QStringLiteral("DbgErrosEncontrados"));
    QFont fonteLista(QStringLiteral("Arial"));
    fonteLista.setPointSize(8);
    DbgErrosEncontrados->setFont(fonteLista);
    DbgErrosEncontrados->SetRowHeightPercent(120);   // room for the rows' pictures
    // A row at the least: where the frame is narrow the notice above takes the height it needs.
    DbgErrosEncontrados->setMinimumHeight(32);
    DbgErrosEncontrados->SetUseTFields(false);
    DbgErrosEncontrados->SetSelected({QLatin1String(TabelaVerifica::DESCRICAO) + QStringLiteral("\t180\t")
                                      + QLatin1String(TabelaVerifica::DESCRICAO)});
    DbgErrosEncontrados->SetDefaultDrawing(false);
    DbgErrosEncontrados->OnDrawDataCell = [this](TdvCustomDBGrid*, const TRect& r, TField*, TGridDrawState) {
        DbgErrosEncontradosDrawDataCell(r);
    };
    DbgErrosEncontrados->OnDblClick = [this](TCustomGrid*) { Localiza(); };
    // Enter on a pending item does what a double-click does, for who works with the keys.
    DbgErrosEncontrados->OnKeyDown = [this](TCustomGrid*, int& tecla, Qt::KeyboardModifiers modificadores) {
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && !(modificadores & ~Qt::KeypadModifier)
            && PermiteLocalizar && BbLocalizar->isEnabled()) {
            tecla = 0;
            Localiza();
        }
    };
    DbgErrosEncontrados->SetDataSource(DsVerificacao.get());

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 0);
    principal->setSpacing(0);
    principal->addWidget(Panel3);
    principal->addWidget(DbgErrosEncontrados, 1);
}

void TFrPruvVerifica::FocaLista()
{
    DbgErrosEncontrados->setFocus(Qt::OtherFocusReason);
}

// ---- the run ----

void TFrPruvVerifica::Verifica(int& Quantidade)
{
    if (!FConcluida)
        return;
    Quantidade = 0;
    FInterrompida = false;
    FConcluida = false;
    FFalhou = false;
    LabelStop->hide();
    LabelMens->show();
    BbImprimir->setEnabled(false);
    BbLocalizar->setEnabled(false);
    BbLocalizar->setVisible(PermiteLocalizar);
    BbStop->setEnabled(false);
    BbStop->setVisible(PermiteInterromper);
    InterfaceUsuario::Atividade().MantemVivo();
    const TCursorOcupado ampulheta;

    FErrosVerificacao = std::make_unique<TErros>();
    FNumErros = 0;
    FNumAvisos = 0;
    MostraContadores();
    MostraVerificados(0);
    try {
        if (TabelaVerifica::Reinicia(*TbVerificacao))
            VerificaChaves(Quantidade);
        else
            FFalhou = true;   // message 142 was shown: nothing was verified
    } catch (...) {
        // The window that waits for the end must be able to close, and the run never allows
        // writing; the failure is shown by whoever started the run.
        FFalhou = true;
        Termina();
        throw;
    }
    Termina();
    RemoveLinhaVaziaFinal();
}

void TFrPruvVerifica::VerificaChaves(int& Quantidade)
{
    // Made in this order, let go in the reverse one: the working declaration first. It has a sink
    // of its own: what loading it collects is not the run's.
    TColecaoPruv colecao;
    TErros errosDeclaracao;
    TPruv pruv;
    pruv.SetErros(&errosDeclaracao);
    int natureza = -1;   // the nature code of the first declaration found
    for (const QString& chave : std::as_const(Chaves)) {
        if (FInterrompida)
            break;
        VerificaChave(chave, pruv, colecao, natureza, Quantidade);
    }
}

void TFrPruvVerifica::VerificaChave(const QString& Chave, TPruv& Pruv, TColecaoPruv& Colecao, int& Natureza,
                                    int& Quantidade)
{
    FErrosVerificacao->Limpa();
    Pruv.Limpa();
    Pruv.SetAno(Chave.left(TamanhoAno));
    Pruv.GetDeclarante().SetRaiz(Chave.mid(TamanhoAno, TamanhoRaiz));
    if (!Colecao.Carrega(Pruv))
        return;
    SetaConcluida(false);
    TContribuinte& declarante = Pruv.GetDeclarante();
    IncluiTituloDeclarante(declarante.GetNiFormatado(), declarante.Nome().GetTexto(), Pruv.GetAno());
    const int codigo = Pruv.GetNatureza().GetCodigo();
    if (Natureza < 0)
        Natureza = codigo;
    else if (codigo != Natureza)
        FErrosVerificacao->Add(TErro(CodigoMensagem::NaturezaDivergente, QString(), TipoDialogo::Erro, Botao::Ok, 0,
                                     Pruv.GetChave(), declarante.GetNiFormatado(), ObjetoNatureza));
    Pruv.Verifica(*FErrosVerificacao, *this, Quantidade);
}

void TFrPruvVerifica::Termina()
{
    FErrosVerificacao.reset();
    SetaConcluida(true);
}

void TFrPruvVerifica::RemoveLinhaVaziaFinal()
{
    TdvTable& tabela = *TbVerificacao;
    if (!tabela.Active() || tabela.IsEmpty() || !TabelaVerifica::Descricao(tabela).isEmpty())
        return;
    try {
        tabela.Delete();
    } catch (const EDatabaseError& e) {
        throw EDbError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(tabela.TableName(), e), 0);
    }
}

bool TFrPruvVerifica::PodeGravar() const
{
    return FNumErros <= 0 && !FInterrompida && !FFalhou;
}

void TFrPruvVerifica::FechaTabela()
{
    ::FechaTabela(*TbVerificacao);
    TbVerificacao->SetDatabaseName(DiretorioDados());
}

void TFrPruvVerifica::SetaInterrompida(bool b)
{
    FInterrompida = b;
    AtualizaBotoes(b);
}

void TFrPruvVerifica::SetaConcluida(bool b)
{
    FConcluida = b;
    AtualizaBotoes(b);
}

void TFrPruvVerifica::AtualizaBotoes(bool b)
{
    BbStop->setEnabled(!b);
    BbImprimir->setEnabled(!BbStop->isEnabled());
    BbLocalizar->setEnabled(b);
    for (QWidget* botao : std::initializer_list<QWidget*>{BbStop, BbImprimir, BbLocalizar})
        Repinta(botao);
}

// ---- rows ----

void TFrPruvVerifica::IncluiErros()
{
    if (!FErrosVerificacao)
        return;
    const int total = std::min(FErrosVerificacao->Count(), MaximoPorChamada);
    for (int i = 0; i < total; ++i) {
        const TErro& erro = FErrosVerificacao->Items(i);
        const int tipo = static_cast<int>(erro.Tipo());
        if (tipo == TabelaVerifica::GravidadeErro) {
            PanelNumErros->setText(QString::number(++FNumErros));
        } else if (tipo == TabelaVerifica::GravidadeAviso) {
            PanelNumAvisos->setText(QString::number(++FNumAvisos));
            if (!CkbAvisos->isChecked())
                continue;
        }
        TabelaVerifica::Inclui(*TbVerificacao, erro.AQuemPertence(), erro.QuemEh(), erro.Objeto(), tipo,
                               ZerosAEsquerda(tipo, 2) + erro.GetMensagem());
        DbgErrosEncontrados->viewport()->update();
    }
}

void TFrPruvVerifica::IncluiTexto(const QString& Descricao)
{
    TabelaVerifica::Inclui(*TbVerificacao, QString(), QString(), TabelaVerifica::SemObjeto, TabelaVerifica::SemObjeto,
                           Descricao);
    DbgErrosEncontrados->viewport()->update();
}

void TFrPruvVerifica::IncluiLinha(const QString& Texto)
{
    IncluiTexto(Texto);
}

void TFrPruvVerifica::IncluiTituloDeclarante(const QString& Numero, const QString& Nome, const QString& Ano)
{
    IncluiTexto(QStringLiteral("08") + Numero + Separador + Nome + Separador + QStringLiteral("Ano-calendário: ")
                + Ano);
}

void TFrPruvVerifica::IncluiTituloFundo(const QString& Texto1, const QString& Texto2)
{
    IncluiTexto(QStringLiteral("09") + Texto1 + Separador + Texto2 + Separador
                + QStringLiteral("Fundos ou Clubes de Investimentos"));
}

void TFrPruvVerifica::MostraVerificados(int Quantidade)
{
    FNumVerificados = Quantidade;
    PnVerificados->setText(QString::number(Quantidade));
    Repinta(PnVerificados);
}

void TFrPruvVerifica::MostraContadores()
{
    PanelNumErros->setText(QString::number(FNumErros));
    PanelNumAvisos->setText(QString::number(FNumAvisos));
    Repinta(PanelNumErros);
    Repinta(PanelNumAvisos);
}

// ---- the user ----

void TFrPruvVerifica::BbStopClick()
{
    FInterrompida = true;
    LabelStop->show();
    LabelMens->hide();
    BbStop->setEnabled(false);
    BbImprimir->setEnabled(true);
    BbLocalizar->setEnabled(PermiteLocalizar);
    InterfaceUsuario::Atividade().MantemVivo();
}

void TFrPruvVerifica::Localiza()
{
    if (BbStop->isEnabled() || !parentWidget() || !PermiteLocalizar || !BbLocalizar->isEnabled())
        return;
    TdvTable& tabela = *TbVerificacao;
    if (!tabela.Active() || tabela.IsEmpty() || !TabelaVerifica::ItemPendente(tabela))
        return;   // a heading or a plain line points nowhere
    const QString aQuemPertence = tabela.FieldByName(QLatin1String(TabelaVerifica::A_QUEM_PERTENCE))->AsString();
    const QString quemEh = tabela.FieldByName(QLatin1String(TabelaVerifica::QUEM_EH))->AsString();
    const int objeto = tabela.FieldByName(QLatin1String(TabelaVerifica::OBJETO))->AsInteger();
    window()->showMinimized();
    if (AoLocalizar)
        AoLocalizar(aQuemPertence, quemEh, static_cast<std::uint8_t>(objeto));
}

void TFrPruvVerifica::TbVerificacaoAfterScroll()
{
    if (!PermiteLocalizar)
        return;
    const TdvTable& tabela = *TbVerificacao;
    BbLocalizar->setEnabled(!tabela.IsEmpty() && TabelaVerifica::ItemPendente(tabela) && !BbStop->isEnabled());
}

void TFrPruvVerifica::BbImprimirClick()
{
    Imprime(Visualizar);
}

void TFrPruvVerifica::Imprime(bool Previa)
{
    // Moving through the rows for the report is no choice of a row by the user.
    auto evento = std::exchange(TbVerificacao->AfterScroll, nullptr);
    const auto devolve = qScopeGuard([&] { TbVerificacao->AfterScroll = std::move(evento); });
    if (ExisteImpressoraOuAvisa())
        ExibeRelPendencias(Previa, *TbVerificacao, this);
}

// ---- drawing ----

void TFrPruvVerifica::DbgErrosEncontradosDrawDataCell(const TRect& Rect)
{
    TCanvas& canvas = *DbgErrosEncontrados->GetPaintCanvas();
    const QString descricao = TabelaVerifica::Descricao(*TbVerificacao);
    const TEstiloLinhaVerificacao estilo = TEstiloLinhaVerificacao::DoCodigo(TabelaVerifica::Codigo(descricao));
    const bool selecionada = canvas.Brush.Color == DbgErrosEncontrados->palette().color(QPalette::Highlight);
    canvas.FillRect(Rect);
    QPainter& pintor = canvas.Painter();
    const int esquerda = Rect.Left + estilo.DeslocamentoIcone;
    const QPixmap& imagem = FImagens[static_cast<std::size_t>(estilo.Icone)];
    if (!imagem.isNull())
        pintor.drawPixmap(esquerda, Rect.Top + (Rect.Height() - imagem.height()) / 2, imagem);
    pintor.setFont(estilo.Fonte(DbgErrosEncontrados->font()));
    const QColor cor = estilo.Pontos == 0 ? canvas.Font.Color : estilo.Cor;
    pintor.setPen(selecionada ? DbgErrosEncontrados->palette().color(QPalette::HighlightedText) : cor);
    const QRect texto(esquerda + estilo.DeslocamentoTexto, Rect.Top,
                      std::max(0, Rect.Right - esquerda - estilo.DeslocamentoTexto), Rect.Height());
    pintor.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    TabelaVerifica::Texto(descricao, TEstiloLinhaVerificacao::TamanhoTexto));
}
