#include "assistants/backup/TFormAssistRestCopSeg.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

#include "platform/files/CriaPastas.h"
#include "platform/widgets/windows/TDialogoArquivo.h"
#include "assistants/pages/TCaminhoDigitado.h"
#include "assistants/pages/TPaginaArquivo.h"
#include "assistants/pages/TPaginaComFigura.h"
#include "shell/common/PosicaoAssistente.h"
#include "model/values/TArquivoIni.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/ContextoAjuda.h"
#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/compress/TLeitorZip.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TPastas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/backup/TCopiaBanco.h"

namespace {

const QString TabelaDeclaracoes = QStringLiteral("PRUV.DB");

QString NaoEncontrado(const QString& arquivo)
{
    return QStringLiteral("O arquivo ") + QDir::toNativeSeparators(arquivo) + QStringLiteral(" não foi encontrado.");
}

QString NaoECopia(const QString& arquivo)
{
    return QStringLiteral("O arquivo ") + QDir::toNativeSeparators(arquivo)
        + QStringLiteral(" não é uma cópia de segurança da base de dados deste programa.");
}

QString Danificada(const QString& arquivo)
{
    return QStringLiteral("A cópia de segurança ") + QDir::toNativeSeparators(arquivo)
        + QStringLiteral(" está danificada e não pode ser restaurada.");
}

QString SemEspaco()
{
    return TErro::Mensagem(CodigoMensagem::SemEspacoParaAOperacao) + QLatin1Char('.');
}

// Why a backup file could not be unpacked into pasta: the archive is looked at again.
QString MotivoDescompressao(const QString& arquivo, const QString& pasta, int resultado)
{
    if (resultado == ResultadoCompressao::FormatoDesconhecido)
        return NaoECopia(arquivo);
    TLeitorZip leitor;
    const int aberto = leitor.Abre(arquivo);
    if (aberto == ResultadoCompressao::FormatoDesconhecido)
        return NaoECopia(arquivo);
    if (aberto != ResultadoCompressao::Ok)
        return Danificada(arquivo);
    if (leitor.Procura(TDatabase::NomeArquivo()) < 0 || !leitor.NomesSeguros())
        return NaoECopia(arquivo);
    unsigned long long total = 0;
    for (int i = 0; i < leitor.Quantidade(); ++i)
        total += leitor.Tamanho(i);
    const qint64 livres = TEspacoEmDisco::Livre(pasta);
    if (livres >= 0 && static_cast<unsigned long long>(livres) < total)
        return SemEspaco();
    return Danificada(arquivo);
}

QString MotivoConferencia(const QString& arquivo, const TCopiaBanco::TConferencia& conferencia)
{
    using TSituacao = TCopiaBanco::TConferencia::TSituacao;
    if (conferencia.Situacao == TSituacao::Recusada)
        return QStringLiteral("A cópia de segurança ") + QDir::toNativeSeparators(arquivo)
            + QStringLiteral(" não pode ser restaurada. ") + conferencia.Motivo;
    return conferencia.Situacao == TSituacao::Danificada ? Danificada(arquivo) : NaoECopia(arquivo);
}

QString LeIni(const char* chave)
{
    return TArquivoIni::LeString(QStringLiteral("Copia de Seguranca"), QLatin1String(chave), QString());
}

}   // namespace

TFormAssistRestCopSeg::TFormAssistRestCopSeg(QWidget* owner)
    : TFormAssist(owner)
{
    setObjectName(QStringLiteral("FormAssistRestCopSeg"));
    setWindowTitle(QStringLiteral("Assistente de Restauração de Cópia de Segurança"));

    TPaginaComFigura pagina1 = TPaginaComFigura::Cria(
        QStringLiteral("Panel1"),
        {QStringLiteral("O Assistente de Restauração de Cópia de Segurança serve para recuperar os dados de suas "
                        "declarações caso estes tenham sido danificados."),
         QStringLiteral("ATENÇÃO:"),
         QStringLiteral("A restauração substitui todos os dados de suas declarações. Portanto, execute-a apenas em "
                        "caso de perda de dados."),
         QStringLiteral("Não utilize Cópia de Segurança gravada de programas anteriores")});
    QFont negrito = pagina1.Textos[1]->font();
    negrito.setBold(true);
    pagina1.Textos[1]->setFont(negrito);
    DefinePagina(1, pagina1.Painel);
    DefinePagina(2, CriaPagina2());
    DefinePagina(3, CriaPaginaProgresso("Panel3", QString(), Label2, Gauge1));
    DefinePagina(4,
                 TPaginaComFigura::ComTexto(QStringLiteral("Panel4"), QStringLiteral("Label7"),
                                            QStringLiteral("Sua restauração da cópia de segurança foi efetuada com "
                                                           "sucesso."),
                                            Label7));
    TPaginaComFigura pagina5 = TPaginaComFigura::Cria(
        QStringLiteral("Panel5"), {QStringLiteral("Houve um erro na restauração da cópia de segurança."), QString()});
    Label4 = pagina5.Textos[0];
    Label4->setObjectName(QStringLiteral("Label4"));
    LbMotivo = pagina5.Textos[1];
    LbMotivo->setObjectName(QStringLiteral("LbMotivo"));
    DefinePagina(5, pagina5.Painel);
    DefinePagina(6, TPaginaComFigura::ComTexto(QStringLiteral("Panel6"), QStringLiteral("Label9"), QString(), Label9));
    QLabel* atualizando = nullptr;
    DefinePagina(
        7, CriaPaginaProgresso("Panel7", QStringLiteral("Atualizando arquivos de dados..."), atualizando, Gauge2));

    AdicionaEstado(std::make_unique<TEstadoRCS1>(*this, 1));
    AdicionaEstado(std::make_unique<TEstadoRCS2>(*this, 2));
    AdicionaEstado(std::make_unique<TEstadoRCS3>(*this, 3));
    AdicionaEstado(std::make_unique<TEstadoRCS4>(*this, 4));
    AdicionaEstado(std::make_unique<TEstadoRCS5>(*this, 5));
    AdicionaEstado(std::make_unique<TEstadoRCS6>(*this, 6));
    AdicionaEstado(std::make_unique<TEstadoRCS7>(*this, 7));

    FDirCsDefault = RetiraBarraFinal(LeIni("DirCsDefault"));
    FDirCsUltimo = RetiraBarraFinal(LeIni("DirCsUltimo"));
    FArqCsDefault = LeIni("ArqCsDefault");
    FArqCsUltimo = LeIni("ArqCsUltimo");
    FDiretorioDados = DiretorioDados();
    FPastaCorrente = QDir::currentPath();
    DialogoAbrir = [this](const QString& pasta, const QString& nome) {
        return TDialogoArquivo::Abre(this, QDir(pasta).filePath(nome), TPaginaArquivo::Filtro());
    };

    DefineHelpContext(*this, HelpContext);   // the buttons find it on the form
    Processa();
}

TFormAssistRestCopSeg::~TFormAssistRestCopSeg() = default;

QWidget* TFormAssistRestCopSeg::CriaPagina2()
{
    const TPaginaArquivo pagina = TPaginaArquivo::Cria(QStringLiteral("Panel2"));
    EdArquivo = pagina.EdArquivo;
    BitBtn1 = pagina.BitBtn1;
    connect(EdArquivo, &QLineEdit::textChanged, this, &TFormAssistRestCopSeg::EdArquivoChange);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAssistRestCopSeg::BitBtn1Click);
    return pagina.Painel;
}

QWidget* TFormAssistRestCopSeg::CriaPaginaProgresso(const char* nome, const QString& texto, QLabel*& rotulo,
                                                    QProgressBar*& gauge)
{
    auto* painel = new QWidget;
    painel->setObjectName(QLatin1String(nome));
    rotulo = new QLabel(texto, painel);
    gauge = new QProgressBar(painel);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(24, 40, 24, 8);
    layout->addWidget(rotulo);
    layout->addWidget(gauge);
    layout->addStretch();
    return painel;
}

void TFormAssistRestCopSeg::Foca()
{
    FocaBotoes();
}

void TFormAssistRestCopSeg::MostraPagina(int n)
{
    ExibePagina(n);
    switch (n) {
    case 1:
        DefineBotoes(false, true, true, true);
        setWindowTitle(QStringLiteral("Assistente de Restauração de Cópia de Segurança da Base de Dados"));
        break;
    case 2:
        DefineBotoes(true, true, true, true);
        MostraFechar(false);   // back from the failure page, whose Fechar had the close picture
        break;
    case 3:
        DefineBotoes(false, true, true, true);
        break;
    case 4:
    case 5:
        // After a failure Voltar goes back to the file, so that another one can be chosen.
        DefineBotoes(n == 5, false, true, false);
        MostraFechar(true);
        if (n == 4) {
            Label7->setText(QStringLiteral("Sua restauração de cópia de segurança foi efetuada com sucesso."));
        } else {
            const bool cancelada = FResultado == ResultadoCompressao::Cancelado;
            Label4->setText(cancelada ? QStringLiteral("A restauração da cópia de segurança foi cancelada.")
                                      : QStringLiteral("Houve um erro na restauração de cópia de segurança."));
            QString motivo = cancelada ? QString() : FMotivo;
            if (FOutroArquivo && !motivo.isEmpty())
                motivo += QStringLiteral("\n\nPara escolher outro arquivo, clique em Voltar.");
            LbMotivo->setText(motivo);
        }
        break;
    case 6:
        DefineBotoes(true, true, true, true);
        Label9->setText(QStringLiteral("A sua base de dados atual contém ")
                        + (FNumDeclaracoesAtual < 1 ? QString() : QString::number(FNumDeclaracoesAtual))
                        + QStringLiteral(" declarações. Você estará substituindo esta base ")
                        + QStringLiteral("por outra com ") + QString::number(FNumDeclaracoesCopia)
                        + QStringLiteral(" declarações.  Caso não deseje efetuar o procedimento cancele a execução "
                                         "deste assistente."));
        break;
    case 7:
        DefineBotoes(true, true, true, true);
        break;
    default:
        break;
    }
}

bool TFormAssistRestCopSeg::ExecutaEtapa(int n)
{
    switch (n) {
    case 1:
        DefineBotoes(false, true, true, true);
        return true;
    case 2:
        PropoeArquivo();
        return true;
    case 3:
        return Descomprime();
    case 4:
    case 5:
        Foca();
        return true;
    case 7:
        return SubstituiDados();
    default:
        return true;
    }
}

void TFormAssistRestCopSeg::PropoeArquivo()
{
    if (EdArquivo->text().isEmpty()) {
        if (!FDirCsUltimo.isEmpty() && QFileInfo(FDirCsUltimo).isDir()) {
            FPastaCorrente = FDirCsUltimo;
            FArquivoOrigem = TCaminhoDigitado::Junta(FDirCsUltimo, FArqCsUltimo);
        }
        EdArquivo->setText(FArquivoOrigem);
    }
    EdArquivoChange();
    Foca();
}

bool TFormAssistRestCopSeg::PodeAvancar(int etapa)
{
    if (etapa != 2)
        return true;
    if (EdArquivo->text().isEmpty()) {
        EdArquivoChange();
        return false;
    }
    const TCaminhoDigitado caminho = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente);
    FDirCsDefault = caminho.Pasta;
    if (caminho.Pasta.isEmpty() || !QFileInfo(caminho.Pasta).isDir()) {
        TErro::MostraMensagem(QStringLiteral("Não existe o diretório que você especificou."), TipoDialogo::Erro,
                              Botao::Ok, 0);
        EdArquivo->clear();
        EdArquivoChange();
        return false;
    }
    FArquivoOrigem = TCaminhoDigitado::Junta(caminho.Pasta, caminho.Nome);
    EdArquivoChange();
    return true;
}

void TFormAssistRestCopSeg::EdArquivoChange()
{
    const bool preenchido = !EdArquivo->text().isEmpty();
    BtnAvancar->setEnabled(preenchido);
    BtnOK->setEnabled(preenchido);
}

void TFormAssistRestCopSeg::BitBtn1Click()
{
    const TCaminhoDigitado digitado = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente);
    QString pasta = DiretorioPrograma();
    if (!digitado.Pasta.isEmpty() && QFileInfo(digitado.Pasta).isDir())
        pasta = digitado.Pasta;
    else if (!FDirCsDefault.isEmpty() && QFileInfo(FDirCsDefault).isDir())
        pasta = FDirCsDefault;
    const QString escolhido = DialogoAbrir(pasta, digitado.Nome);
    if (!escolhido.isEmpty())
        EdArquivo->setText(escolhido);
    if (!EdArquivo->text().isEmpty()) {
        const TCaminhoDigitado caminho = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente);
        FDirCsDefault = caminho.Pasta;
        FArqCsDefault = caminho.Nome;
    }
}

void TFormAssistRestCopSeg::showEvent(QShowEvent* evento)
{
    PosicionaAssistente(*this);
    TFormAssist::showEvent(evento);
}

QString TFormAssistRestCopSeg::ArquivoCopia() const
{
    return FDiretorioTrabalho ? FDiretorioTrabalho->Arquivo(ArquivosDados().front()) : QString();
}

void TFormAssistRestCopSeg::Falha(int resultado, const QString& motivo, bool outroArquivo)
{
    FResultado = resultado;
    FMotivo = motivo;
    FOutroArquivo = outroArquivo;
    SetFalhouAtual(true);
    CancelBtn->setEnabled(true);
}

bool TFormAssistRestCopSeg::Descomprime()
{
    DefineBotoes(false, false, false, false);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    // A folder of its own: nothing left by an earlier run can pass for this backup.
    CriaPastas(TPastas::Temporaria());
    FDiretorioTrabalho = std::make_unique<TPastaDeTrabalho>(TPastas::Temporaria(), PrefixoTrabalhoRestauracao);
    Label2->setText(QStringLiteral("Descomprimindo cópia de segurança..."));
    Label2->repaint();
    if (!QFileInfo(FArquivoOrigem).isFile()) {
        Falha(ResultadoCompressao::Falha, NaoEncontrado(FArquivoOrigem));
        return false;
    }
    int resultado = ResultadoCompressao::Falha;
    if (FDiretorioTrabalho->Valida()) {
        try {
            resultado = Descomprimir(FArquivoOrigem, FDiretorioTrabalho->Caminho(), [this](int percentual) {
                Gauge1->setValue(percentual);
                Gauge1->repaint();
            });
        } catch (const std::exception& e) {
            qWarning("backup %s not unpacked: %s", qUtf8Printable(FArquivoOrigem), e.what());
            resultado = ResultadoCompressao::Falha;
        }
    }
    if (resultado != ResultadoCompressao::Ok) {
        Falha(resultado, MotivoDescompressao(FArquivoOrigem, TPastas::Temporaria(), resultado));
        return false;
    }
    Gauge1->setValue(100);
    FNumDeclaracoesAtual = TCopiaBanco::ContaLinhas(TCopiaBanco::ArquivoDaPasta(FDiretorioDados), TabelaDeclaracoes);
    FNumDeclaracoesCopia = 0;
    // Only a sound database of this program may take the place of the current one; an earlier
    // program's is brought up to today's tables first, as opening the data would.
    if (const TCopiaBanco::TConferencia conferencia = TCopiaBanco::PreparaRestauracao(ArquivoCopia());
        !conferencia.Boa()) {
        qWarning("backup %s refused: %s", qUtf8Printable(FArquivoOrigem), qUtf8Printable(conferencia.Motivo));
        Falha(ResultadoCompressao::Falha, MotivoConferencia(FArquivoOrigem, conferencia));
        return false;
    }
    FNumDeclaracoesCopia = TCopiaBanco::ContaLinhas(ArquivoCopia(), TabelaDeclaracoes);
    FResultado = resultado;
    Foca();
    return true;
}

bool TFormAssistRestCopSeg::SubstituiDados()
{
    DefineBotoes(false, false, false, false);
    Gauge2->setRange(0, static_cast<int>(ArquivosDados().size()));
    Gauge2->setValue(0);
    InterfaceUsuario::Atividade().MantemVivo();
    // The copy goes into the current file, whose old pages the journal keeps until it is in.
    const qint64 atual = QFileInfo(TCopiaBanco::ArquivoDaPasta(FDiretorioDados)).size();
    const qint64 livres = TEspacoEmDisco::Livre(FDiretorioDados);
    bool ok = true;
    if (livres >= 0 && livres < QFileInfo(ArquivoCopia()).size() + atual) {
        TErro(CodigoMensagem::SemEspacoParaAOperacao, QString(), TipoDialogo::Aviso, Botao::Ok, 0).Exibe();
        Falha(ResultadoCompressao::Falha, SemEspaco());
        ok = false;
    } else if (!EntregasAcertadas()) {
        ok = false;
    } else {
        try {
            TCopiaBanco::Restaura(ArquivoCopia(), FDiretorioDados);
            Gauge2->setValue(Gauge2->value() + 1);
        } catch (const EDatabaseError& e) {
            qWarning("backup %s not restored: %s", qUtf8Printable(FArquivoOrigem), e.what());
            Falha(ResultadoCompressao::Falha,
                  QStringLiteral("Os dados atuais não puderam ser substituídos: ") + TextoDoMotor(e)
                      + QLatin1Char('.'));
            ok = false;
        }
    }
    Gauge2->setValue(Gauge2->maximum());
    BtnAvancar->setEnabled(true);
    BtnOK->setEnabled(true);
    BtnRetornar->setEnabled(false);
    return ok;
}

// A delivery whose commit only the current data know is settled before they are replaced (the
// backup's may be from before it, and would read it as never committed); one that cannot be
// settled yet refuses the restore.
bool TFormAssistRestCopSeg::EntregasAcertadas()
{
    QStringList textos;
    const QString recusa = TRecuperacaoEntrega::AcertaAntesDeRestaurar(textos);
    for (const QString& texto : std::as_const(textos))
        InterfaceUsuario::Mostra(texto, TipoDialogo::Aviso, Botao::Ok);
    if (recusa.isEmpty())
        return true;
    Falha(ResultadoCompressao::Falha, recusa, false);
    return false;
}

bool TEstadoRCS1::Evento(int codigo)
{
    return Vai(2, codigo == TAssistente::BotaoConcluir);
}

bool TEstadoRCS2::Evento(int)
{
    return Vai(3, true);
}

void TEstadoRCS3::Corrige()
{
    SetFalhou(false);   // entered again after Voltar from the failure page: a new try
}

bool TEstadoRCS3::Evento(int)
{
    if (!Valido())
        return Vai(5, false);
    if (EstadoPrograma::BaseIndisponivel)
        return Vai(7, false);
    // Nothing stored to lose: no confirmation.
    return Assistente().NumDeclaracoesAtual() < 1 ? Vai(7, true) : Vai(6, false);
}

bool TEstadoRCS4::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoRCS5::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoRCS6::Evento(int)
{
    return Vai(7, true);
}

void TEstadoRCS7::Corrige()
{
    SetFalhou(false);
}

bool TEstadoRCS7::Evento(int)
{
    return Vai(Valido() ? 4 : 5, false);
}

void ExecutaAssistRestCopSeg(QWidget* Dono)
{
    auto assistente = std::make_unique<TFormAssistRestCopSeg>(Dono);
    assistente->ExibeModal();
}
