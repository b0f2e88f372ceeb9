#include "app/JanelasDosComandos.h"

#include "assistants/TFoAssistGeracao.h"
#include "assistants/TFoAssistImportacao.h"
#include "assistants/TFoAssistTransmissao.h"
#include "assistants/TFoPendencias.h"
#include "assistants/TFoRelatoErrosImp.h"
#include "assistants/TFormAssistCopSeg.h"
#include "assistants/TFormAssistRestCopSeg.h"
#include "reports/RotinasImpressao.h"
#include "screens/RotinasDeclaracao.h"
#include "screens/TFoCalcula.h"
#include "screens/TFoPesquisar.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "shell/declarations/TFoIndexa.h"

TRotinasPrincipal JanelasDosComandos(TPruv2003& janela)
{
    TRotinasPrincipal rotinas;
    rotinas.MostraReorganizacao = [&janela] { MostraReorganizacao(&janela); };
    rotinas.ExecutaAssistCopSeg = ExecutaAssistCopSeg;
    rotinas.ExecutaAssistRestCopSeg = ExecutaAssistRestCopSeg;
    rotinas.ArquivosDados = ArquivosDados();
    rotinas.FazCopiaAutomatica = TFormCopSegAuto::Executa;
    rotinas.ExibePendencias = ExibePendencias;
    rotinas.ExecutaAssistGeracao = ExecutaAssistGeracao;
    rotinas.Impressao = RotinasImpressao();
    rotinas.ExecutaAssistTransmissao = ExecutaAssistTransmissao;
    rotinas.MostraPesquisa = MostraPesquisa;
    DefineRotinasDeclaracao(rotinas, &janela);
    rotinas.ExecutaAssistImportacao = ExecutaAssistImportacao;
    rotinas.ExibeRelatorioErrosImp = ExibeRelatorioErrosImp;
    rotinas.MostraCalculadora = MostraCalculadora;
    return rotinas;
}
