#include "assistants/backup/TFormAssistCopSeg.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/files/CriaPastas.h"
#include "platform/widgets/windows/TDialogoArquivo.h"
#include "assistants/pages/TCaminhoDigitado.h"
#include "assistants/pages/TPaginaArquivo.h"
#include "assistants/pages/TPaginaComFigura.h"
#include "model/schema/ReorganizaTabelas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/PosicaoAssistente.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TProgressoQt.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/TRegistroPruv.h"

namespace {

const QString Secao = QStringLiteral("Copia de Seguranca");
const QString NomePadrao = QStringLiteral("CopSeg.cmp");
const QString TextoFalha = QStringLiteral("Houve um erro na geração de sua cópia de segurança.");

QString PastaPadrao()
{
    return DiretorioPrograma() + QStringLiteral("/CopSeg");
}

QString LeIni(const char* chave, const QString& padrao)
{
    return TArquivoIni::LeString(Secao, QLatin1String(chave), padrao);
}

// Room for Bytes on the volume of Pasta; a volume that cannot tell is given the benefit of the
// doubt (the packing then fails on its own if it must).
bool Cabe(const QString& Pasta, qint64 Bytes)
{
    const qint64 livres = TEspacoEmDisco::Livre(Pasta);
    return livres < 0 || livres >= Bytes;
}

QString ComExtensaoCmp(const QString& Nome)
{
    return QFileInfo(Nome).suffix().toUpper() == QLatin1String("CMP") ? Nome : Nome + QStringLiteral(".cmp");
}

}   // namespace

TFormAssistCopSeg::TFormAssistCopSeg(QWidget* owner)
    : TFormAssist(owner)
{
    setObjectName(QStringLiteral("FormAssistCopSeg"));
    setWindowTitle(QStringLiteral("Assistente de Cópia de Segurança"));
    DefinePagina(1, CriaPagina1());
    DefinePagina(2, CriaPagina2());
    DefinePagina(3, CriaPagina3());
    DefinePagina(4, CriaPagina4());
    DefinePagina(5, CriaPagina5());
    DefinePagina(6, CriaPagina6());
    AdicionaEstado(std::make_unique<TEstadoCS1>(*this, 1));
    AdicionaEstado(std::make_unique<TEstadoCS2>(*this, 2));
    AdicionaEstado(std::make_unique<TEstadoCS3>(*this, 3));
    AdicionaEstado(std::make_unique<TEstadoCS4>(*this, 4));
    AdicionaEstado(std::make_unique<TEstadoCS5>(*this, 5));
    AdicionaEstado(std::make_unique<TEstadoCS6>(*this, 6));
    CancelBtn->setEnabled(true);

    FDirCsDefault = RetiraBarraFinal(LeIni("DirCsDefault", PastaPadrao()));
    FDirCsUltimo = RetiraBarraFinal(LeIni("DirCsUltimo", PastaPadrao()));
    FArqCsDefault = LeIni("ArqCsDefault", NomePadrao);
    FArqCsUltimo = LeIni("ArqCsUltimo", NomePadrao);
    FArquivoDestino = TCaminhoDigitado::Junta(FDirCsDefault, FArqCsDefault);
    FPastaCorrente = QDir::currentPath();
    DialogoSalvar = [this](const QString& pasta, const QString& nome) {
        return TDialogoArquivo::Salva(this, QDir(pasta).filePath(nome), TPaginaArquivo::Filtro());
    };

    DefineHelpContext(*this, HelpContext);   // the buttons find it on the form
    Processa();
}

TFormAssistCopSeg::~TFormAssistCopSeg() = default;

QWidget* TFormAssistCopSeg::CriaPagina1()
{
    return TPaginaComFigura::Cria(
               QStringLiteral("Panel1"),
               {QStringLiteral("A cópia de segurança serve para que você possa recuperar os dados de suas "
                               "declarações em caso de perda dos mesmos."),
                QStringLiteral("Usar o assistente é fácil. Basta clicar no botão \"Avançar\" e responder às "
                               "questões apresentadas.")})
        .Painel;
}

QWidget* TFormAssistCopSeg::CriaPagina2()
{
    CheckBoxReord = new QCheckBox(
        QStringLiteral("&Reorganizar Tabelas de dados antes de efetuar a cópia de segurança"));
    CheckBoxReord->setObjectName(QStringLiteral("CheckBoxReord"));
    const TPaginaArquivo pagina = TPaginaArquivo::Cria(QStringLiteral("Panel2"), CheckBoxReord);
    EdArquivo = pagina.EdArquivo;
    BitBtn1 = pagina.BitBtn1;
    connect(EdArquivo, &QLineEdit::textChanged, this, &TFormAssistCopSeg::EdArquivoChange);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAssistCopSeg::BitBtn1Click);
    return pagina.Painel;
}

QWidget* TFormAssistCopSeg::CriaPagina3()
{
    return TPaginaComFigura::ComTexto(QStringLiteral("Panel3"), QStringLiteral("Label5"), QString(), Label5);
}

QWidget* TFormAssistCopSeg::CriaPagina4()
{
    // Placed by hand: the gauge moves down when the reorganisation's gauge shows above it.
    auto* painel = new QWidget;
    painel->setObjectName(QStringLiteral("Panel4"));
    Label3d1 = new QLabel(painel);
    Label3d1->setObjectName(QStringLiteral("Label3d1"));
    Label3d1->setGeometry(24, 14, 470, 16);
    GaugeIndexa = new QProgressBar(painel);
    GaugeIndexa->setObjectName(QStringLiteral("GaugeIndexa"));
    GaugeIndexa->setGeometry(24, 32, 470, 20);
    Label2 = new QLabel(QStringLiteral("Progresso da Compressão"), painel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(24, TopoLabelSemReorganizacao, 470, 16);
    GaugeTotal = new QProgressBar(painel);
    GaugeTotal->setObjectName(QStringLiteral("GaugeTotal"));
    GaugeTotal->setGeometry(24, TopoGaugeSemReorganizacao, 470, 20);
    GaugeTotal->setRange(0, 100);
    GaugeTotal->setValue(0);
    return painel;
}

QWidget* TFormAssistCopSeg::CriaPagina5()
{
    return TPaginaComFigura::ComTexto(QStringLiteral("Panel5"), QStringLiteral("Label7"), QString(), Label7);
}

QWidget* TFormAssistCopSeg::CriaPagina6()
{
    return TPaginaComFigura::ComTexto(QStringLiteral("Panel6"), QStringLiteral("Label1"), TextoFalha, Label1);
}

void TFormAssistCopSeg::HabilitaAvancar(bool habilita)
{
    BtnAvancar->setEnabled(habilita);
    BtnOK->setEnabled(habilita);
}

void TFormAssistCopSeg::PosicionaProgresso(bool reorganiza)
{
    const int ppi = logicalDpiY();
    const auto escala = [ppi](int valor) { return valor * ppi / 96; };
    Label2->move(Label2->x(), escala(reorganiza ? TopoLabelComReorganizacao : TopoLabelSemReorganizacao));
    GaugeTotal->move(GaugeTotal->x(), escala(reorganiza ? TopoGaugeComReorganizacao : TopoGaugeSemReorganizacao));
    GaugeIndexa->setVisible(reorganiza);
    Label3d1->setVisible(reorganiza);
}

void TFormAssistCopSeg::MostraPagina(int n)
{
    ExibePagina(n);
    switch (n) {
    case 1:
        BtnRetornar->setEnabled(false);
        HabilitaAvancar(true);
        MostraFechar(false);
        BtnOK->setIcon(QIcon());
        CancelBtn->setEnabled(true);
        setWindowTitle(QStringLiteral("Assistente de Cópia de Segurança da Base de Dados"));
        break;
    case 2:
        BtnRetornar->setEnabled(true);
        CancelBtn->setEnabled(true);
        if (EdArquivo->text().isEmpty()) {
            if (QFileInfo(FDirCsUltimo).isDir()) {
                FPastaCorrente = FDirCsUltimo;
                FArquivoDestino = TCaminhoDigitado::Junta(FDirCsUltimo, FArqCsUltimo);
            }
            EdArquivo->setText(FArquivoDestino);
        }
        HabilitaAvancar(!EdArquivo->text().trimmed().isEmpty());
        break;
    case 3:
        BtnRetornar->setEnabled(true);
        CancelBtn->setEnabled(true);
        Label5->setText(AvisoDisquetes(QuantidadeDisquetes(FTotalBytes)));
        break;
    case 4:
        BtnRetornar->setEnabled(false);
        HabilitaAvancar(false);
        CancelBtn->setEnabled(true);
        PosicionaProgresso(CheckBoxReord->isChecked());
        break;
    case 5:
    case 6:
        BtnRetornar->setEnabled(false);
        BtnAvancar->setEnabled(false);
        BtnOK->setEnabled(true);
        MostraFechar(true);
        CancelBtn->setEnabled(false);
        if (n == 5) {
            Label7->setText(FRemovivel
                                ? QStringLiteral("Sua cópia de segurança foi efetuada com sucesso. Etiquete o(s) "
                                                 "disquete(s) e guarde-o(s) em lugar seguro.")
                                : QStringLiteral("Sua cópia de segurança foi efetuada com sucesso."));
        } else {
            QString texto = TextoFalha;
            if (FResultado == ResultadoCompressao::Falha)
                texto = TextoFalha + QLatin1Char(' ');
            else if (FResultado == ResultadoCompressao::Cancelado)
                texto = QStringLiteral("A geração da cópia de segurança foi cancelada.");
            Label1->setText(texto);
            Label7->setText(texto);
        }
        break;
    default:
        break;
    }
    if (n >= 2)
        FocaBotoes();
}

int TFormAssistCopSeg::QuantidadeDisquetes(qint64 totalBytes)
{
    const double x = static_cast<double>(std::max<qint64>(totalBytes, 0)) * 0.23 / 1440000.0;
    const double inteira = std::trunc(x);
    return static_cast<int>(x - inteira > 0.8 ? inteira + 2 : inteira + 1);
}

QString TFormAssistCopSeg::AvisoDisquetes(int quantidade)
{
    if (quantidade <= 1)
        return QStringLiteral("Voce precisará de um disquete para efetuar a cópia de segurança. Certifique-se de que "
                              "o mesmo esteja inserido na unidade selecionada");
    return QStringLiteral("Você precisará de até %1 disquetes vazios para efetuar a cópia de segurança. Insira o "
                          "primeiro na unidade selecionada")
        .arg(quantidade);
}

bool TFormAssistCopSeg::ExecutaEtapa(int n)
{
    switch (n) {
    case 1:
        // What the backup will hold; a data file that cannot be read shows at the packing.
        FTotalBytes = TamanhoDados();
        return FTotalBytes >= 0;
    case 4:
        return Comprime();
    case 5:
        Lembra();
        return true;
    default:
        return true;
    }
}

bool TFormAssistCopSeg::PodeAvancar(int etapa)
{
    if (etapa != 2)
        return true;
    if (EdArquivo->text().trimmed().isEmpty()) {
        HabilitaAvancar(false);
        TErro::MostraMensagem(QStringLiteral("O nome completo do arquivo deverá ser especificado."), TipoDialogo::Erro,
                              Botao::Ok, 0);
        return false;
    }
    const TCaminhoDigitado caminho = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente);
    const QString nome = caminho.Nome.isEmpty() ? NomePadrao : ComExtensaoCmp(caminho.Nome);
    FDirCsDefault = caminho.Pasta.isEmpty() ? PastaPadrao() : caminho.Pasta;
    FRemovivel = TVolumes::DoCaminho(FDirCsDefault).Removivel();
    CriaPastas(FDirCsDefault);
    FDirCsUltimo = FDirCsDefault;
    if (!QFileInfo(FDirCsDefault).isDir()) {
        HabilitaAvancar(false);
        TErro::MostraMensagem(QStringLiteral("Não é possível criar o diretório que você especificou. Verifique se o "
                                             "nome do mesmo é válido."),
                              TipoDialogo::Erro, Botao::Ok, 0);
        return false;
    }
    FArqCsDefault = nome;
    FArqCsUltimo = nome;
    FArquivoDestino = TCaminhoDigitado::Junta(FDirCsDefault, nome);
    HabilitaAvancar(true);
    return true;
}

void TFormAssistCopSeg::Cancela()
{
    TFormAssist::Cancela();
    CancelarCompressao();
}

void TFormAssistCopSeg::EdArquivoChange()
{
    HabilitaAvancar(!EdArquivo->text().trimmed().isEmpty());
}

void TFormAssistCopSeg::BitBtn1Click()
{
    const TCaminhoDigitado digitado = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente);
    const QString pasta = QFileInfo(digitado.Pasta).isDir() ? digitado.Pasta : FDirCsDefault;
    const QString escolhido = DialogoSalvar(pasta, digitado.Nome);
    if (!escolhido.isEmpty())
        EdArquivo->setText(ComExtensaoCmp(escolhido));
    const QString pastaEscolhida = TCaminhoDigitado::Separa(EdArquivo->text(), FPastaCorrente).Pasta;
    if (!pastaEscolhida.isEmpty()) {
        FDirCsDefault = pastaEscolhida;
        FDirCsUltimo = pastaEscolhida;
    }
}

void TFormAssistCopSeg::reject()
{
    if (CancelBtn->isEnabled())
        TFormAssist::reject();
}

void TFormAssistCopSeg::showEvent(QShowEvent* evento)
{
    PosicionaAssistente(*this);
    TFormAssist::showEvent(evento);
}

bool TFormAssistCopSeg::Comprime()
{
    FResultado = ResultadoCompressao::Falha;
    if (CheckBoxReord->isChecked()) {
        // The tables are rebuilt in place: no stopping half-way.
        CancelBtn->setEnabled(false);
        try {
            TProgressoQt progresso(GaugeIndexa, Label3d1);
            ReorganizaTabelas(progresso, true, true);
        } catch (const TErro& e) {
            e.Exibe();   // the tables are as they were: the backup goes on
        } catch (const std::exception& e) {
            TErro::MostraMensagem(TextoDaFalha(e), TipoDialogo::Erro, Botao::Ok, 0);
        }
        CancelBtn->setEnabled(true);
    }
    GaugeTotal->setRange(0, 100);
    GaugeTotal->setValue(0);
    FRemovivel = TVolumes::DoCaminho(FArquivoDestino).Removivel();

    // The snapshot goes to the temporary folder and the packed file to the target.
    const qint64 bytes = TamanhoDados();
    if (!Cabe(QFileInfo(FArquivoDestino).absolutePath(), bytes) || !Cabe(TPastas::Temporaria(), bytes)) {
        TErro(CodigoMensagem::SemEspacoParaAOperacao, QString(), TipoDialogo::Aviso, Botao::Ok, 0).Exibe();
        SetFalhouAtual(true);
        return false;
    }
    if (Cancelado()) {
        FResultado = ResultadoCompressao::Cancelado;
    } else {
        FResultado = GravaCopiaDeSeguranca(FArquivoDestino, [this](int percentual) {
            GaugeTotal->setValue(percentual);
            InterfaceUsuario::Atividade().MantemVivo();
        });
    }
    if (FResultado != ResultadoCompressao::Ok) {
        SetFalhouAtual(true);
        return false;
    }
    GaugeTotal->setValue(100);
    return true;
}

void TFormAssistCopSeg::GravaIni(const char* chave, const QString& valor)
{
    TArquivoIni::GravaString(Secao, QLatin1String(chave), valor);
}

void TFormAssistCopSeg::Lembra()
{
    const TVolume volume = TVolumes::DoCaminho(FDirCsDefault);
    if (volume.CdRom())
        return;
    try {
        if (volume.Removivel()) {
            GravaIni("dirCsUltimo", FDirCsUltimo);
            GravaIni("ArqCsUltimo", FArqCsUltimo);
            return;
        }
        GravaIni("DirCsDefault", FDirCsDefault);
        GravaIni("dirCsUltimo", FDirCsUltimo);
        GravaIni("ArqCsDefault", FArqCsDefault);
        GravaIni("ArqCsUltimo", FArqCsUltimo);
        TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), FDirCsDefault);
    } catch (const TErro& e) {
        e.Exibe();   // the backup itself is done; only the place is not remembered
    }
}

bool TEstadoCS1::Evento(int codigo)
{
    return codigo == TAssistente::BotaoAvancar ? Vai(2, false) : Vai(4, true);
}

bool TEstadoCS2::Evento(int codigo)
{
    return codigo == TAssistente::BotaoAvancar && Assistente().Removivel() ? Vai(3, false) : Vai(4, true);
}

bool TEstadoCS3::Evento(int)
{
    return Vai(4, true);
}

bool TEstadoCS4::Evento(int)
{
    return Vai(Valido() ? 5 : 6, false);
}

bool TEstadoCS5::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoCS6::Evento(int)
{
    return Vai(-1, false);
}

void ExecutaAssistCopSeg(QWidget* Dono)
{
    auto assistente = std::make_unique<TFormAssistCopSeg>(Dono);
    assistente->ExibeModal();
}
